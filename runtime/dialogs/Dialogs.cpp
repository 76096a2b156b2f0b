// The standard dialogs, through the presenter or the test answerer.
#include <filesystem>
#include <fstream>
#include <mutex>
#include <sstream>

#include "zqplatform/files.h"
#include "zqruntime/dialogs.h"

namespace zq::rt {

namespace {

std::mutex answererLock;
DialogAnswerer& Answerer() {
  static DialogAnswerer answerer;
  return answerer;
}

std::optional<std::string> Ask(const DialogQuestion& q, HWND owner) {
  {
    std::lock_guard hold(answererLock);
    if (Answerer()) return Answerer()(q);
  }
  zq::ui::FileDialogRequest r;
  r.kind = q.kind;
  r.owner = owner;
  r.title = q.title;
  r.extension = q.extension;
  if (!q.start.empty()) {
    DWORD error = 0;
    r.folder = zq::fs::ResolvePath(q.start, &error);
  }
  auto chosen = zq::ui::AskFileName(r);
  if (!chosen) return std::nullopt;
  return zq::fs::ToWindowsPath(*chosen);
}

DialogQuestion Question(zq::ui::FileDialogKind kind, std::string_view title, std::string_view extension,
                        std::string_view start) {
  return DialogQuestion{kind, std::string(title), std::string(extension), std::string(start)};
}

}  // namespace

void SetDialogAnswerer(DialogAnswerer answerer) {
  std::lock_guard hold(answererLock);
  Answerer() = std::move(answerer);
}

std::string OpenFileDialog(std::string_view title, std::string_view extension, HWND owner) {
  return Ask(Question(zq::ui::FileDialogKind::Open, title, extension, {}), owner).value_or(std::string());
}

std::string SaveFileDialog(std::string_view title, std::string_view extension, HWND owner) {
  std::string name = Ask(Question(zq::ui::FileDialogKind::Save, title, extension, {}), owner).value_or(std::string());
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
  std::string folder = Ask(Question(zq::ui::FileDialogKind::Folder, title, {}, start), owner).value_or(std::string());
  if (!folder.empty() && folder.back() != '\\') folder += '\\';
  return folder;
}

int32_t Message(std::string_view text, std::string_view caption, uint32_t type, HWND owner) {
  std::string t(text), c(caption);
  return MessageBoxA(owner, t.c_str(), c.c_str(), type);
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
  MessageBoxA(owner, text.str().c_str(), name.c_str(), MB_OK | MB_ICONASTERISK);
  return true;
}

}  // namespace zq::rt
