// The standard dialogs, as questions of the window model.
#include <filesystem>
#include <fstream>
#include <sstream>

#include "zqplatform/files.h"
#include "zqruntime/dialogs.h"
#include "zqruntime/window.h"

namespace zq::rt {

namespace {

// The window a dialog is modal to: the owner given, else the thread's current window.
HWND OwnerOr(HWND owner) {
  if (owner != 0) return owner;
  Window* current = CurrentWindow();
  return current ? current->Handle() : 0;
}

// The answer in the Windows view; none for a cancel.
std::optional<std::string> Ask(zq::ui::FileDialogKind kind, std::string_view title, std::string_view extension,
                               std::string_view start, HWND owner) {
  zq::ui::FileDialogRequest r;
  r.kind = kind;
  r.owner = OwnerOr(owner);
  r.title = std::string(title);
  r.extension = std::string(extension);
  if (!start.empty()) {
    DWORD error = 0;
    r.folder = zq::fs::ResolvePath(start, &error);
  }
  auto chosen = zq::ui::AskFileName(r);
  if (!chosen) return std::nullopt;
  if (chosen->front() == '/') return zq::fs::ToWindowsPath(*chosen);
  return chosen;
}

}  // namespace

std::string OpenFileDialog(std::string_view title, std::string_view extension, HWND owner) {
  return Ask(zq::ui::FileDialogKind::Open, title, extension, {}, owner).value_or(std::string());
}

std::string SaveFileDialog(std::string_view title, std::string_view extension, HWND owner) {
  std::string name = Ask(zq::ui::FileDialogKind::Save, title, extension, {}, owner).value_or(std::string());
  if (name.empty() || extension.empty()) return name;
  std::size_t slash = name.find_last_of("\\/");
  std::size_t dot = name.rfind('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) {
    if (extension.front() != '.') name += '.';
    name += extension;
  }
  return name;
}

std::string FolderDialog(std::string_view title, std::string_view start, HWND owner) {
  std::string folder = Ask(zq::ui::FileDialogKind::Folder, title, {}, start, owner).value_or(std::string());
  if (!folder.empty() && folder.back() != '\\') folder += '\\';
  return folder;
}

int32_t Message(std::string_view text, std::string_view caption, uint32_t type, HWND owner) {
  std::string t(text), c(caption);
  return MessageBoxA(OwnerOr(owner), t.c_str(), c.c_str(), type);
}

bool ShowHelp(std::string_view helpFile, HWND owner) {
  DWORD error = 0;
  std::string path = zq::fs::ResolvePath(helpFile, &error);
  if (path.empty()) return false;
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return false;
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream text;
  text << in.rdbuf();
  std::string name(helpFile);
  std::size_t slash = name.find_last_of("\\/");
  if (slash != std::string::npos) name.erase(0, slash + 1);
  MessageBoxA(OwnerOr(owner), text.str().c_str(), name.c_str(), MB_OK | MB_ICONASTERISK);
  return true;
}

}  // namespace zq::rt
