// The record layouts of the program's queues and thread parameters, a typed view of each (its
// fields bound by name once, at start-up) and the codes their fields hold. Code reads and
// writes these records through the views only: QDIRF.DFNEXT(r), MFQF.MTYPE.Set(r, ...).
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "zqruntime/record.h"

// Record layouts of the queues and thread parameters.
const zq::rt::RecordLayout& QDIRTYPE();     // a scanned folder's entries, in tree order
const zq::rt::RecordLayout& MFQTYPE();      // one medium of the media list
const zq::rt::RecordLayout& QSCRIPTTYPE();  // one folder level's layout
const zq::rt::RecordLayout& VEXTTYPE();     // a video extension
const zq::rt::RecordLayout& AEXTTYPE();     // an audio extension
const zq::rt::RecordLayout& QNOSCANTYPE();  // a folder name the scan does not enter
const zq::rt::RecordLayout& T1GROUPTYPE();  // ROOT CSTRING(256), THREADNR LONG: 260 bytes
const zq::rt::RecordLayout& T2GROUPTYPE();  // QDIR a queue's address, THREADNR LONG

// A layout above as the runtime's queues and records take it (the layouts last as long as the
// program): zq::rt::Record group(SharedLayout(T1GROUPTYPE()));
std::shared_ptr<const zq::rt::RecordLayout> SharedLayout(const zq::rt::RecordLayout& layout);

// Field numbers of QDIRTYPE that the main window's folder list shows.
constexpr uint32_t kQDirName = 1;
constexpr uint32_t kQDirIcon = 2;
constexpr uint32_t kQDirLevel = 3;

// A folder's media kind (QDIR's MTYPE), as stored.
enum class FolderMedia : uint8_t {
  None = 0,
  BluRayRip = 1,      // a "BDMV" sub-folder
  DvdRip = 2,         // a "VIDEO_TS" sub-folder
  OneVideo = 3,       // exactly one media file, a video whose extension has a media link
  SeveralVideos = 4,  // a video and more media files, or a video without a media link
  Audio = 10,         // audio files only
};

// A medium's type (MFQ's MTYPE), as stored; STYPE holds its text.
enum class MediumType : uint8_t {
  Unknown = 0,
  BdRip = 1,      // "BD-Rip": a "BDMV" folder or a disc image of 8 GiB or more
  DvdRip = 2,     // "DVD-Rip": a "VIDEO_TS" folder or a smaller disc image
  VideoFile = 3,  // "Video-File"
  MusicFile = 4,  // "Music-File"
};

// QDIRTYPE: one entry of the folder list. A scanned folder gives its sub-folders' and media
// files' entries, then its own record (SCRIPT 1), then its background's entry.
struct QDIRFIELDS : zq::rt::RecordView {
  QDIRFIELDS() : RecordView(QDIRTYPE()) {}
  zq::rt::TextField NAME{*this, "NAME"};  // the text shown: a sub-folder or media file, the icon's file, "Missing Icon"
  zq::rt::WholeField ICON{*this, "ICON"};    // the folder list's icon number
  zq::rt::WholeField LEVEL{*this, "LEVEL"};  // depth: 1 for the root's entries
  zq::rt::WholeField SCRIPT{*this, "SCRIPT"};  // 1 on the folder's own record, the one the pass works on
  zq::rt::WholeField ISFOLDER{*this, "ISFOLDER"};  // 1 when NAME is a folder inside DIRNAME
  zq::rt::TextField DIRNAME{*this, "DIRNAME"};     // the folder holding NAME, no final "\"
  zq::rt::TextField CN{*this, "CN"};               // the folder's AAI icon file, empty when none
  zq::rt::WholeField CNACT{*this, "CNACT"};        // 1 when CN was found
  zq::rt::TextField CF{*this, "CF"};               // the folder's icon in another format
  zq::rt::WholeField CFACT{*this, "CFACT"};        // 1 when CF was found
  zq::rt::TextField BN{*this, "BN"};               // the folder's AAI background file
  zq::rt::WholeField BNACT{*this, "BNACT"};        // 1 when BN was found
  zq::rt::TextField BF{*this, "BF"};               // the folder's background in another format
  zq::rt::WholeField BFACT{*this, "BFACT"};        // 1 when BF was found
  zq::rt::WholeField DFCUR{*this, "DFCUR"};        // 1 when the folder has an icon (AAI or other)
  zq::rt::WholeField DFNEXT{*this, "DFNEXT"};      // 1 when a scanned sub-folder has an icon
  zq::rt::EnumField<FolderMedia> MTYPE{*this, "MTYPE"};  // the folder's media kind
  zq::rt::TextField MNAME{*this, "MNAME"};  // the first video file, else the first audio file
};
extern const QDIRFIELDS QDIRF;

// MFQTYPE: one medium of the media list.
struct MFQFIELDS : zq::rt::RecordView {
  MFQFIELDS() : RecordView(MFQTYPE()) {}
  zq::rt::TextField DIR{*this, "DIR"};              // the folder holding the medium
  zq::rt::TextField DNAME{*this, "DNAME"};          // DIR's last folder name
  zq::rt::TextField MNAME{*this, "MNAME"};          // the file name, or "BDMV" / "VIDEO_TS"
  zq::rt::TextField EXTENSION{*this, "EXTENSION"};  // MNAME's extension, without the dot
  zq::rt::TextField SCAT{*this, "SCAT"};            // "V" video, "A" audio, "U" unknown
  zq::rt::TextField STYPE{*this, "STYPE"};          // MTYPE's text: "BD-Rip" ... "Unknown"
  zq::rt::RealField RSIZE{*this, "RSIZE"};          // bytes (a rip folder's total)
  zq::rt::TextField HRSIZE{*this, "HRSIZE"};        // RSIZE as text with its unit
  zq::rt::EnumField<MediumType> MTYPE{*this, "MTYPE"};
};
extern const MFQFIELDS MFQF;

// QSCRIPTTYPE: the layout of one folder level (row n = level n).
struct QSCRIPTFIELDS : zq::rt::RecordView {
  QSCRIPTFIELDS() : RecordView(QSCRIPTTYPE()) {}
  zq::rt::WholeField NR{*this, "NR"};              // the level, the row's number
  zq::rt::TextField ALIGN{*this, "ALIGN"};         // icon alignment: "Top", "Center", "Bottom"
  zq::rt::WholeField IDX{*this, "IDX"};            // icon horizontal offset
  zq::rt::WholeField IDY{*this, "IDY"};            // icon vertical offset
  zq::rt::RealField SCALE{*this, "SCALE"};         // icon scale factor
  zq::rt::TextField AUTOICON{*this, "AUTOICON"};   // default covers: "ALL" every folder, "OMI" those without an icon
  zq::rt::WholeField DIR{*this, "DIR"};            // the level below, NR + 1
  zq::rt::WholeField COLS{*this, "COLS"};          // icon view columns
  zq::rt::WholeField ROWS{*this, "ROWS"};          // icon view rows
  zq::rt::WholeField TOP{*this, "TOP"};            // icon view top margin
  zq::rt::WholeField BOT{*this, "BOT"};            // icon view bottom margin
  zq::rt::WholeField TEXTBOT{*this, "TEXTBOT"};    // caption bottom margin
  zq::rt::TextField FSIZE{*this, "FSIZE"};         // caption font size: "Small" or "Normal"
  zq::rt::TextField IVIEW{*this, "IVIEW"};         // icon view: "Yes" or "No"
};
extern const QSCRIPTFIELDS QSCRIPTF;
// The layout table has a row for each of the levels 1 to kLayoutRows.
constexpr uint32_t kLayoutRows = 7;

// VEXTTYPE and AEXTTYPE: a video or an audio extension (the same fields, EXT of its own size).
struct EXTFIELDS : zq::rt::RecordView {
  explicit EXTFIELDS(const zq::rt::RecordLayout& layout) : RecordView(layout) {}
  zq::rt::TextField EXT{*this, "EXT"};            // the extension, upper case, without the dot
  zq::rt::TextField COVER{*this, "COVER"};        // base name of its default cover in "Covers"
  zq::rt::WholeField NOMEDIAURL{*this, "NOMEDIAURL"};  // 1: a video folder holding it gets no media link
};
extern const EXTFIELDS VEXTF;
extern const EXTFIELDS AEXTF;

// QNOSCANTYPE: a folder name the scan does not enter.
struct QNOSCANFIELDS : zq::rt::RecordView {
  QNOSCANFIELDS() : RecordView(QNOSCANTYPE()) {}
  zq::rt::TextField FNAME{*this, "FNAME"};  // the name, no path, upper case
};
extern const QNOSCANFIELDS QNOSCANF;

// T1GROUPTYPE: the scan thread's parameter.
struct T1GROUPFIELDS : zq::rt::RecordView {
  T1GROUPFIELDS() : RecordView(T1GROUPTYPE()) {}
  zq::rt::TextField ROOT{*this, "ROOT"};           // the folder to scan
  zq::rt::WholeField THREADNR{*this, "THREADNR"};  // the thread its end is posted to
};
extern const T1GROUPFIELDS T1GROUPF;

// T2GROUPTYPE: the processing thread's parameter.
struct T2GROUPFIELDS : zq::rt::RecordView {
  T2GROUPFIELDS() : RecordView(T2GROUPTYPE()) {}
  zq::rt::ReferenceField QDIR{*this, "QDIR"};      // the folder list to process
  zq::rt::WholeField THREADNR{*this, "THREADNR"};  // the thread its end is posted to
};
extern const T2GROUPFIELDS T2GROUPF;

// Every typed view of the program's records by its name, for the check that all their fields
// are bound.
using NAMEDVIEWS = std::vector<std::pair<std::string_view, const zq::rt::RecordView*>>;
NAMEDVIEWS RECORDVIEWS();
// "VIEW.FIELD" for each field of the views that its layout does not bind, joined by ", ";
// empty when all are bound. The program does not start otherwise.
std::string UNBOUNDFIELDS(const NAMEDVIEWS& views = RECORDVIEWS());
