#include "PathResolver.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

#include "DriveMap.h"
#include "zqplatform/charset.h"
#include "zqplatform/codepage.h"
#include "zqplatform/files.h"

namespace zq::fs {
namespace {

bool IsSep(char c) { return c == '\\' || c == '/'; }

// A name in upper case by the code page's tables, as names are compared.
std::string Upper(std::string_view name) {
  std::string up(name);
  zq::text::MakeUpper(up.data(), up.size());
  return up;
}

bool InvalidName(std::string_view name) {
  for (unsigned char c : name)
    if (c < 0x20 || c == '<' || c == '>' || c == ':' || c == '"' || c == '|' || c == '?' || c == '*') return true;
  return false;
}

bool EndsInBlankOrDot(std::string_view name) { return !name.empty() && (name.back() == ' ' || name.back() == '.'); }

std::vector<std::string_view> Split(std::string_view rest) {
  std::vector<std::string_view> parts;
  std::size_t i = 0;
  while (i < rest.size()) {
    while (i < rest.size() && IsSep(rest[i])) ++i;
    std::size_t start = i;
    while (i < rest.size() && !IsSep(rest[i])) ++i;
    if (i > start) parts.push_back(rest.substr(start, i - start));
  }
  return parts;
}

bool Exists(const std::string& path) {
  struct stat st {};
  return lstat(path.c_str(), &st) == 0;
}

std::string Join(const std::string& base, const std::string& name) {
  if (base == ".") return name;
  return base.back() == '/' ? base + name : base + "/" + name;
}

// The entry of folder whose name equals the ANSI name case-blind, if there is one.
std::optional<std::string> FindNoCase(const std::string& folder, std::string_view ansiName) {
  DIR* dir = opendir(folder.c_str());
  if (!dir) return std::nullopt;
  std::optional<std::string> found;
  std::string wanted = Upper(ansiName);
  while (dirent* e = readdir(dir)) {
    std::string utf8 = e->d_name;
    if (Upper(zq::text::Utf8ToAnsi(utf8)) == wanted && (!found || utf8 < *found))
      found = utf8;  // the first by byte order, whatever order the folder lists
  }
  closedir(dir);
  return found;
}

// Splits the root off: the base folder and the rest; false with *error for an unknown root.
bool SplitRoot(std::string_view path, std::string* base, std::string_view* rest, DWORD* error) {
  if (path.size() >= 2 && IsSep(path[0]) && IsSep(path[1])) {
    std::vector<std::string_view> parts = Split(path.substr(2));
    if (parts.size() < 2) {
      *error = ERROR_BAD_NETPATH;
      return false;
    }
    std::string key = std::string(parts[0]) + "\\" + std::string(parts[1]);
    std::optional<std::string> folder = ShareFolder(key);
    if (!folder) {
      *error = ERROR_BAD_NETPATH;
      return false;
    }
    *base = *folder;
    std::size_t at = static_cast<std::size_t>(parts[1].data() + parts[1].size() - path.data());
    *rest = path.substr(at);
    return true;
  }
  if (path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0]))) {
    std::optional<std::string> folder = DriveFolder(path[0]);
    if (!folder) {
      *error = ERROR_PATH_NOT_FOUND;
      return false;
    }
    *base = *folder;
    *rest = path.substr(2);
    return true;
  }
  *base = !path.empty() && IsSep(path[0]) ? "/" : ".";
  *rest = path;
  return true;
}

// The root's folder and the ANSI names after it, "." and ".." applied; false with *error.
bool Parse(std::string_view path, std::string* base, std::vector<std::string>* names, DWORD* error) {
  if (path.empty()) {
    *error = ERROR_PATH_NOT_FOUND;
    return false;
  }
  std::string_view rest;
  if (!SplitRoot(path, base, &rest, error)) return false;
  for (std::string_view part : Split(rest)) {
    if (part == ".") continue;
    if (part == "..") {
      if (!names->empty() && names->back() != "..") names->pop_back();
      else if (*base == ".") names->emplace_back(part);  // above the current folder
      continue;
    }
    if (InvalidName(part)) {
      *error = ERROR_INVALID_NAME;
      return false;
    }
    names->emplace_back(part);
  }
  return true;
}

std::string Joined(std::string base, const std::vector<std::string>& names) {
  for (const std::string& n : names) base = Join(base, zq::text::AnsiToUtf8(n));
  return base;
}

}  // namespace

bool HoldsExactly(std::string_view name) {
  if (name.empty() || name.size() >= sizeof(WIN32_FIND_DATAA::cFileName)) return false;
  if (EndsInBlankOrDot(name)) return false;
  for (unsigned char c : name)
    if (c == '\\' || c == '/') return false;
  return !InvalidName(name);
}

bool EndsInSeparator(std::string_view path) { return !path.empty() && IsSep(path.back()); }

std::string MarkedAsFolder(std::string posixPath, std::string_view ansiPath) {
  if (EndsInSeparator(ansiPath) && !posixPath.empty() && posixPath.back() != '/') posixPath += '/';
  return posixPath;
}

bool NamesRoot(std::string_view path) {
  std::string base;
  std::string_view rest;
  DWORD error = 0;
  if (!SplitRoot(path, &base, &rest, &error)) return false;
  if (base == ".") return false;
  return Split(rest).empty();
}

std::string ExactPath(std::string_view path, DWORD* error) {
  DWORD ignored = 0;
  std::string base;
  std::vector<std::string> names;
  if (!Parse(path, &base, &names, error ? error : &ignored)) return {};
  return Joined(base, names);
}

std::string ResolvePath(std::string_view path, DWORD* error) {
  DWORD ignored = 0;
  std::string base;
  std::vector<std::string> names;  // ANSI
  if (!Parse(path, &base, &names, error ? error : &ignored)) return {};
  std::string exact = Joined(base, names);
  if (names.empty() || Exists(exact)) return exact;

  // Walk name by name, matching whole names case-blind where the exact name is missing. A
  // missing name is kept as written, unless it ends in a blank or a dot: the Windows view
  // cannot make such a name, and it never stands for a neighbour without them.
  std::string at = base;
  for (std::size_t i = 0; i < names.size(); ++i) {
    std::string next = Join(at, zq::text::AnsiToUtf8(names[i]));
    if (!Exists(next)) {
      if (std::optional<std::string> found = FindNoCase(at, names[i])) {
        next = Join(at, *found);
      } else {
        for (std::size_t j = i; j < names.size(); ++j) {
          if (names[j] != ".." && EndsInBlankOrDot(names[j])) {
            *(error ? error : &ignored) = ERROR_INVALID_NAME;
            return {};
          }
          if (j > i) next = Join(next, zq::text::AnsiToUtf8(names[j]));
        }
        return next;
      }
    }
    at = next;
  }
  return at;
}

std::string ResolveOrFail(const char* path) {
  if (!path) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return {};
  }
  DWORD error = ERROR_SUCCESS;
  std::string posix = ResolvePath(path, &error);
  if (posix.empty()) SetLastError(error);
  return posix;
}

std::string ToWindowsPath(std::string_view posixPath) {
  std::string path(posixPath);
  if (path.empty() || path[0] != '/') {
    char cwd[4096];
    if (getcwd(cwd, sizeof cwd)) path = Join(cwd, path);
  }
  char letter = 'C';
  std::string root = "/";
  for (const Drive& d : Drives()) {
    const std::string& f = d.folder;
    bool under = f == "/" || (path.compare(0, f.size(), f) == 0 && (path.size() == f.size() || path[f.size()] == '/'));
    if (under && f.size() > root.size()) {
      letter = d.letter;
      root = f;
    }
  }
  std::string rest = root == "/" ? path : path.substr(root.size());
  std::string out(1, letter);
  out += ":\\";
  for (std::string_view part : Split(rest)) {
    if (out.back() != '\\') out += '\\';
    out += zq::text::Utf8ToAnsi(part);
  }
  return out;
}

bool MatchesPattern(std::string_view anyName, std::string_view anyPattern) {
  if (anyPattern == "*.*" || anyPattern == "*") return true;
  std::string name = Upper(anyName), pattern = Upper(anyPattern);
  // Iterative wildcard match, one character unit at a time.
  std::size_t n = 0, p = 0, starP = std::string::npos, starN = 0;
  auto unitAt = [](const std::string& s, std::size_t at) { return std::string_view(s).substr(at, zq::text::CharLen(s, at)); };
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      starP = p++;
      starN = n;
    } else if (p < pattern.size() && (pattern[p] == '?' || unitAt(name, n) == unitAt(pattern, p))) {
      n += zq::text::CharLen(name, n);
      p += zq::text::CharLen(pattern, p);
    } else if (starP != std::string::npos) {
      p = starP + 1;
      starN += zq::text::CharLen(name, starN);
      n = starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

}  // namespace zq::fs
