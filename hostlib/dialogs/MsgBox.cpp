// MSGBOX: the message dialog.
#include "dialogs/DialogLoop.h"
#include "hostlib/Dialogs.h"

namespace {

using namespace hostlib::dialogs;

// Control numbers of the message dialog (no Ignore All).
constexpr ButtonNumbers kButtons = {0, 2, 3, 6, 7, 8, 9, 4, 5, 0};
constexpr int32_t kText = 1, kCountdown = 10;

}  // namespace

uint8_t MSGBOX(std::string_view text, int16_t buttonSet, int16_t timeoutMs, HWND owner) {
  zq::rt::Window w(Definition("MessageDialog"));
  if (!OpenOver(w, owner)) return kNoAnswer;
  w.SetText(kText, text);  // cut to the field's 100 characters
  if (text.find_first_not_of(' ') == std::string_view::npos) w.Hide(kText, kText);
  AnswerRules rules;
  rules.buttons = &kButtons;
  rules.countdown = kCountdown;
  rules.escAnswer = VK_ESCAPE;
  rules.cancelled = kNoAnswer;
  rules.preset = ShowButtonSet(w, kButtons, kCountdown, ButtonSetOf(buttonSet, false));
  TimeOut(w, rules, buttonSet, timeoutMs);
  uint8_t answer = RunAnswerLoop(w, rules);
  w.Close();
  return answer;
}
