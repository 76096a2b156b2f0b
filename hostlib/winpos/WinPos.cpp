// WINPOSCLASS: position texts, centring over an owner, and resizing by rules.
#include "hostlib/WinPos.h"

#include <algorithm>
#include <charconv>
#include <new>

#include "hostlib/Dialogs.h"
#include "procedures/WholeNumber.h"
#include "zqruntime/queue.h"
#include "zqvantor/windows.h"

using zq::rt::DlgRect;

namespace {

// The items of a text split at ",", at most four.
std::vector<std::string_view> Items(std::string_view text) {
  std::vector<std::string_view> items;
  while (items.size() < 4) {
    std::size_t comma = text.find(',');
    items.push_back(text.substr(0, comma));
    if (comma == std::string_view::npos) break;
    text.remove_prefix(comma + 1);
  }
  return items;
}

// A proportional size; no change over a zero base.
int32_t Share(int32_t now, int32_t recorded, int32_t base, int32_t unchanged) {
  if (base == 0) return unchanged;
  int64_t product = int64_t{now} * recorded;
  int64_t half = base / 2;
  return static_cast<int32_t>((product >= 0) == (base > 0) ? (product + half) / base : (product - half) / base);
}

}  // namespace

std::string WinPosText(const DlgRect& at) {
  std::string text;
  for (int32_t v : {at.x, at.y, at.width, at.height}) {
    char buffer[16];
    auto end = std::to_chars(buffer, buffer + sizeof buffer, v).ptr;
    if (!text.empty()) text += ',';
    text.append(buffer, end);
  }
  return text;
}

DlgRect WinPosFromText(std::string_view text) {
  int32_t v[4] = {0, 0, 0, 0};
  std::vector<std::string_view> items = Items(text);
  for (std::size_t i = 0; i < items.size(); ++i) {
    v[i] = hostlib::detail::WholeNumber(items[i]);
  }
  return {v[0], v[1], v[2], v[3]};
}

void WINPOSCLASS::INIT(HWND ownerHandle) {
  MAINHANDLE = ownerHandle;
  if (MAINHANDLE != 0) GETMAINWINPOS();
}

void WINPOSCLASS::INIT(zq::rt::Window& w, uint8_t minSize, uint8_t maxSize, uint8_t resize, int16_t rp, int16_t rs) {
  MAINHANDLE = w.Handle();
  GETMAINWINPOS();
  DlgRect at = w.Position();
  CLA_X = at.x;
  CLA_Y = at.y;
  CLA_W = at.width;
  CLA_H = at.height;
  MWINCONTROL = &w;
  if (minSize != 0) {
    w.SetMinSize(CLA_W, CLA_H);
  } else {
    w.SetMinSize(CLA_W / 4, CLA_H / 4);
  }
  if (maxSize != 0) w.SetMaxSize(CLA_W, CLA_H);
  if (resize != 0) INITRESIZE(rp, rs);
}

void WINPOSCLASS::GETMAINWINPOS() {
  if (MAINHANDLE != 0) VTWinGetSize(MAINHANDLE, &MSW_X, &MSW_Y, &MSW_W, &MSW_H);
}

void WINPOSCLASS::CENTERWIN(HWND handle) {
  if (MAINHANDLE == 0) return;
  GETMAINWINPOS();
  int32_t x = 0, y = 0, w = 0, h = 0;
  if (VTWinGetSize(handle, &x, &y, &w, &h) == 0) return;
  // Exactly, then cut toward zero.
  double nx = MSW_X + MSW_W / 2.0 - w / 2.0;
  double ny = MSW_Y + MSW_H / 2.0 - h / 2.0;
  VTWinSetSize(handle, static_cast<int32_t>(nx), static_cast<int32_t>(ny), w, h);
}

void WINPOSCLASS::SETSTRWINPOS(std::string_view pos) {
  // The runtime opens a blank, partial or zero-sized position, or one on no screen, at the
  // window's designed size, centred.
  if (zq::rt::Window* w = zq::rt::CurrentWindow()) w->SetPosition(WinPosFromText(pos));
}

std::string WINPOSCLASS::GETSTRWINPOS() const {
  zq::rt::Window* w = zq::rt::CurrentWindow();
  return w ? WinPosText(w->Position()) : WinPosText({});
}

void WINPOSCLASS::INITRESIZE(int16_t rp, int16_t rs) {
  if (!MWINCONTROL) return;
  MWINCONTROL->SetImmediateResize(true);
  QWR.clear();
  for (int32_t control : MWINCONTROL->ControlNumbers()) {
    DlgRect box = MWINCONTROL->Rect(control).value_or(DlgRect{});
    try {
      QWR.push_back({control, box.x, box.y, box.width, box.height, rp, rs, 0});
    } catch (const std::bad_alloc&) {
      MBOX("(1) Memory Queue Error : " + std::to_string(zq::rt::kQueueNoMemory), 0, 1, 0);
    }
  }
}

WINPOSCLASS::Rule* WINPOSCLASS::RuleOf(int32_t control) {
  auto it = std::find_if(QWR.begin(), QWR.end(), [&](const Rule& r) { return r.FNR == control; });
  return it == QWR.end() ? nullptr : &*it;
}

void WINPOSCLASS::SET(int32_t control, int16_t rp, int16_t rs, uint8_t inside, int32_t rr) {
  if (!MWINCONTROL) return;
  Rule* rule = RuleOf(control);
  if (!rule) {
    MBOX("(2) Memory Queue Error : " + std::to_string(zq::rt::kQueueEntryNotFound), 0, 1, 0);
    return;
  }
  rule->RP = rp;
  rule->RS = rs;
  rule->RR = rr;
  if (inside == 0) return;
  const Rule box = *rule;
  for (Rule& other : QWR) {
    if (&other == rule) continue;
    bool within = other.XL >= box.XL && other.XL + other.WI <= box.XL + box.WI && other.YT >= box.YT &&
                  other.YT + other.HE <= box.YT + box.HE;
    if (!within) continue;
    other.RP = rp;
    other.RS = rs;
    other.RR = rr;
  }
}

void WINPOSCLASS::RESIZE() {
  if (!MWINCONTROL) return;
  std::vector<int32_t> controls;
  for (const Rule& r : QWR) controls.push_back(r.FNR);
  for (int32_t control : controls) {
    RCC.clear();
    RESIZECONTROL(control);
  }
}

void WINPOSCLASS::DoResize(const Rule& rule, const DlgRect& window, const Rule* relative, const DlgRect* relativeNow,
                           int32_t& width, int32_t& height) const {
  if (rule.RS & kGrowWidth) width = rule.WI + (window.width - CLA_W);
  if (rule.RS & kGrowHeight) height = rule.HE + (window.height - CLA_H);
  if (rule.RS & kShareWidth) width = Share(window.width, rule.WI, CLA_W, width);
  if (rule.RS & kShareHeight) height = Share(window.height, rule.HE, CLA_H, height);
  if (relative && (rule.RS & kFollowWidth)) width = rule.WI + (relativeNow->width - relative->WI);
  if (relative && (rule.RS & kFollowHeight)) height = rule.HE + (relativeNow->height - relative->HE);
}

int16_t WINPOSCLASS::RESIZECONTROL(int32_t control) {
  if (!RuleOf(control)) {
    ERRORMSG("Error Reading Mem Queue", "ResizeControl", "", -1, kOkOnly, 0, 0);
    return -1;
  }
  if (std::find(RCC.begin(), RCC.end(), control) != RCC.end()) {
    ERRORMSG("Error Control points to another Relative Control.", "ResizeControl", "", -2, kOkOnly, 0, 0);
    return -2;
  }
  RCC.push_back(control);
  zq::rt::Window& w = *MWINCONTROL;
  DlgRect window = w.Position();
  Rule rule = *RuleOf(control);
  DlgRect now = w.Rect(control).value_or(DlgRect{rule.XL, rule.YT, rule.WI, rule.HE});
  int32_t width = now.width, height = now.height;
  int32_t x = rule.XL, y = rule.YT;
  if (rule.RR > 0) {
    int16_t r = RESIZECONTROL(rule.RR);
    if (r < 0) return r;
    const Rule relative = *RuleOf(rule.RR);  // placed first, so its rule exists
    DlgRect r1 = w.Rect(rule.RR).value_or(DlgRect{});
    DoResize(rule, window, &relative, &r1, width, height);
    bool right = rule.RP == kTopRight || rule.RP == kBottomRight;
    bool below = rule.RP == kBottomLeft || rule.RP == kBottomRight;
    x = right ? r1.x + r1.width - ((relative.XL + relative.WI) - (rule.XL + rule.WI)) - width : r1.x + (rule.XL - relative.XL);
    y = below ? r1.y + r1.height + (rule.YT - (relative.YT + relative.HE)) : r1.y - (relative.YT - (rule.YT + rule.HE)) - height;
  } else {
    DoResize(rule, window, nullptr, nullptr, width, height);
    if (rule.RP == kTopRight || rule.RP == kBottomRight) x = window.width - (CLA_W - (rule.XL + rule.WI)) - width;
    if (rule.RP == kBottomLeft || rule.RP == kBottomRight) y = window.height - (CLA_H - (rule.YT + rule.HE)) - height;
  }
  w.SetRect(control, {x, y, width, height});
  return 0;
}
