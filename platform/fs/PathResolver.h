// Path resolution helpers shared by the file calls (ResolvePath itself is in files.h).
#pragma once
#include <string>
#include <string_view>

#include "zqplatform/handles.h"

namespace zq::fs {

// The POSIX path of an ANSI path taken exactly as written (no look at the file system).
std::string ExactPath(std::string_view ansiPath, DWORD* error);

// ResolvePath of a path that may be null: empty with the last error set on failure.
std::string ResolveOrFail(const char* ansiPath);

// True when an ANSI path names a root: "C:\", "C:", "\", "/", "\\server\share\".
bool NamesRoot(std::string_view ansiPath);
// True when the path ends in "\" or "/".
bool EndsInSeparator(std::string_view ansiPath);
// The POSIX path, with a "/" at its end when the ANSI path ends in a separator: the system
// then takes it for a folder only.
std::string MarkedAsFolder(std::string posixPath, std::string_view ansiPath);
// Case-blind match of an ANSI name against a pattern with * and ? ("*.*" matches every name).
bool MatchesPattern(std::string_view name, std::string_view pattern);

}  // namespace zq::fs
