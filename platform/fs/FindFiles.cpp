// Folder listings: FindFirstFileA, FindNextFileA, FindClose.
#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "ErrorMap.h"
#include "FileInfo.h"
#include "HandleTable.h"
#include "PathResolver.h"
#include "zqplatform/codepage.h"
#include "zqplatform/files.h"

namespace zq::fs {
namespace {

class Search : public HandleObject {
 public:
  std::vector<WIN32_FIND_DATAA> entries;
  std::size_t next = 0;
};

WIN32_FIND_DATAA EntryOf(const std::string& ansiName, const struct stat& st, bool link) {
  WIN32_FIND_DATAA d{};
  bool dir = S_ISDIR(st.st_mode);
  d.dwFileAttributes = AttributesOf(st) | (link ? FILE_ATTRIBUTE_REPARSE_POINT : 0);
  d.ftCreationTime = FileTimeOf(st.st_ctim);
  d.ftLastAccessTime = FileTimeOf(st.st_atim);
  d.ftLastWriteTime = FileTimeOf(st.st_mtim);
  uint64_t size = dir ? 0 : static_cast<uint64_t>(st.st_size);
  d.nFileSizeHigh = static_cast<DWORD>(size >> 32);
  d.nFileSizeLow = static_cast<DWORD>(size);
  // A name too long for the field comes cut with a final '?', which no name holds: it never
  // addresses another entry.
  std::size_t n = ansiName.size();
  if (n >= sizeof d.cFileName) {
    n = sizeof d.cFileName - 2;
    d.cFileName[n] = '?';
  }
  std::memcpy(d.cFileName, ansiName.data(), n);
  return d;
}

}  // namespace
}  // namespace zq::fs

using namespace zq::fs;

HANDLE FindFirstFileA(const char* pattern, WIN32_FIND_DATAA* data) {
  if (!pattern || !data) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
  }
  std::string_view p(pattern);
  std::size_t cut = p.find_last_of("\\/");
  std::string folderPart(cut == std::string_view::npos ? std::string_view() : p.substr(0, cut + 1));
  std::string namePattern(cut == std::string_view::npos ? p : p.substr(cut + 1));
  if (cut == std::string_view::npos && p.size() >= 2 && p[1] == ':') {
    folderPart = std::string(p.substr(0, 2));
    namePattern = std::string(p.substr(2));
  }
  DWORD error = ERROR_SUCCESS;
  std::string folder = folderPart.empty() ? std::string(".") : ResolvePath(folderPart, &error);
  if (folder.empty()) {
    SetLastError(error);
    return INVALID_HANDLE_VALUE;
  }
  DIR* dir = opendir(folder.c_str());
  if (!dir) {
    SetLastError(errno == ENOENT || errno == ENOTDIR ? ERROR_PATH_NOT_FOUND : WinError(errno, FsOp::Query, folder));
    return INVALID_HANDLE_VALUE;
  }
  auto search = std::make_shared<Search>();
  std::vector<std::pair<std::string, WIN32_FIND_DATAA>> found;
  bool root = !folderPart.empty() && NamesRoot(folderPart);
  while (dirent* e = readdir(dir)) {
    std::string name = e->d_name;
    if (root && (name == "." || name == "..")) continue;
    std::string ansi = zq::text::Utf8ToAnsi(name);
    if (!MatchesPattern(ansi, namePattern)) continue;
    std::string full = folder == "/" ? "/" + name : folder + "/" + name;
    struct stat st {};
    bool link = e->d_type == DT_LNK;
    if (e->d_type == DT_UNKNOWN && lstat(full.c_str(), &st) == 0) link = S_ISLNK(st.st_mode);
    if (stat(full.c_str(), &st) != 0 && lstat(full.c_str(), &st) != 0) continue;
    found.emplace_back(name, EntryOf(ansi, st, link));
  }
  closedir(dir);
  // "." and ".." first, then by name.
  std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
    auto rank = [](const std::string& n) { return n == "." ? 0 : n == ".." ? 1 : 2; };
    return rank(a.first) != rank(b.first) ? rank(a.first) < rank(b.first) : a.first < b.first;
  });
  for (auto& [name, entry] : found) search->entries.push_back(entry);
  if (search->entries.empty()) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  *data = search->entries[search->next++];
  SetLastError(ERROR_SUCCESS);
  return HandleTable::Instance().Add(std::move(search));
}

bool FindNextFileA(HANDLE find, WIN32_FIND_DATAA* data) {
  std::shared_ptr<Search> search = HandleTable::Instance().Get<Search>(find);
  if (!search) return Fail(ERROR_INVALID_HANDLE);
  if (search->next >= search->entries.size()) return Fail(ERROR_NO_MORE_FILES);
  if (data) *data = search->entries[search->next++];
  return true;
}

bool FindClose(HANDLE find) {
  if (!HandleTable::Instance().Get<Search>(find)) return Fail(ERROR_INVALID_HANDLE);
  return CloseHandle(find);
}
