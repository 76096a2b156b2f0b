// The records of the program's queues and thread parameters: a typed view of each, which
// declares its fields (the record's layout is built from it), and the codes their fields hold.
// Code reads and writes these records through the views only: QDIRF.DFNEXT(r),
// MFQF.MTYPE.Set(r, ...).
#pragma once
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "zqruntime/record.h"

// A layout below as the runtime's queues and records take it (the layouts last as long as the
// program): zq::rt::Record group(SharedLayout(T1GROUPTYPE()));
std::shared_ptr<const zq::rt::RecordLayout> SharedLayout(const zq::rt::RecordLayout& layout);

// Field numbers of QDIRTYPE that the main window's folder list shows.
constexpr uint32_t kQDirName = 1;
constexpr uint32_t kQDirIcon = 2;
constexpr uint32_t kQDirLevel = 3;

// The folder list's icons (QDIR's ICON), numbered from 1 in the order of their files.
enum class FolderIcon : uint8_t {
  SubFolder = 1,
  Picture,     // the folder's icon in another format than AAI
  Video,       // a video file or a rip folder
  Missing,     // "Missing Icon"
  AaiPicture,  // the folder's AAI icon
  Audio,
  Background,
  Info,
};
struct FOLDERICONFILE {
  FolderIcon icon;
  const char* file;  // the picture in the program's icons, without ".ico"
};
inline constexpr FOLDERICONFILE kFolderIconFiles[] = {
    {FolderIcon::SubFolder, "VistaFolder"}, {FolderIcon::Picture, "VistaImage"},
    {FolderIcon::Video, "VistaMovie"},      {FolderIcon::Missing, "CrossSmall"},
    {FolderIcon::AaiPicture, "VistaMulImage"}, {FolderIcon::Audio, "VistaAudio2"},
    {FolderIcon::Background, "Star"},       {FolderIcon::Info, "Info"}};
static_assert([] {
  int32_t n = 0;
  for (const FOLDERICONFILE& f : kFolderIconFiles) {
    if (static_cast<int32_t>(f.icon) != ++n) return false;
  }
  return n == static_cast<int32_t>(FolderIcon::Info);
}(), "kFolderIconFiles lists each icon once, at its number");

// A folder's media kind (QDIR's MTYPE), as stored.
enum class FolderMedia : uint8_t {
  None = 0,
  BluRayRip = 1,      // a "BDMV" sub-folder
  DvdRip = 2,         // a "VIDEO_TS" sub-folder
  OneVideo = 3,       // exactly one media file, a video whose extension has a media link
  SeveralVideos = 4,  // a video and more media files, or a video without a media link
  Audio = 10,         // audio files only
};

// A folder of videos: a rip or video files.
constexpr bool IsVideoFolder(FolderMedia kind) {
  return kind >= FolderMedia::BluRayRip && kind <= FolderMedia::SeveralVideos;
}
constexpr bool IsAudioFolder(FolderMedia kind) { return kind == FolderMedia::Audio; }

// A medium's type (MFQ's MTYPE), as stored; STYPE holds its text.
enum class MediumType : uint8_t {
  Unknown = 0,
  BdRip = 1,      // a "BDMV" folder or a disc image of 8 GiB or more
  DvdRip = 2,     // a "VIDEO_TS" folder or a smaller disc image
  VideoFile = 3,
  MusicFile = 4,
};
// The texts of the types, by their numbers.
inline constexpr std::string_view kMediumTypeTexts[] = {"Unknown", "BD-Rip", "DVD-Rip", "Video-File", "Music-File"};
constexpr std::string_view MediumTypeText(MediumType type) {
  const auto n = static_cast<size_t>(type);
  return n < std::size(kMediumTypeTexts) ? kMediumTypeTexts[n] : kMediumTypeTexts[0];
}
// The type whose text is exactly text; Unknown for any other.
constexpr MediumType MediumTypeOfText(std::string_view text) {
  for (size_t n = 1; n < std::size(kMediumTypeTexts); ++n) {
    if (text == kMediumTypeTexts[n]) return static_cast<MediumType>(n);
  }
  return MediumType::Unknown;
}

// A medium's category; MFQ's SCAT holds its letter.
enum class MediaCategory : uint8_t {
  Unknown = 0,
  Video = 1,
  Audio = 2,
};
constexpr std::string_view CategoryLetter(MediaCategory category) {
  return category == MediaCategory::Video ? "V" : category == MediaCategory::Audio ? "A" : "U";
}

// QDIRTYPE: one entry of the folder list. A scanned folder gives its sub-folders' and media
// files' entries, then its own record (SCRIPT 1), then its background's entry.
struct QDIRFIELDS : zq::rt::RecordView {
  // The text shown: a sub-folder or media file, the icon's file, "Missing Icon"
  zq::rt::TextField NAME{*this, zq::rt::CSTRING("NAME", 256)};
  zq::rt::WholeField ICON{*this, zq::rt::LONG("ICON")};  // the folder list's icon number
  zq::rt::WholeField LEVEL{*this, zq::rt::LONG("LEVEL")};  // depth: 1 for the root's entries
  // 1 on the folder's own record, the one the pass works on
  zq::rt::WholeField SCRIPT{*this, zq::rt::BYTE("SCRIPT")};
  zq::rt::WholeField ISFOLDER{*this, zq::rt::BYTE("ISFOLDER")};  // 1 when NAME is a folder inside DIRNAME
  zq::rt::TextField DIRNAME{*this, zq::rt::CSTRING("DIRNAME", 256)};  // the folder holding NAME, no final "\"
  zq::rt::TextField CN{*this, zq::rt::CSTRING("CN", 64)};  // the folder's AAI icon file, empty when none
  zq::rt::WholeField CNACT{*this, zq::rt::BYTE("CNACT")};  // 1 when CN was found
  zq::rt::TextField CF{*this, zq::rt::CSTRING("CF", 64)};  // the folder's icon in another format
  zq::rt::WholeField CFACT{*this, zq::rt::BYTE("CFACT")};  // 1 when CF was found
  zq::rt::TextField BN{*this, zq::rt::CSTRING("BN", 64)};  // the folder's AAI background file
  zq::rt::WholeField BNACT{*this, zq::rt::BYTE("BNACT")};  // 1 when BN was found
  zq::rt::TextField BF{*this, zq::rt::CSTRING("BF", 64)};  // the folder's background in another format
  zq::rt::WholeField BFACT{*this, zq::rt::BYTE("BFACT")};  // 1 when BF was found
  zq::rt::WholeField DFCUR{*this, zq::rt::BYTE("DFCUR")};  // 1 when the folder has an icon (AAI or other)
  zq::rt::WholeField DFNEXT{*this, zq::rt::BYTE("DFNEXT")};  // 1 when a scanned sub-folder has an icon
  zq::rt::EnumField<FolderMedia> MTYPE{*this, zq::rt::BYTE("MTYPE")};  // the folder's media kind
  zq::rt::TextField MNAME{*this, zq::rt::CSTRING("MNAME", 256)};  // the first video file, else the first audio file
};
extern const QDIRFIELDS QDIRF;
inline const zq::rt::RecordLayout& QDIRTYPE() { return QDIRF.Layout(); }

// MFQTYPE: one medium of the media list.
struct MFQFIELDS : zq::rt::RecordView {
  zq::rt::TextField DIR{*this, zq::rt::CSTRING("DIR", 256)};  // the folder holding the medium
  zq::rt::TextField DNAME{*this, zq::rt::CSTRING("DNAME", 256)};  // DIR's last folder name
  zq::rt::TextField MNAME{*this, zq::rt::CSTRING("MNAME", 256)};  // the file name, or "BDMV" / "VIDEO_TS"
  zq::rt::TextField EXTENSION{*this, zq::rt::CSTRING("EXTENSION", 32)};  // MNAME's extension, without the dot
  zq::rt::TextField SCAT{*this, zq::rt::CSTRING("SCAT", 5)};  // the category's letter (CategoryLetter)
  zq::rt::TextField STYPE{*this, zq::rt::CSTRING("STYPE", 12)};  // MTYPE's text (MediumTypeText)
  zq::rt::RealField RSIZE{*this, zq::rt::REAL("RSIZE")};  // bytes (a rip folder's total)
  zq::rt::TextField HRSIZE{*this, zq::rt::STRING("HRSIZE", 25)};  // RSIZE as text with its unit
  zq::rt::EnumField<MediumType> MTYPE{*this, zq::rt::BYTE("MTYPE")};
};
extern const MFQFIELDS MFQF;
inline const zq::rt::RecordLayout& MFQTYPE() { return MFQF.Layout(); }

// QSCRIPTTYPE: the layout of one folder level (row n = level n).
struct QSCRIPTFIELDS : zq::rt::RecordView {
  zq::rt::WholeField NR{*this, zq::rt::BYTE("NR")};  // the level, the row's number
  zq::rt::TextField ALIGN{*this, zq::rt::STRING("ALIGN", 10)};  // icon alignment: "Top", "Center", "Bottom"
  zq::rt::WholeField IDX{*this, zq::rt::SHORT("IDX")};  // icon horizontal offset
  zq::rt::WholeField IDY{*this, zq::rt::SHORT("IDY")};  // icon vertical offset
  zq::rt::RealField SCALE{*this, zq::rt::REAL("SCALE")};  // icon scale factor
  // Default covers: "ALL" every folder, "OMI" those without an icon
  zq::rt::TextField AUTOICON{*this, zq::rt::STRING("AUTOICON", 10)};
  zq::rt::WholeField DIR{*this, zq::rt::SHORT("DIR")};  // the level below, NR + 1
  zq::rt::WholeField COLS{*this, zq::rt::SHORT("COLS")};  // icon view columns
  zq::rt::WholeField ROWS{*this, zq::rt::SHORT("ROWS")};  // icon view rows
  zq::rt::WholeField TOP{*this, zq::rt::SHORT("TOP")};  // icon view top margin
  zq::rt::WholeField BOT{*this, zq::rt::SHORT("BOT")};  // icon view bottom margin
  zq::rt::WholeField TEXTBOT{*this, zq::rt::SHORT("TEXTBOT")};  // caption bottom margin
  zq::rt::TextField FSIZE{*this, zq::rt::STRING("FSIZE", 10)};  // caption font size: "Small" or "Normal"
  zq::rt::TextField IVIEW{*this, zq::rt::STRING("IVIEW", 5)};  // icon view: "Yes" or "No"
};
extern const QSCRIPTFIELDS QSCRIPTF;
inline const zq::rt::RecordLayout& QSCRIPTTYPE() { return QSCRIPTF.Layout(); }
// The layout table has a row for each of the levels 1 to kLayoutRows.
constexpr uint32_t kLayoutRows = 7;

// VEXTTYPE and AEXTTYPE: a video or an audio extension (the same fields, EXT of its own size).
struct EXTFIELDS : zq::rt::RecordView {
  // extSize: the length of EXT, the only field in which the two differ.
  explicit EXTFIELDS(uint32_t extSize) : EXT{*this, zq::rt::STRING("EXT", extSize)} {}
  zq::rt::TextField EXT;  // the extension, upper case, without the dot
  zq::rt::TextField COVER{*this, zq::rt::STRING("COVER", 64)};  // base name of its default cover in "Covers"
  // 1: a video folder holding it gets no media link
  zq::rt::WholeField NOMEDIAURL{*this, zq::rt::BYTE("NOMEDIAURL")};
};
extern const EXTFIELDS VEXTF;
inline const zq::rt::RecordLayout& VEXTTYPE() { return VEXTF.Layout(); }
extern const EXTFIELDS AEXTF;
inline const zq::rt::RecordLayout& AEXTTYPE() { return AEXTF.Layout(); }

// QNOSCANTYPE: a folder name the scan does not enter.
struct QNOSCANFIELDS : zq::rt::RecordView {
  zq::rt::TextField FNAME{*this, zq::rt::CSTRING("FNAME", 64)};  // the name, no path, upper case
};
extern const QNOSCANFIELDS QNOSCANF;
inline const zq::rt::RecordLayout& QNOSCANTYPE() { return QNOSCANF.Layout(); }

// T1GROUPTYPE: the scan thread's parameter.
struct T1GROUPFIELDS : zq::rt::RecordView {
  zq::rt::TextField ROOT{*this, zq::rt::CSTRING("ROOT", 256)};  // the folder to scan
  zq::rt::WholeField THREADNR{*this, zq::rt::LONG("THREADNR")};  // the thread its end is posted to
};
extern const T1GROUPFIELDS T1GROUPF;
inline const zq::rt::RecordLayout& T1GROUPTYPE() { return T1GROUPF.Layout(); }

// T2GROUPTYPE: the processing thread's parameter.
struct T2GROUPFIELDS : zq::rt::RecordView {
  zq::rt::ReferenceField QDIR{*this, zq::rt::REFERENCE("QDIR")};  // the folder list to process
  zq::rt::WholeField THREADNR{*this, zq::rt::LONG("THREADNR")};  // the thread its end is posted to
};
extern const T2GROUPFIELDS T2GROUPF;
inline const zq::rt::RecordLayout& T2GROUPTYPE() { return T2GROUPF.Layout(); }

// Typed views of records by their names, for the check that all their fields are bound.
using NAMEDVIEWS = std::vector<std::pair<std::string_view, const zq::rt::RecordView*>>;
// "VIEW.FIELD" for each member of the views that does not bind its field, joined by ", ";
// empty when all are bound. The program does not start otherwise.
std::string UNBOUNDFIELDS(const NAMEDVIEWS& views);
