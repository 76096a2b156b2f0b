// The settings window.
#pragma once
#include <cstdint>
#include <string_view>

// Shows the settings window on the calling thread and returns when it closes. The window
// edits the program's settings and tables in place. While it is open (on any thread), a
// further call brings it to the front and returns at once.
void SETTINGS();

// Maps the window's values back on OK: a strip-alpha value other than 0 becomes 1, and the
// explorer's resize name (any case, trailing blanks ignored) gives ST.RESIZEIMAGE: "Bigger" 5,
// "Smaller" 6, "Both" 7, anything else 0. Always 0.
uint8_t R$CHECKVALUES(std::string_view locResize);
