// Checks before the explorer touches a file or folder: a new folder's name, whether source
// and target are one file, and the folder a panel can open.
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include "ExplorerParts.h"
#include "app/Helpers.h"
#include "hostlib/Procedures.h"
#include "zqplatform/files.h"

namespace {

// Device names Windows keeps in every folder, with or without an extension.
bool IsDeviceName(std::string_view name) {
  std::string stem(name.substr(0, name.find('.')));
  while (!stem.empty() && stem.back() == ' ') stem.pop_back();
  std::transform(stem.begin(), stem.end(), stem.begin(), [](unsigned char c) { return std::toupper(c); });
  if (stem == "CON" || stem == "PRN" || stem == "AUX" || stem == "NUL") return true;
  return stem.size() == 4 && (stem.starts_with("COM") || stem.starts_with("LPT")) && stem[3] >= '1' && stem[3] <= '9';
}

}  // namespace

std::string FOLDERNAMEFAULT(std::string_view name) {
  if (name == "." || name == ".." || name.find_first_of("\\/:") != std::string_view::npos)
    return "A Folder Name cannot hold \\ / or : and cannot be . or ..";
  if (!zq::fs::HoldsExactly(name) || IsDeviceName(name)) return "Windows cannot hold this Folder Name.";
  return {};
}

bool SAMEFILE(std::string_view first, std::string_view second) {
  DWORD error = 0;
  const std::string a = zq::fs::ResolvePath(first, &error);
  const std::string b = zq::fs::ResolvePath(second, &error);
  if (a.empty() || b.empty()) return false;
  std::error_code ec;
  if (std::filesystem::equivalent(a, b, ec) && !ec) return true;
  const std::filesystem::path ca = std::filesystem::weakly_canonical(a, ec);
  const std::filesystem::path cb = std::filesystem::weakly_canonical(b, ec);
  return !ec && ca == cb;
}

bool STANDS(std::string_view path) { return GetFileAttributesA(std::string(path).c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string NEARESTFOLDER(std::string_view folder) {
  auto isFolder = [](const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  };
  std::string nearest = CHECKPATH(folder);
  uint8_t shortened = 1;
  while (!isFolder(nearest) && shortened) nearest = CHECKPATH(GETUPDIR(nearest, &shortened));
  return isFolder(nearest) ? nearest : CHECKPATH(folder);
}
