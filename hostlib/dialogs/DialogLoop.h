// What the three dialogs share: opening over an owner, the program's close, and the loop that
// waits for a button or the time-out.
#pragma once
#include <cstdint>
#include <string_view>

#include "dialogs/ButtonSets.h"
#include "zqruntime/window.h"

namespace hostlib::dialogs {

// Opens w on the calling thread, centred over the owner when there is one (read from the
// window model, so the owner's thread may be busy or waiting).
bool OpenOver(zq::rt::Window& w, HWND owner);

// Whether the program is closing and the calling thread is not the one that set the flag.
bool ClosingUnderneath();

struct AnswerRules {
  const ButtonNumbers* buttons = nullptr;
  int32_t countdown = 0;   // the count-down label
  bool timed = false;      // set 0: the time-out ends the loop with 0
  int32_t timeoutMs = 0;
  Answer preset = kNoAnswer;
  uint32_t escAnswer = 0;  // an alerted key that answers 0 (0: none)
  uint8_t cancelled = kCancel;  // the answer when the program closes meanwhile
};

// Set 0 closes after the time-out (0: 2000 ms, then shown as the count-down at once).
void TimeOut(zq::rt::Window& w, AnswerRules& rules, int32_t buttonSet, int16_t timeoutMs);

// Runs the loop until a button, the time-out, a close or the program's close; the answer.
uint8_t RunAnswerLoop(zq::rt::Window& w, const AnswerRules& rules);

// Shows the numbered button set in w (rules name its buttons and count-down), runs the loop
// with its time-out and closes w; the answer.
uint8_t AskAndClose(zq::rt::Window& w, AnswerRules rules, int32_t buttonSet, bool withIgnoreAll, int16_t timeoutMs);

}  // namespace hostlib::dialogs
