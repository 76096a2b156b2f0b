// The file and folder dialogs, questions of questions.h answered with a path.
#pragma once
#include <optional>
#include <string>

#include "zqplatform/messages.h"

namespace zq::ui {

enum class FileDialogKind { Open, Save, Folder };

struct FileDialogRequest {
  FileDialogKind kind = FileDialogKind::Open;
  HWND owner = 0;         // the dialog is modal to this window's top-level window only
  std::string title;      // ANSI
  std::string extension;  // ".csv"; empty: any file
  std::string folder;     // the POSIX folder (UTF-8) to start in; empty: the current one
};

// Asks and waits for the answer: the chosen path as it was given (the dialog gives a POSIX
// path in UTF-8, an answer may give a Windows-view one), or none for a cancel.
std::optional<std::string> AskFileName(const FileDialogRequest& request);

}  // namespace zq::ui
