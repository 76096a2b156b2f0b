// ERRORMSG: the error dialog.
#include <string>

#include "dialogs/DialogLoop.h"
#include "hostlib/Dialogs.h"
#include "zqplatform/uimodel.h"

namespace {

using namespace hostlib::dialogs;

// Control numbers of the error dialog.
constexpr ButtonNumbers kButtons = {0, 1, 2, 5, 6, 7, 9, 3, 4, 8};
constexpr int32_t kProcedure = 11, kMessage = 14, kErrorCode = 16, kCountdown = 17, kDetails = 18;

bool Blank(std::string_view text) { return text.find_first_not_of(' ') == std::string_view::npos; }

// The details keep their whole text; one too long for the field's line wraps in it and scrolls.
zq::rt::WindowDef WithDetails(std::string_view details) {
  zq::rt::WindowDef def = Definition("ErrorDialog");
  for (zq::rt::ControlDef& c : def.controls) {
    if (c.number != kDetails) continue;
    c.maxLength = 0;
    zq::ui::FontMetrics m = zq::ui::Measure(c.font.value_or(def.font));
    RECT field = zq::ui::DialogUnitsToPixels(def.font, RECT{0, 0, c.at.width, c.at.height});
    if (int64_t{m.averageWidth} * static_cast<int64_t>(details.size()) > field.right * 9 / 10) {
      c.multiLine = true;
      c.vscroll = true;
    }
  }
  return def;
}

}  // namespace

uint8_t ERRORMSG(std::string_view message, std::string_view procedure, std::string_view details,
                 int16_t errorCode, uint8_t buttonSet, int16_t timeoutMs, HWND owner) {
  zq::rt::Window w(WithDetails(details));
  if (!OpenOver(w, owner)) return kNoAnswer;
  struct Shown {
    int32_t control;
    std::string_view text;
  };
  // The message and the procedure are cut to their fields' lengths (100 and 50 characters).
  for (Shown s : {Shown{kMessage, message}, Shown{kProcedure, procedure}, Shown{kDetails, details}}) {
    w.SetText(s.control, s.text);
    if (Blank(s.text)) w.Hide(s.control, s.control);
  }
  w.SetText(kErrorCode, std::to_string(errorCode));
  AnswerRules rules;
  rules.buttons = &kButtons;
  rules.countdown = kCountdown;
  rules.preset = ShowButtonSet(w, kButtons, kCountdown, ButtonSetOf(buttonSet, true));
  TimeOut(w, rules, buttonSet, timeoutMs);
  uint8_t answer = RunAnswerLoop(w, rules);
  w.Close();
  return answer;
}
