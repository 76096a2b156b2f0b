// The processing pass: per folder of the scanned list the icon and background conversions,
// the padded "dune_folder.txt", default covers for folders without one, then the catalogs.
//
// The pass works on what it took when it started: the settings, options and tables, the
// scan's rules for its rescan, and the roots (PASSSETTINGS), all plain values. A settings
// window open meanwhile cannot hand it half-typed values, and a root chosen after the scan is
// refused ("Run Scan Root First.") before anything is changed. The pass and the catalogs take
// each folder record as a copy (Queue::Peek) and write a changed one back at its position, so
// the folder list's buffer is no thread's to share.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/Scan.h"
#include "app/State.h"
#include "zqruntime/queue.h"

// One layout row of QSCRIPT, texts without trailing blanks.
struct LAYOUTROW {
  std::string ALIGN;
  int16_t IDX = 0;
  int16_t IDY = 0;
  double SCALE = 0;
  std::string AUTOICON;
  int16_t COLS = 0;
  int16_t ROWS = 0;
  int16_t TOP = 0;
  int16_t BOT = 0;
  std::string FSIZE;
  std::string IVIEW;
};

// What the pass and the catalogs read, taken once when the pass starts.
struct PASSSETTINGS {
  SETTINGSGROUP ST;
  uint8_t RMC = 0, DOICCONV = 0, AUTOICRESIZE = 0, DOBGCONV = 0, AUTOBGRESIZE = 0, DELSCRIPT = 0, UPDSCRIPT = 0;
  uint8_t PROCESSV = 0, DOINDEXV = 0, REMEMPTYV = 0, PROCESSA = 0, DOINDEXA = 0, REMEMPTYA = 0;
  std::vector<LAYOUTROW> LAYOUTS;                           // QSCRIPT's rows; row n is LAYOUTS[n - 1]
  std::vector<std::pair<std::string, std::string>> COVERS;  // VEXTENSIONS: EXT, COVER
  SCANRULES SCAN;                                           // the rescan's rules
  std::string INIPATH;                                      // CHECKPATH form
  std::string ROOT;     // the root the folder list was scanned from (CHECKPATH form), empty for no list
  std::string ROOTDIR;  // the program's root as it stood
};

// The settings group, the options, the layout and extension tables, the scan's rules, INIPATH
// and ROOTDIR as they are now, and the root q was scanned from (the folder of its level-1
// records).
PASSSETTINGS TAKEPASSSETTINGS(const zq::rt::Queue& q);

// The processing thread: group holds the bytes of T2GROUP (the folder queue and the thread to
// notify). Runs through RUNJOB(kPassEnded, THREADNR), so its end is posted whatever the outcome.
void WRITESCRIPTTH(std::string_view group);

// The pass over the folder queue of the group.
void WRITESCRIPT(std::string_view group);

// Copies a default cover from "Covers" under INIPATH into each folder of q that lacks one
// (or into every folder, where the level's layout row says "ALL"), then scans the root again.
void MISSINGCOVERS(zq::rt::Queue& q, const PASSSETTINGS& s);
