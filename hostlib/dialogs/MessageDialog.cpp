// MSGBOX: the message dialog.
#include "dialogs/DialogLoop.h"
#include "hostlib/Dialogs.h"
#include "orvid/controlnumbers.h"
#include "orvid/windows.h"

namespace {

using namespace hostlib::dialogs;

namespace M = orvid::res::MessageDialog;

// The buttons by answer; no Ignore All.
constexpr ButtonNumbers kButtons = {0, M::Ok, M::Cancel, M::Abort, M::Retry, M::Ignore, M::Skip, M::Yes, M::No, 0};
constexpr int32_t kText = M::Message, kCountdown = M::Countdown;

}  // namespace

uint8_t MSGBOX(std::string_view text, int16_t buttonSet, int16_t timeoutMs, HWND owner) {
  zq::rt::Window w(orvid::res::WindowDefinition("MessageDialog"));
  if (!OpenOver(w, owner)) return kNoAnswer;
  w.SetText(kText, text);  // cut to the field's 100 characters
  if (text.find_first_not_of(' ') == std::string_view::npos) w.Hide(kText, kText);
  const AnswerRules rules{.buttons = &kButtons, .countdown = kCountdown, .escAnswer = VK_ESCAPE, .cancelled = kNoAnswer};
  return AskAndClose(w, rules, buttonSet, false, timeoutMs);
}
