// MBOX: the text box for notices of several lines.
#include <optional>

#include "dialogs/DialogLoop.h"
#include "dialogs/NoticeText.h"
#include "hostlib/Dialogs.h"
#include "hostlib/Wrappers.h"
#include "orvid/controlnumbers.h"
#include "orvid/windows.h"

namespace {

using namespace hostlib::dialogs;

constexpr int32_t kText = orvid::res::TextBox::Text;
constexpr int32_t kLineHeight = 9;  // dialog units per line
// The program's first event closes the box; the program posts its scan's end with that number.
constexpr int32_t kCloseEvent = zq::rt::kUserEvent;

zq::ui::Align AlignmentOf(uint8_t alignment) {
  switch (alignment) {
    case 0: return zq::ui::Align::Center;
    case 2: return zq::ui::Align::Right;
    default: return zq::ui::Align::Left;
  }
}

}  // namespace

void MBOX(std::string_view text, int16_t timeoutMs, uint8_t alignment, HWND owner) {
  zq::rt::Window w(orvid::res::WindowDefinition("TextBox"));
  if (!OpenOver(w, owner)) return;
  NoticeText notice = MakeNoticeText(text);
  w.SetText(kText, notice.text);
  w.SetStatus(1, "Esc is Einde");
  w.SetAlign(kText, AlignmentOf(alignment));
  // The designed margins around the text stay as the box takes the height of its lines.
  zq::rt::DlgRect box = w.Position();
  zq::rt::DlgRect field = w.Rect(kText).value_or(zq::rt::DlgRect{});
  int32_t marginW = box.width - field.width;
  int32_t marginH = box.height - field.height;
  field.height = kLineHeight * notice.lines;
  w.SetRect(kText, field);
  box.height = field.height + marginH;
  w.SetPosition(box);
  // Shrunk by the user, the box keeps its margins and one line of its text.
  w.SetMinSize(box.width / 4, marginH + kLineHeight);
  std::optional<TIMER> timer;
  if (timeoutMs > 0) timer.emplace().SETWAIT(timeoutMs);
  while (w.Accept()) {
    if (ClosingUnderneath() || w.Event() == kCloseEvent) break;
    if (w.Event() == zq::rt::kSized) {
      zq::rt::DlgRect now = w.Position();
      field = w.Rect(kText).value_or(field);
      w.SetRect(kText, {field.x, field.y, now.width - marginW, now.height - marginH});
    }
    if (w.Event() == zq::rt::kTimer && timer && timer->GETWAIT() == 0) break;
  }
  w.Close();
}
