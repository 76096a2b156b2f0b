// A window's layout as the model holds it, for tests that size windows as a user does: the
// visible controls that overlap, and the window grown or shrunk by the user's drag.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "zqplatform/ui.h"

namespace orvid::test {

// The visible controls of a window that overlap one another, neither lying wholly within the
// other, or that reach outside the window's inner area: one line each ("31 over 3 ..." or
// "32 outside ..."); empty when none. Controls of no width or height are left out.
std::vector<std::string> Overlaps(HWND window);

struct Size {
  int32_t width = 0;
  int32_t height = 0;
};
// The window's inner size in pixels.
Size InnerSize(HWND window);

// Waits until the window has its minimum size, which it takes when its controls are bound for
// resizing, and its loop has run again: true then, false after 10 seconds.
bool ReadyToSize(HWND window);

// The user drags the window's lower right corner to a size in pixels (kept within the
// window's limits, so 0 by 0 is its minimum): true once its controls have moved and its loop
// has run again, false when nothing moved within 10 seconds.
bool SizedTo(HWND window, Size size);

}  // namespace orvid::test
