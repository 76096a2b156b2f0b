// What a file's status says in Windows terms.
#pragma once
#include <sys/stat.h>

#include "zqplatform/files.h"

namespace zq::fs {

FILETIME FileTimeOf(const struct timespec& t);
// FILE_ATTRIBUTE_DIRECTORY for a folder; a file is ARCHIVE, and READONLY without write bits.
DWORD AttributesOf(const struct stat& st);
bool ReadOnlyFile(const struct stat& st);

}  // namespace zq::fs
