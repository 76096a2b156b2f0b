// One folder of the scan, and the folders below it.
#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "LeftOut.h"
#include "app/Helpers.h"
#include "app/MainWindow.h"
#include "app/Scan.h"
#include "app/State.h"
#include "app/Text.h"
#include "hostlib/Procedures.h"
#include "hostlib/Wrappers.h"
#include "zqplatform/files.h"
#include "zqruntime/queue.h"

namespace {

constexpr size_t kPathBytes = 255;     // a path field of the lists holds 255 bytes
constexpr size_t kPictureBytes = 63;   // a picture name field holds 63
constexpr std::string_view kFolderFile = "dune_folder.txt";

class Upper {
 public:
  std::string operator()(std::string_view text) {
    text_.SET(text, static_cast<int32_t>(text.size()));
    text_.MAKEUPPER();
    return text_.GET(0, 0);
  }

 private:
  XSTRING text_;
};

struct Entry {
  std::string name;   // as listed
  std::string upper;  // without trailing blanks, in upper case
  bool folder;
  bool link;
};

struct Picture {
  std::string name;
  bool found = false;
  void Take(const std::string& n) {
    name = n;
    found = true;
  }
};

// A sub-folder to enter, or the reason it cannot be entered.
struct SubFolder {
  std::string name;
  std::optional<LeftOutReason> fault;
};

struct MediaFile {
  std::string name;
  FolderMedia kind;  // the kind it gives a folder alone: one video, several (no media link), audio
  MediaCategory category;
};

// The folder's own state while its entries are read.
struct FolderFindings {
  Picture aaiIcon, otherIcon, aaiBackground, otherBackground;
  FolderMedia ripKind = FolderMedia::None;
  std::vector<MediaFile> media;
  bool noUrlVideo = false;
  std::vector<SubFolder> subFolders;
};

bool Skipped(std::string_view upper) {
  for (std::string_view skip : {"_CATVIDEO", "_CATAUDIO", "SYSTEM VOLUME INFORMATION", "RECYCLER", "AUDIO_TS", ".", ".."})
    if (upper == skip) return true;
  return false;
}

// Leaves out the folder at path, named by its parent and its own name.
void LeaveOutFolder(std::string_view path, LeftOutReason reason) {
  const std::string folder = CHECKPATH(path);
  const std::string_view f(folder);
  const size_t cut = f.rfind('\\', f.size() - 2);
  if (GETROOT(folder) == folder || cut == std::string::npos) return LEAVEOUT(f, "", reason);
  LEAVEOUT(f.substr(0, cut), f.substr(cut + 1, f.size() - cut - 2), reason);
}

bool StopAsked() { return ABORTALL != 0 || (T1RUNNING != 0 && T1ABORT != 0); }

// A folder is entered only when its folder file's path fits a path field.
bool FolderFits(std::string_view folderPath) { return CHECKPATH(folderPath).size() + kFolderFile.size() <= kPathBytes; }

class FolderScan {
 public:
  FolderScan(zq::rt::Queue& q, const SCANRULES& rules, Upper& upper) : q_(q), rules_(rules), upper_(upper) {}

  uint8_t Scan(std::string_view path, int32_t level);

 private:
  std::optional<std::vector<Entry>> List(const std::string& folder);  // none: unreadable
  void Folder(const std::string& path, const Entry& e, FolderFindings& f);
  void File(const std::string& path, const Entry& e, FolderFindings& f);
  void Add(std::string_view name, std::string_view dirname, FolderIcon icon, int32_t level, uint8_t isFolder);
  void AddOwnRecord(const FolderFindings& f, const std::string& dirname, int32_t level, uint8_t subFolderIcons);

  zq::rt::Queue& q_;
  const SCANRULES& rules_;
  Upper& upper_;
};

// A folder that can be read lists "." and ".." at least; a drive or share root lists neither,
// so an empty root counts as unreadable only when its listing was refused.
std::optional<std::vector<Entry>> FolderScan::List(const std::string& folder) {
  std::vector<FolderEntry> listed = ListFolder(folder);
  if (listed.empty()) {
    const DWORD error = GetLastError();
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    const bool there = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (there && (GETROOT(folder) != folder || error == ERROR_ACCESS_DENIED)) return std::nullopt;
    return std::vector<Entry>{};
  }
  std::vector<Entry> entries;
  entries.reserve(listed.size());
  for (FolderEntry& e : listed) {
    std::string up = upper_(WithoutTrailingBlanks(e.name));
    entries.push_back({std::move(e.name), std::move(up), e.folder, e.link});
  }
  // By name as the file system the lists were made for orders them: without regard to case.
  std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
    return a.upper != b.upper ? a.upper < b.upper : a.name < b.name;
  });
  return entries;
}

// What keeps a folder the scan would use from being reached: a name that no Windows path
// can hold, or a link.
std::optional<LeftOutReason> FaultOf(const Entry& e) {
  if (!zq::fs::HoldsExactly(e.name)) return LeftOutReason::NameWindowsCannotHold;
  if (e.link) return LeftOutReason::FolderLink;
  return std::nullopt;
}

void FolderScan::Folder(const std::string& path, const Entry& e, FolderFindings& f) {
  if (e.upper == "BDMV" || e.upper == "VIDEO_TS") {
    if (const auto fault = FaultOf(e)) return LEAVEOUT(path, e.name, *fault);
    const bool bluRay = e.upper == "BDMV";
    if (f.ripKind == FolderMedia::None) f.ripKind = bluRay ? FolderMedia::BluRayRip : FolderMedia::DvdRip;
    MLIST(path, e.upper, MediaCategory::Video, bluRay ? MediumType::BdRip : MediumType::DvdRip);
    return;
  }
  if (Skipped(e.upper)) return;
  if (std::find(rules_.NOSCAN.begin(), rules_.NOSCAN.end(), e.upper) != rules_.NOSCAN.end()) return;
  f.subFolders.push_back({e.name, FaultOf(e)});
}

// Only the files the scan uses, media and the pictures the settings name, count as left out.
void FolderScan::File(const std::string& path, const Entry& e, FolderFindings& f) {
  const std::string ext = GETEXT(e.upper);
  if (ext.empty()) return;
  Picture* picture = nullptr;
  if (e.upper == rules_.ICONNAME + ".AAI") picture = &f.aaiIcon;
  else if (e.upper == rules_.ICONNAME + "." + ext) picture = &f.otherIcon;
  else if (e.upper == rules_.BACKGROUNDNAME + ".AAI") picture = &f.aaiBackground;
  else if (e.upper == rules_.BACKGROUNDNAME + "." + ext) picture = &f.otherBackground;
  const auto video = std::find_if(rules_.VIDEO.begin(), rules_.VIDEO.end(),
                                  [&](const auto& known) { return known.first == ext; });
  const bool audio = std::find(rules_.AUDIO.begin(), rules_.AUDIO.end(), ext) != rules_.AUDIO.end();
  if (!picture && video == rules_.VIDEO.end() && !audio) return;
  if (!zq::fs::HoldsExactly(e.name)) return LEAVEOUT(path, e.name, LeftOutReason::NameWindowsCannotHold);
  if (CHECKPATH(path).size() + e.name.size() > kPathBytes) return LEAVEOUT(path, e.name, LeftOutReason::PathTooLong);

  const std::string name = WithoutTrailingBlanks(e.name);
  if (picture && name.size() > kPictureBytes) LEAVEOUT(path, e.name, LeftOutReason::PictureNameTooLong);
  else if (picture) picture->Take(name);
  if (video != rules_.VIDEO.end()) {
    const bool noUrl = video->second != 0;
    MLIST(path, name, MediaCategory::Video, MediumType::VideoFile);
    f.media.push_back({name, noUrl ? FolderMedia::SeveralVideos : FolderMedia::OneVideo, MediaCategory::Video});
    if (noUrl) f.noUrlVideo = true;
  } else if (audio) {
    MLIST(path, name, MediaCategory::Audio, MediumType::MusicFile);
    f.media.push_back({name, FolderMedia::Audio, MediaCategory::Audio});
  }
}

void FolderScan::Add(std::string_view name, std::string_view dirname, FolderIcon icon, int32_t level,
                     uint8_t isFolder) {
  zq::rt::Record& r = q_.Buffer();
  r.Clear();
  QDIRF.NAME.Set(r, name);
  QDIRF.DIRNAME.Set(r, dirname);
  QDIRF.ICON.Set(r, static_cast<int32_t>(icon));
  QDIRF.LEVEL.Set(r, level);
  QDIRF.SCRIPT.Set(r, 0);
  QDIRF.ISFOLDER.Set(r, isFolder);
  q_.Add();
}

// The folder's own record, the one the pass works on: its pictures, its media kind and the
// file the media link names.
void FolderScan::AddOwnRecord(const FolderFindings& f, const std::string& dirname, int32_t level,
                              uint8_t subFolderIcons) {
  zq::rt::Record& r = q_.Buffer();
  r.Clear();
  QDIRF.LEVEL.Set(r, level);
  QDIRF.SCRIPT.Set(r, 1);
  QDIRF.DIRNAME.Set(r, dirname);
  QDIRF.DFNEXT.Set(r, subFolderIcons);
  QDIRF.CN.Set(r, f.aaiIcon.name);
  QDIRF.CNACT.Set(r, f.aaiIcon.found);
  QDIRF.CF.Set(r, f.otherIcon.name);
  QDIRF.CFACT.Set(r, f.otherIcon.found);
  QDIRF.BN.Set(r, f.aaiBackground.name);
  QDIRF.BNACT.Set(r, f.aaiBackground.found);
  QDIRF.BF.Set(r, f.otherBackground.name);
  QDIRF.BFACT.Set(r, f.otherBackground.found);
  if (f.otherIcon.found || f.aaiIcon.found) {
    QDIRF.NAME.Set(r, f.otherIcon.found ? f.otherIcon.name : f.aaiIcon.name);
    QDIRF.ICON.Set(r, static_cast<int32_t>(f.otherIcon.found ? FolderIcon::Picture : FolderIcon::AaiPicture));
    QDIRF.DFCUR.Set(r, 1);
  } else {
    QDIRF.NAME.Set(r, "Missing Icon");
    QDIRF.ICON.Set(r, static_cast<int32_t>(FolderIcon::Missing));
    QDIRF.DFCUR.Set(r, 0);
  }
  const auto firstOf = [&](MediaCategory category) -> const MediaFile* {
    for (const MediaFile& m : f.media)
      if (m.category == category) return &m;
    return nullptr;
  };
  if (f.ripKind != FolderMedia::None) {
    QDIRF.MTYPE.Set(r, f.ripKind);
  } else if (const MediaFile* video = firstOf(MediaCategory::Video)) {
    QDIRF.MTYPE.Set(r, f.media.size() == 1 && !f.noUrlVideo ? FolderMedia::OneVideo : FolderMedia::SeveralVideos);
    QDIRF.MNAME.Set(r, video->name);
  } else if (const MediaFile* audio = firstOf(MediaCategory::Audio)) {
    QDIRF.MTYPE.Set(r, FolderMedia::Audio);
    QDIRF.MNAME.Set(r, audio->name);
  }
  q_.Add();
}

uint8_t FolderScan::Scan(std::string_view path, int32_t level) {
  ++level;
  const std::string folder = CHECKPATH(path);
  const std::optional<std::vector<Entry>> listed = List(folder);
  if (!listed) LeaveOutFolder(path, LeftOutReason::Unreadable);
  if (!listed || listed->empty()) return 0;
  const std::vector<Entry>& entries = *listed;

  FolderFindings f;
  for (const Entry& e : entries) {
    UPDATESTATUS(-99, "Scanning Directory Structure.");
    if (e.name == "." || e.name == "..") continue;
    if (e.folder) Folder(std::string(path), e, f);
    else File(std::string(path), e, f);
  }

  const std::string dirname = WithoutTrailingBlanks(path);
  bool enter = true;
  if (f.ripKind != FolderMedia::None) {
    Add(f.ripKind == FolderMedia::BluRayRip ? "BDMV" : "VIDEO_TS", dirname, FolderIcon::Video, level, 1);
    enter = false;
  } else if (!f.media.empty()) {
    std::stable_sort(f.media.begin(), f.media.end(),
                     [](const MediaFile& a, const MediaFile& b) { return a.category < b.category; });
    for (const MediaFile& m : f.media) {
      Add(m.name, dirname, IsAudioFolder(m.kind) ? FolderIcon::Audio : FolderIcon::Video, level, 0);
    }
    enter = rules_.DEEPSCAN != 0;
  }

  uint8_t result = 0;
  if (enter) {
    for (const SubFolder& sub : f.subFolders) {
      if (StopAsked()) break;
      const std::string subPath = folder + sub.name;
      std::optional<LeftOutReason> fault = sub.fault;
      if (!fault && !FolderFits(subPath)) fault = LeftOutReason::PathTooLong;
      if (fault) {
        LEAVEOUT(path, sub.name, *fault);
        continue;
      }
      Add(sub.name, dirname, FolderIcon::SubFolder, level, 1);
      result |= Scan(subPath, level);
    }
  }

  AddOwnRecord(f, dirname, level, result);

  if (f.aaiBackground.found || f.otherBackground.found)
    Add(f.aaiBackground.found ? f.aaiBackground.name : f.otherBackground.name, dirname, FolderIcon::Background, level, 0);
  return f.aaiIcon.found || f.otherIcon.found ? 1 : 0;
}

}  // namespace

SCANRULES TAKESCANRULES(const SETTINGSGROUP& st) {
  Upper upper;
  SCANRULES rules;
  rules.ICONNAME = upper(WithoutTrailingBlanks(st.ACR.NAME));
  rules.BACKGROUNDNAME = upper(WithoutTrailingBlanks(st.ABR.NAME));
  for (uint32_t i = 1; i <= VEXTENSIONS.Records(); ++i) {
    if (const auto r = VEXTENSIONS.Peek(i)) rules.VIDEO.emplace_back(upper(VEXTF.EXT(*r)), static_cast<uint8_t>(VEXTF.NOMEDIAURL(*r)));
  }
  for (uint32_t i = 1; i <= AEXTENSIONS.Records(); ++i) {
    if (const auto r = AEXTENSIONS.Peek(i)) rules.AUDIO.push_back(upper(AEXTF.EXT(*r)));
  }
  for (uint32_t i = 1; i <= QNOSCAN.Records(); ++i) {
    if (const auto r = QNOSCAN.Peek(i)) rules.NOSCAN.push_back(upper(WithoutTrailingBlanks(QNOSCANF.FNAME(*r))));
  }
  rules.DEEPSCAN = DEEPSCAN;
  return rules;
}

uint8_t SCANDIR(zq::rt::Queue& q, std::string_view path, int32_t level, const SCANRULES& rules) {
  if (!FolderFits(path)) {
    LEAVEOUT(path, "", LeftOutReason::PathTooLong);
    return 0;
  }
  Upper upper;
  return FolderScan(q, rules, upper).Scan(path, level);
}

uint8_t SCANDIR(zq::rt::Queue& q, std::string_view path, int32_t level) {
  return SCANDIR(q, path, level, TAKESCANRULES(ST.Get()));
}
