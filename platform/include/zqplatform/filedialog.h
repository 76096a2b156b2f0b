// The file and folder dialogs of the presenter.
#pragma once
#include <optional>
#include <string>

#include "zqplatform/messages.h"

namespace zq::ui {

enum class FileDialogKind { Open, Save, Folder };

struct FileDialogRequest {
  FileDialogKind kind = FileDialogKind::Open;
  HWND owner = 0;
  std::string title;      // ANSI
  std::string extension;  // ".csv"; empty: any file
  std::string folder;     // the POSIX folder (UTF-8) to start in; empty: the current one
};

// Shows the dialog and waits for the user: the chosen POSIX path (UTF-8), or none when the
// user cancels or the presenter shows no dialogs (the null presenter).
std::optional<std::string> AskFileName(const FileDialogRequest& request);

}  // namespace zq::ui
