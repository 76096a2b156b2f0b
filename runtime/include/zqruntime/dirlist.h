// Folder listings into a queue, over the platform's file layer.
#pragma once
#include <string>
#include <string_view>

#include "zqruntime/queue.h"

namespace zq::rt {

// Listing attributes, as the file layer reports them.
constexpr uint8_t kAttrReadOnly = 0x01;
constexpr uint8_t kAttrHidden = 0x02;
constexpr uint8_t kAttrSystem = 0x04;
constexpr uint8_t kAttrDirectory = 0x10;
constexpr uint8_t kAttrArchive = 0x20;

// The record of a listing entry: NAME CSTRING(256), SHORTNAME CSTRING(14) (the file
// layer's short name, or the name itself where there is none), DATE LONG (local date of the
// last write as yyyymmdd), TIME LONG (hundredths of a second since local midnight), SIZE REAL
// (bytes, exact beyond 4 GB), ATTRIB BYTE, ISLINK BYTE (1 for a symbolic link; the other
// fields then describe what it leads to).
const RecordLayout& DirectoryLayout();
// DirectoryLayout()'s typed view.
struct DirectoryFields : RecordView {
  DirectoryFields() : RecordView(DirectoryLayout()) {}
  TextField NAME{*this, "NAME"};
  TextField SHORTNAME{*this, "SHORTNAME"};
  WholeField DATE{*this, "DATE"};
  WholeField TIME{*this, "TIME"};
  RealField SIZE{*this, "SIZE"};
  WholeField ATTRIB{*this, "ATTRIB"};  // kAttr... bits
  WholeField ISLINK{*this, "ISLINK"};
};
const DirectoryFields& DirectoryView();

// Lists the entries of a folder that match a pattern ("D:\Films\*.*"), sub-folders and
// hidden and system entries included, into queue (its layout must be DirectoryLayout()'s or
// one with the same field names), after emptying it. "." and ".." come first, except at a
// drive root. A missing or unreadable folder leaves the queue empty. Returns the number of
// entries added.
uint32_t ListDirectory(std::string_view pattern, Queue& queue);

// The process's current folder in its Windows form ("D:\Films", "C:\" at the root), as the
// file layer maps drives; names have no shorter form of their own, so it is also the short
// form. Empty when the current folder is gone.
std::string CurrentFolder();

// A path as the program names paths: a POSIX path as a user types it ("/srv/media") in its
// drive-letter form ("M:\", by the file layer's drive map), a trailing separator kept; any
// other path unchanged.
std::string WindowsForm(std::string_view path);

}  // namespace zq::rt
