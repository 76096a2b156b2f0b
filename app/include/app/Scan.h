// The folder scan: the folder list QDIR and the media list MFQ from the media root.
//
// Entries the scan leaves out, each reported once (SCANLEFTOUT), listed in "ScanLeftOut.txt"
// in the program folder and counted in the final status line: names a Windows path cannot
// hold (they would make the path layer reach another entry), files whose path and folders
// whose folder file would not fit the lists' 255 bytes, picture names longer than the 63
// characters of the lists' picture fields, symbolic links to folders, which are never
// followed (a link to a parent would recurse without end, one elsewhere would list a folder
// twice or leave the disk), and folders the user may not read. Only entries the scan would
// have used count: folders it would enter or take as a rip, media files and the pictures the
// settings name.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/Records.h"
#include "app/State.h"
#include "zqruntime/queue.h"

// The scan thread: group holds the bytes of T1GROUP (the root to scan and the thread to
// notify). Runs through RUNJOB(kScanEnded, THREADNR).
void SCANDIRTH(std::string_view group);

// What the scan reads of the settings, the tables and the options, taken once when a scan
// starts: a settings window open meanwhile does not change a scan under way.
struct SCANRULES {
  std::string ICONNAME;                                // ST.ACR.NAME, upper case
  std::string BACKGROUNDNAME;                          // ST.ABR.NAME, upper case
  std::vector<std::pair<std::string, uint8_t>> VIDEO;  // VEXTENSIONS: EXT upper case, NOMEDIAURL
  std::vector<std::string> AUDIO;                      // AEXTENSIONS: EXT upper case
  std::vector<std::string> NOSCAN;                     // QNOSCAN: FNAME upper case
  uint8_t DEEPSCAN = 0;
};
// The rules of the settings group st and of the tables and options as they stand now.
SCANRULES TAKESCANRULES(const SETTINGSGROUP& st);

// Scans one folder into q (a QDIRTYPE queue) and MFQ by the rules, with its entries at
// level + 1, and the sub-folders it may enter; 1 when the folder has an icon. Called with
// level 0 for a root; without rules, by the rules as they stand now.
uint8_t SCANDIR(zq::rt::Queue& q, std::string_view path, int32_t level, const SCANRULES& rules);
uint8_t SCANDIR(zq::rt::Queue& q, std::string_view path, int32_t level);

// Adds one medium to MFQ. kind: a rip folder (BdRip, DvdRip), a video file (a disc image
// becomes a rip by its size) or a music file.
void MLIST(std::string_view path, std::string_view name, MediaCategory category, MediumType kind);

enum class LeftOutReason : uint8_t {
  NameWindowsCannotHold,
  PathTooLong,
  PictureNameTooLong,
  FolderLink,
  Unreadable,  // a folder whose entries cannot be listed
};
struct LEFTOUTENTRY {
  std::string path;  // the folder's path, "\" and the name as listed
  LeftOutReason reason;
};
// The entries left out since the last scan of the scan thread started (a rescan of the pass
// adds to them).
std::vector<LEFTOUTENTRY> SCANLEFTOUT();
