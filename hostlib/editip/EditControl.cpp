// The in-place editor's editing control, and sorting by a column.
#include <algorithm>

#include "hostlib/EditIP.h"
#include "zqplatform/numbers.h"
#include "hostlib/Procedures.h"

namespace {

using zq::rt::kCtrlKey;

// The items of a text split at "|".
std::vector<std::string_view> Bars(std::string_view text) {
  std::vector<std::string_view> items;
  for (;;) {
    std::size_t bar = text.find('|');
    items.push_back(text.substr(0, bar));
    if (bar == std::string_view::npos) return items;
    text.remove_prefix(bar + 1);
  }
}

// A spin box's bound; one beyond the runtime's spin range is taken as its limit.
double Bound(std::string_view text) {
  return std::clamp(zq::text::ReadReal(text), -zq::rt::kSpinLimit, zq::rt::kSpinLimit);
}

// The choice a stored value equals in any letter case; the value itself when it is none.
std::string ChoiceOf(const std::vector<std::string>& choices, const std::string& value) {
  std::string stored = TRIM(value);
  for (const std::string& choice : choices) {
    if (COMPARENC(stored, choice, 0) == 0) return choice;
  }
  return value;
}

}  // namespace

int32_t EDITIP::CREATECONTROL() {
  zq::rt::Window& w = *window_;
  const ColumnEntry* entry = FIELDS(CURCOL);
  FIELD = entry ? entry->field : 0;
  if (FIELD == 0) return 0;
  TYPE = entry->kind;
  zq::rt::ControlDef c;
  c.number = kEditControl;
  constexpr uint32_t left = VK_LEFT, right = VK_RIGHT, up = VK_UP, down = VK_DOWN;
  constexpr uint32_t ctrlUp = kCtrlKey | VK_UP, ctrlDown = kCtrlKey | VK_DOWN;
  constexpr uint32_t ctrlLeft = kCtrlKey | VK_LEFT, ctrlRight = kCtrlKey | VK_RIGHT;
  switch (TYPE) {
    case kDropList:
      c.kind = zq::ui::Kind::DropList;
      for (std::string_view choice : Bars(entry->part2)) c.choices.emplace_back(choice);
      // As many choices as part 3 says (5 without), as wide as the list's column.
      c.dropCount = zq::text::ReadLong(entry->part3);
      if (c.dropCount <= 0) c.dropCount = 5;
      if (auto column = w.Column(LBU, CURCOL)) c.dropWidth = column->width;
      c.keys = {left, right, ctrlUp, ctrlDown};
      break;
    case kSpinBox: {
      c.kind = zq::ui::Kind::Spin;
      std::vector<std::string_view> range = Bars(entry->part3);
      range.resize(3);
      c.low = Bound(range[0]);
      c.high = Bound(range[1]);
      c.step = zq::text::ReadReal(range[2]);
      if (!zq::rt::ValidRange(c.low, c.high, c.step)) c.step = 1;
      c.keys = {left, right, ctrlUp, ctrlDown, ctrlLeft, ctrlRight};
      break;
    }
    case kCheckBox:
      c.kind = zq::ui::Kind::Check;
      c.keys = {left, right, up, down, VK_SPACE, zq::rt::kLeftClick, zq::rt::kDoubleClick,
                ctrlUp, ctrlDown, ctrlLeft, ctrlRight};
      break;
    default:
      c.kind = zq::ui::Kind::Edit;
      c.upper = entry->part2 == "U";
      c.keys = {ctrlUp, ctrlDown};
      break;
  }
  for (uint32_t key : {UNDOKEY, EDITKEY}) {
    if (key != 0) c.keys.push_back(key);
  }
  c.keys.push_back(zq::rt::kShiftKey | VK_TAB);
  c.keys.push_back(VK_TAB);
  // The list's font and colour; normal weight unless the list has its own style.
  const zq::rt::ControlDef* list = w.Definition().Control(LBU);
  c.font = w.Font(LBU).value_or(w.Definition().font);
  if (!list || !list->font) c.font->weight = 400;
  if (list) c.textColour = list->textColour;
  if (!w.Create(c)) return 0;
  // The control edits the cell's field as text; the accepted control writes AQNEW.
  AQNEW = QDAT->Buffer().Text(FIELD);
  if (TYPE == kDropList) AQNEW = ChoiceOf(c.choices, AQNEW);
  w.Use(kEditControl, zq::rt::Bind(AQNEW));
  w.Display(kEditControl, kEditControl);
  w.Take(kEditControl, kEditControl);  // AQNEW: the value shown
  opened_ = AQNEW;
  w.PlaceOverCell(kEditControl, LBU, static_cast<uint32_t>(CURROW), CURCOL);
  w.Focus(kEditControl);
  if (CURSORMODE == "B") {
    w.SetSelection(kEditControl, 0, 0);
  } else if (CURSORMODE == "S") {
    w.SetSelection(kEditControl, 0, -1);
  } else {
    w.SetSelection(kEditControl, -1, -1);
  }
  return 1;
}

void EDITIP::SortByColumn(int32_t column) {
  std::optional<zq::rt::ColumnDef> def = window_->Column(LBU, column);
  if (!def) return;
  int32_t f = def->field != 0 ? static_cast<int32_t>(def->field) : column;
  char sign = f != LASTSORT ? '+' : '-';
  std::string order;
  const ColumnEntry* entry = FIELDS(f);
  if (entry && !entry->order.empty()) {
    std::string_view names = entry->order;
    for (;;) {
      std::size_t comma = names.find(',');
      if (!order.empty()) order += ',';
      order += sign;
      order += names.substr(0, comma);
      if (comma == std::string_view::npos) break;
      names.remove_prefix(comma + 1);
    }
  } else if (const zq::rt::Field* field = QDAT->Layout().At(static_cast<uint32_t>(f))) {
    order = std::string(1, sign) + field->name;
  }
  Sort(order);
  LASTSORT = sign == '+' ? static_cast<int16_t>(f) : 0;
}

void EDITIP::Sort(const std::string& order) {
  QDAT->Sort(order);
  Show();
}
