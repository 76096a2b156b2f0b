// Answering the program's modal dialogs in tests: another thread waits for the dialog to show
// in the window model, looks at it and answers through the model's input calls.
#pragma once
#include <functional>
#include <future>
#include <string>
#include <string_view>
#include <vector>

#include "zqplatform/uimodel.h"

namespace hostlib::test {

// The newest visible top-level window with that title (and of that thread, 0: any), waited
// for up to 10 seconds until its loop runs; 0 when none came.
HWND WaitForWindow(std::string_view title, DWORD thread = 0);

// A visible child control of a kind with that text, 0 when none.
HWND ChildWithText(HWND window, zq::ui::Kind kind, std::string_view text);

// The texts of the window's visible buttons from left to right.
std::vector<std::string> ShownButtons(HWND window);

// The text of a child control by its number.
std::string TextOf(HWND window, int32_t control);

// Runs answer(dialog) on a thread of its own once a window with that title shows (on that
// thread, 0: any).
std::future<void> AnswerWhenShown(std::string title, std::function<void(HWND)> answer, DWORD thread = 0);

// Saves the window as shown to <ZQ_GRAB_DIR>/<name>.png (Qt only); the file's path, empty
// when the presenter cannot grab.
std::string Grab(HWND window, std::string_view name);

}  // namespace hostlib::test
