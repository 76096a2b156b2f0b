// A folder file as the editor holds it: the keyed values in a DUNEFILE, uncut, and the lines
// of every other key in their order, so that saving drops nothing the file held.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/FolderFile.h"

struct FolderFileContent {
  DUNEFILE record;
  std::vector<std::string> others;  // lines without a key of the record, without line ends
};

// Reads the whole file at path. 0 after a read (an empty file included); -999 for a blank
// path; the file layer's negative code when it cannot be read (-1 for a file above 16 MiB),
// the content then untouched.
int16_t ReadFolderFileContent(FolderFileContent& content, std::string_view path);

// The text written: the record's blocks, then the other lines, after an empty line when a
// block stands before them; empty when there is neither.
std::string FolderFileContentText(FolderFileContent& content);

// Writes the file anew from the content (an emptied form gives an empty file); the bytes
// written, or the failure as WRITEDUNEFILE reports it.
int32_t SaveFolderFileContent(FolderFileContent& content, std::string_view path);
