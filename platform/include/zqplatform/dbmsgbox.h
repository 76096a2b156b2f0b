// The message box of the database classes: the window model's box under the library's caption.
#pragma once
#include <cstdint>

// Shows text with the given type bits (MB_ICONHAND | MB_OK and the like) and waits for the user;
// the help context is accepted and not used. Returns the button pressed.
int32_t AfxMessageBox(const char* text, uint32_t type, uint32_t helpContext = 0);
