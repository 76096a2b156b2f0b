// The current folder as the program names folders: in the file layer's Windows view.
#include <filesystem>
#include <system_error>

#include "zqplatform/codepage.h"
#include "zqplatform/files.h"
#include "zqruntime/dirlist.h"

namespace zq::rt {

std::string CurrentFolder() {
  std::error_code error;
  std::filesystem::path here = std::filesystem::current_path(error);
  if (error || !std::filesystem::is_directory(here, error)) return {};
  return zq::fs::ToWindowsPath(here.string());
}

std::string WindowsForm(std::string_view path) {
  if (path.empty() || path.front() != '/') return std::string(path);
  std::string windows = zq::fs::ToWindowsPath(zq::text::AnsiToUtf8(path));
  if (path.size() > 1 && path.back() == '/' && windows.back() != '\\') windows += '\\';
  return windows;
}

}  // namespace zq::rt
