// A folder file as the editor holds it: the keyed values in a DUNEFILE, uncut, and every line
// as it is stored, so that a save writes back only the values the user changed.
//
// A save keeps every line it does not change byte for byte (and the byte-order mark the file
// began with). Only the keys whose values differ from the values read are written, compared
// as their lines show them (texts without trailing blanks, the alignment, icon view and font
// size in lower case with "bot" as "bottom", numbers by value, so "06" left as 6 is no
// change), and written as the plain form writes them: a line replaced (keeping its end), put
// in beside its block's other keys, or removed where the value no longer calls for it. A line
// put in ends as the file's lines do (LF when every line ends in LF, CR when every line ends
// in CR, else CR LF). A block that a change switches on (an icon path, an icon view "yes", a
// background path) gets every line it lacks; a block switched off loses all of its lines and
// the empty line that parted it from the next.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/FolderFile.h"

struct FolderFileContent {
  // One stored line: its bytes (UTF-8, as stored) and its line end (CR LF, LF, CR or none).
  struct Line {
    std::string bytes, end;
  };
  DUNEFILE record;    // the values the form shows and edits
  DUNEFILE asRead;    // the values as read, to tell what the user changed
  std::string mark;   // the byte-order mark the file began with, or nothing
  std::string lineEnd = "\r\n";  // the end of a line put in
  std::vector<Line> lines;
};

// The read of a file in an encoding a save would not keep: UTF-16 (by its byte-order mark) or
// any NUL byte.
constexpr int16_t kForeignEncoding = -998;

// The content of a file's stored bytes.
FolderFileContent FolderFileContentOf(std::string_view bytes);

// The bytes a save stores: empty when the save leaves no line of a file that had some.
std::string FolderFileContentBytes(const FolderFileContent& content);

// Reads the whole file at path, a read-only one too. 0 after a read (an empty file included);
// -999 for a blank path; kForeignEncoding; the file layer's negative code when it cannot be
// read (-1 for a file above 16 MiB), with the system's error in *systemError when given; the
// content untouched on failure.
int16_t ReadFolderFileContent(FolderFileContent& content, std::string_view path, uint32_t* systemError = nullptr);

// Writes the file from the content (an emptied content as an empty file), beside it and then
// renamed over it, through a symbolic link to the file it leads to, keeping its permission
// bits; a failed save leaves the file as it was. The bytes written, or on failure "Error
// Writing dune_folder.txt" shown with the path and the system's reason, and its answer (1).
int32_t SaveFolderFileContent(const FolderFileContent& content, std::string_view path);
