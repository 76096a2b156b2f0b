// The numbered button sets of the error and message dialogs: which buttons show where, the
// one that takes the focus, and the answer each button gives.
#pragma once
#include <cstdint>
#include <vector>

#include "hostlib/Dialogs.h"
#include "zqruntime/window.h"

namespace hostlib::dialogs {

// The answers, also the buttons' roles: OK 1 ... Ignore All 9; 0 no button.
using Answer = DialogAnswer;

struct Placed {
  Answer button;
  int32_t x;  // dialog units
};

struct ButtonSet {
  std::vector<Placed> buttons;  // none: the count-down instead
  Answer first;                 // focus and preset answer (kNoAnswer for set 0)
};

// The set by number; withIgnoreAll: set 10 (kCancelIgnoreAll) is the error dialog's Cancel, Ignore, Ignore All
// (otherwise it is OK only, as every number outside 0..9).
const ButtonSet& ButtonSetOf(int32_t number, bool withIgnoreAll);

// A dialog's control number for each role (0: the dialog has no such button).
using ButtonNumbers = int32_t[10];

// Hides every button and the count-down, shows and places the set's buttons, focuses the
// first; answers the preset result.
Answer ShowButtonSet(zq::rt::Window& w, const ButtonNumbers& numbers, int32_t countdown, const ButtonSet& set);

// The role of a control number, kNoAnswer for none.
Answer RoleOf(const ButtonNumbers& numbers, int32_t control);

}  // namespace hostlib::dialogs
