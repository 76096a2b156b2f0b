// User input into the window model. The presenters turn real input into these calls, and
// tests drive either presenter with them; each call puts the messages Windows would send on
// the queue of the owning thread, and returns false when the target does not exist or, like a
// control of a disabled window, takes no input.
#pragma once
#include <cstdint>
#include <string_view>

#include "zqplatform/questions.h"  // the answers to dialogs
#include "zqplatform/ui.h"

namespace zq::ui::input {

// Key modifiers.
constexpr uint32_t kShift = 1;
constexpr uint32_t kCtrl = 2;
constexpr uint32_t kAlt = 4;

// A left click on a window or control: button down and up to it; for a button, check or radio
// also WM_COMMAND (id, BN_CLICKED) to its parent, after a check toggles or a radio is set.
// A click on a list, combo or drop list is a press on its chosen row.
bool Click(HWND hwnd);
bool RightClick(HWND hwnd);
// A press of the left or right button on a list's row (from 0, -1: the header) and column
// (from 0, -1: none): the model marks them as under the mouse (a left press also chooses the
// row as the model's value), then as Click or RightClick.
bool ListPress(HWND list, int32_t row, int32_t column, bool right = false);
// A left double click: WM_LBUTTONDBLCLK (and BN_DOUBLECLICKED for buttons).
bool DoubleClick(HWND hwnd);
// The user chose a row of a list, combo or drop list other than by a click (keys, the
// drop-down, the wheel), or a tab of a tab control: its value becomes row (from 0, -1: none)
// and its parent gets WM_COMMAND (id, LBN_SELCHANGE for a list, TCN_SELCHANGE for a tab
// control, CBN_SELCHANGE for the others).
bool Choose(HWND hwnd, int32_t row);
// The user set a spin box's value (as decimal text, "2.3"): its text becomes it and its
// parent gets WM_COMMAND (id, EN_CHANGE).
bool Spun(HWND hwnd, std::string_view value);
// A key pressed and released on the window: WM_KEYDOWN and WM_KEYUP with the virtual-key code,
// the modifiers as above in bits 16 to 23 of the second parameter (a repeat count of 1 below).
bool KeyPress(HWND hwnd, uint32_t vk, uint32_t modifiers = 0);
// The close button of a top-level window: WM_SYSCOMMAND with SC_CLOSE, whose default handling
// sends WM_CLOSE.
bool CloseRequest(HWND hwnd);
// The user moved or sized a top-level window (screen pixels, the size kept within the
// window's limits): WM_MOVE and WM_SIZE.
bool MovedTo(HWND hwnd, RECT rect);

// The notification-area icon: its window gets (id, 515) for a double click and (id, 517)
// for the right button's release. False when there is no icon.
bool TrayDoubleClick();
bool TrayRightClick();

// Chooses a command in the open popup menu (0: dismisses it); when none is open the choice
// waits for the next one tracked.
void MenuChoice(uint32_t command);

}  // namespace zq::ui::input
