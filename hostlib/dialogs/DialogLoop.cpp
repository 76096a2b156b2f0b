#include "dialogs/DialogLoop.h"

#include <atomic>
#include <optional>
#include <string>

#include "hostlib/Dialogs.h"
#include "hostlib/WinPos.h"
#include "hostlib/Wrappers.h"
#include "zqruntime/threads.h"

namespace hostlib::dialogs {

namespace {
std::atomic<const std::atomic<uint8_t>*> closingFlag{nullptr};
std::atomic<uint32_t> closingThread{0};
}  // namespace

bool OpenOver(zq::rt::Window& w, HWND owner) {
  if (owner == 0) return w.Open();
  WINPOSCLASS position;
  position.INIT(owner);
  if (!w.Open(owner)) return false;
  position.CENTERWIN(w.Handle());
  return true;
}

bool ClosingUnderneath() {
  const std::atomic<uint8_t>* flag = closingFlag;
  return flag && *flag != 0 && zq::rt::CurrentThread() != closingThread;
}

void TimeOut(zq::rt::Window& w, AnswerRules& rules, int32_t buttonSet, int16_t timeoutMs) {
  if (buttonSet != 0) return;
  rules.timed = true;
  rules.timeoutMs = timeoutMs;
  if (timeoutMs == 0) {
    rules.timeoutMs = 2000;
    w.SetText(rules.countdown, "2000");
  }
}

uint8_t RunAnswerLoop(zq::rt::Window& w, const AnswerRules& rules) {
  // Only set 0 makes a timer, so the report of a timer that failed to come (a dialog with one
  // button) needs none. A failed timer answers -1: set 0 then waits for Esc.
  std::optional<TIMER> timer;
  if (rules.timed) timer.emplace().START();
  uint8_t answer = rules.preset;
  while (w.Accept()) {
    if (ClosingUnderneath()) {
      answer = rules.cancelled;
      break;
    }
    if (rules.timed) {
      int32_t elapsed = timer->ELAPSED();
      if (elapsed > rules.timeoutMs) {
        answer = kNoAnswer;
        break;
      }
      w.SetText(rules.countdown, std::to_string(rules.timeoutMs - elapsed));
    }
    if (w.Event() == zq::rt::kAccepted) {
      if (Answer pressed = RoleOf(*rules.buttons, w.Field()); pressed != kNoAnswer) {
        answer = pressed;
        break;
      }
    }
    if (w.Event() == zq::rt::kAlertKey && rules.escAnswer != 0 && w.Keycode() == rules.escAnswer) {
      answer = kNoAnswer;
      break;
    }
  }
  return answer;
}

uint8_t AskAndClose(zq::rt::Window& w, AnswerRules rules, int32_t buttonSet, bool withIgnoreAll, int16_t timeoutMs) {
  rules.preset = ShowButtonSet(w, *rules.buttons, rules.countdown, ButtonSetOf(buttonSet, withIgnoreAll));
  TimeOut(w, rules, buttonSet, timeoutMs);
  const uint8_t answer = RunAnswerLoop(w, rules);
  w.Close();
  return answer;
}

}  // namespace hostlib::dialogs

void SetDialogsClosingFlag(const std::atomic<uint8_t>* closing) {
  hostlib::dialogs::closingThread = zq::rt::CurrentThread();
  hostlib::dialogs::closingFlag = closing;
}
