// Whether a root the user typed names a folder the jobs may work on.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// 0 when root (a Windows-view path) is an existing folder on a drive ("D:\Films", "D:\") or a
// share ("\\nas\media\"); else the Windows error number: that of the file layer for a missing
// path, 267 (not a folder) for a file or a path that names no drive or share ("\", "\Films",
// "Films").
uint32_t RootFolderError(std::string_view root);

// The root a stored or typed text names (a Windows-view path): without the blanks after its
// last name, unless a folder on disk has them in its name ("D:\disk " beside "D:\disk").
std::string RootOfEntry(std::string_view text);

// The first name of root that the file layer's Windows view cannot hold exactly, quoted, and
// why ("\"disk \" ends in a blank"); empty when each name can be addressed as it stands.
std::string NameNotHeld(std::string_view root);
