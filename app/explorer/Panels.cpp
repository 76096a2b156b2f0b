// The explorer's panels: listing a folder with its entry types and order, the drive list,
// each side's path history, and moving up and down.
#include <algorithm>
#include <cctype>
#include <map>
#include <vector>

#include "app/Explorer.h"
#include "app/Helpers.h"
#include "app/Text.h"
#include "app/State.h"
#include "hostlib/Procedures.h"
#include "zqruntime/dirlist.h"
#include "zqruntime/picture.h"

namespace {

constexpr uint32_t kHistoryLength = 10;
constexpr int32_t kDefaultColour = -1;

// Case-blind equality; texts of different byte lengths never match (the code page maps a
// letter's case only where both forms have the same length).
bool SameCaseBlind(std::string_view a, std::string_view b) { return a.size() == b.size() && COMPARENC(a, b, 0) == 0; }

// QPANEL field numbers.
enum PanelField : uint32_t { kFn = 1, kC1, kC2, kC3, kC4, kIcon, kExt, kFs, kFt, kDir, kSel };

// The name of a panel entry as it lies in the record (a sort compares it without a copy).
std::string_view NameOf(const zq::rt::RecordRef& r) {
  const zq::rt::Field* field = r.Layout().At(kFn);
  const std::string_view bytes = r.Bytes().substr(field->offset, field->size);
  return bytes.substr(0, bytes.find('\0'));
}

struct EntryKind {
  uint8_t type;
  int32_t icon;
};

// The folder icon's file name for an icon name, empty for none.
std::string FolderIcon(const std::string& iconName) {
  return Blank(iconName) ? std::string() : WithoutTrailingBlanks(iconName) + ".aai";
}

// The entry types of one listing's files: the settings read once, the image library asked
// once per extension.
class FileKinds {
 public:
  FileKinds() : folderIcon_(FolderIcon(ST.Get().ACR.NAME)) {
    Read(VEXTENSIONS, VEXTF, video_);
    Read(AEXTENSIONS, AEXTF, audio_);
  }

  // By the rules' order: folder file, folder icon, picture, video, audio, other.
  EntryKind Of(std::string_view name, const std::string& ext) {
    if (SameCaseBlind(name, "dune_folder.txt")) return {kFtFolderFile, 3};
    if (!folderIcon_.empty() && SameCaseBlind(name, folderIcon_)) return {kFtFolderIcon, 5};
    if (ext.empty()) return {kFtOther, 2};
    auto known = pictures_.find(ext);
    if (known == pictures_.end()) known = pictures_.emplace(ext, GRFILETYPE(ext) > 0).first;
    if (known->second) return {kFtPicture, 4};
    if (In(video_, ext)) return {kFtVideo, 6};
    if (In(audio_, ext)) return {kFtAudio, 8};
    return {kFtOther, 2};
  }

 private:
  static void Read(const zq::rt::Queue& extensions, const EXTFIELDS& fields, std::vector<std::string>& into) {
    for (uint32_t i = 1; i <= extensions.Records(); ++i) into.push_back(fields.EXT(*extensions.Peek(i)));
  }
  static bool In(const std::vector<std::string>& extensions, std::string_view ext) {
    return std::any_of(extensions.begin(), extensions.end(), [&](const std::string& e) { return SameCaseBlind(e, ext); });
  }

  std::string folderIcon_;
  std::vector<std::string> video_;
  std::vector<std::string> audio_;
  std::map<std::string, bool> pictures_;
};

void SetColours(zq::rt::RecordRef& r) {
  for (uint32_t c : {kC1, kC2, kC3, kC4}) r.SetWhole(c, kDefaultColour);
}

void AddParentEntry(zq::rt::Queue& panel) {
  zq::rt::Record& r = panel.Buffer();
  r.Clear();
  QPANELF.FN.Set(r, "..");
  QPANELF.EXT.Set(r, "<DIR>");
  QPANELF.FS.Set(r, "0");
  QPANELF.FT.Set(r, kFtParent);
  QPANELF.ICON.Set(r, 7);
  QPANELF.DIR.Set(r, 2);
  SetColours(r);
  panel.Add();
}

void Remember(zq::rt::Queue& history, const std::string& folder) {
  for (uint32_t i = 1; i <= history.Records(); ++i) {
    if (QHISTORYF.PATH(*history.Peek(i)) == folder) return;
  }
  history.Buffer().Clear();
  QHISTORYF.PATH.Set(history.Buffer(), folder);
  history.Add(1);
  while (history.Records() > kHistoryLength) history.Delete(history.Records());
}

// The drive a folder lies on ("D:"); blank for a path without one (a network path).
std::string DriveOf(const std::string& folder) {
  if (folder.size() < 2 || folder[1] != ':') return {};
  std::string drive = folder.substr(0, 2);
  std::transform(drive.begin(), drive.end(), drive.begin(), [](unsigned char c) { return std::toupper(c); });
  return drive;
}

}  // namespace

void FILLPANEL(uint8_t side, std::string_view path) {
  if (TLEN(path) == 0) return;
  const std::string folder = CHECKPATH(path);
  EXPLORERPANEL& panel = PANELOF(side);
  Remember(panel.history, folder);
  panel.drive = DriveOf(folder);
  GETPDIR(panel.entries, folder);
  panel.SetFolder(folder);
  panel.pathText = folder;
}

void EXPLORERPANEL::ListAgain() { GETPDIR(entries, Folder()); }

void GETPDIR(zq::rt::Queue& panel, std::string_view path) {
  if (ABORTALL) return;
  panel.Free();
  const std::string folder = CHECKPATH(path);
  zq::rt::Queue listing(zq::rt::DirectoryLayout());
  zq::rt::ListDirectory(folder + "*.*", listing);
  if (listing.Records() == 0) {
    AddParentEntry(panel);
    return;
  }
  FileKinds kinds;
  zq::rt::Record& r = panel.Buffer();
  const zq::rt::Record& entry = listing.Buffer();
  const uint32_t nameField = zq::rt::DirectoryView().NAME.Number(),
                 attributeField = zq::rt::DirectoryView().ATTRIB.Number(), sizeField = zq::rt::DirectoryView().SIZE.Number();
  for (uint32_t i = 1; i <= listing.Records(); ++i) {
    listing.Get(i);
    const std::string name = entry.Text(nameField);
    // A name a Windows path cannot hold would make the path layer reach another file.
    if (name != ".." && !IsWindowsName(name)) continue;
    r.Clear();
    if (entry.Whole(attributeField) & zq::rt::kAttrDirectory) {
      const bool parent = name == "..";
      r.SetText(kFn, name);
      r.SetText(kExt, "<DIR>");
      r.SetText(kFs, "0");
      r.SetWhole(kFt, parent ? kFtParent : kFtFolder);
      r.SetWhole(kIcon, parent ? 7 : 1);
      r.SetWhole(kDir, parent ? 2 : 1);
    } else {
      const std::string ext = GETEXT(name);
      const EntryKind kind = kinds.Of(name, ext);
      r.SetText(kFn, GETFILE(name));
      r.SetText(kExt, ext);
      // The listing's size is exact beyond 4 GB: no second query per file.
      r.SetText(kFs, zq::rt::WholeText(static_cast<int64_t>(entry.Real(sizeField))));
      r.SetWhole(kFt, kind.type);
      r.SetWhole(kIcon, kind.icon);
      r.SetWhole(kDir, 0);
    }
    SetColours(r);
    panel.Add();
    if (ABORTALL) return;
  }
  panel.Sort(DIRSORT);
}

int DIRSORT(const zq::rt::RecordRef& a, const zq::rt::RecordRef& b) {
  const int64_t dirA = a.Whole(kDir), dirB = b.Whole(kDir);
  if (dirA != dirB) return dirA > dirB ? -1 : 1;
  const int32_t order = COMPARENC(NameOf(a), NameOf(b), 0);
  return order > 0 ? 1 : order < 0 ? -1 : 0;
}

void FILLDRIVES() {
  const std::string drives = GETDRIVES();
  QDRIVE.Free();
  const int32_t items = CNTITEM(drives, "|");
  for (int32_t n = 1; n <= items; ++n) {
    const std::string item = GETITEM(drives, n, "|");
    if (TLEN(item) == 0) continue;
    QDRIVE.Buffer().Clear();
    QDRIVEF.DRV.Set(QDRIVE.Buffer(), GETITEM(item, 1, "@").substr(0, 2));
    QDRIVEF.DICON.Set(QDRIVE.Buffer(), TRIM(GETITEM(item, 2, "@")) == "3" ? 1 : 2);
    QDRIVE.Add();
  }
}

uint8_t DIRUP(uint8_t side) {
  uint8_t shortened = 0;
  const std::string parent = GETUPDIR(PANELOF(side).Folder(), &shortened);
  if (!shortened) return 0;
  FILLPANEL(side, parent);
  return 1;
}

uint8_t DIRDN(uint8_t side, int32_t row) {
  OLDDIR.clear();
  if (row < 1) return 0;
  std::optional<zq::rt::Record> entry = PANELOF(side).entries.Peek(static_cast<uint32_t>(row));
  if (!entry) return 0;
  const std::string current = CHECKPATH(PANELOF(side).Folder());
  switch (QPANELF.FT(*entry)) {
    case kFtParent:
      OLDDIR = current;
      return DIRUP(side);
    case kFtFolder:
      FILLPANEL(side, current + QPANELF.FN(*entry));
      return 1;
    default:
      return 0;
  }
}

int32_t FINDDIR(std::string_view path, int32_t side) {
  const std::string name = GETSUBDIR(path);
  if (TLEN(name) == 0) return 1;
  const zq::rt::Queue& panel = PANELOF(static_cast<uint8_t>(side)).entries;
  for (uint32_t i = 1; i <= panel.Records(); ++i) {
    if (QPANELF.FN(*panel.Peek(i)) == name) return static_cast<int32_t>(i);
  }
  return 1;
}
