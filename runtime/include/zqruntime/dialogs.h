// The runtime's standard dialogs: open, save and folder selection, the plain message box and
// the program's help file. Paths are in the Windows view (ANSI). Each dialog is a question of
// zqplatform/questions.h, modal to the owner's window (none given: the calling thread's current
// window) and answered there.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "zqplatform/filedialog.h"
#include "zqplatform/msgbox.h"

namespace zq::rt {

// The chosen file, or empty when cancelled. The save dialog adds the extension to a name
// that has none.
std::string OpenFileDialog(std::string_view title, std::string_view extension, HWND owner = 0);
std::string SaveFileDialog(std::string_view title, std::string_view extension, HWND owner = 0);
// The chosen folder ending in "\", or empty when cancelled.
std::string FolderDialog(std::string_view title, std::string_view start = {}, HWND owner = 0);

// A plain message box; the button pressed.
int32_t Message(std::string_view text, std::string_view caption = {}, uint32_t type = MB_OK, HWND owner = 0);

// Shows the help file (a text file; the name in the Windows view, relative names from the
// current folder). False when it cannot be read.
bool ShowHelp(std::string_view helpFile, HWND owner = 0);

}  // namespace zq::rt
