// A folder listed into a panel queue with its entry types, icons and order, and the drives of
// the drive lists.
#include <algorithm>
#include <cstring>
#include <map>
#include <vector>

#include "Icons.h"
#include "app/Explorer.h"
#include "app/Helpers.h"
#include "app/State.h"
#include "app/Text.h"
#include "hostlib/Procedures.h"
#include "zqplatform/files.h"
#include "zqruntime/picture.h"

namespace {

constexpr int32_t kDefaultColour = -1;

// Case-blind equality; texts of different byte lengths never match (the code page maps a
// letter's case only where both forms have the same length).
bool SameCaseBlind(std::string_view a, std::string_view b) { return a.size() == b.size() && COMPARENC(a, b, 0) == 0; }

// The name shown of a panel entry as it lies in the record (a sort compares it without a copy).
std::string_view ShownName(const zq::rt::RecordRef& r) {
  const zq::rt::Field* field = r.Layout().At(QPANELF.FN.Number());
  const std::string_view bytes = r.Bytes().substr(field->offset, field->size);
  return bytes.substr(0, bytes.find('\0'));
}

struct EntryKind {
  uint8_t type;
  PanelIcon icon;
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
    if (SameCaseBlind(name, "dune_folder.txt")) return {kFtFolderFile, PanelIcon::FolderFile};
    if (!folderIcon_.empty() && SameCaseBlind(name, folderIcon_)) return {kFtFolderIcon, PanelIcon::FolderIcon};
    if (ext.empty()) return {kFtOther, PanelIcon::File};
    auto known = pictures_.find(ext);
    if (known == pictures_.end()) known = pictures_.emplace(ext, GRFILETYPE(ext) > 0).first;
    if (known->second) return {kFtPicture, PanelIcon::Picture};
    if (In(video_, ext)) return {kFtVideo, PanelIcon::Video};
    if (In(audio_, ext)) return {kFtAudio, PanelIcon::Audio};
    return {kFtOther, PanelIcon::File};
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

// A cleared entry with the list's own colours.
zq::rt::Record& NewEntry(zq::rt::Queue& panel) {
  zq::rt::Record& r = panel.Buffer();
  r.Clear();
  for (const zq::rt::WholeField* colour : {&QPANELF.C1, &QPANELF.C2, &QPANELF.C3, &QPANELF.C4})
    colour->Set(r, kDefaultColour);
  return r;
}

void SetFolder(zq::rt::RecordRef& r, const std::string& name) {
  const bool parent = name == "..";
  QPANELF.FN.Set(r, name);
  QPANELF.NAME.Set(r, name);
  QPANELF.EXT.Set(r, "<DIR>");
  QPANELF.FS.Set(r, "0");
  QPANELF.FT.Set(r, parent ? kFtParent : kFtFolder);
  QPANELF.ICON.Set(r, static_cast<int32_t>(parent ? PanelIcon::Parent : PanelIcon::Folder));
  QPANELF.DIR.Set(r, parent ? 2 : 1);
}

// An entry of a folder as the file layer lists it, its name exactly as it stands (a listing
// queue's text field would drop a final blank).
struct Listed {
  std::string name;
  bool folder;
  int64_t size;
};

std::vector<Listed> ListExactly(const std::string& folder) {
  std::vector<Listed> listed;
  WIN32_FIND_DATAA data{};
  const HANDLE find = FindFirstFileA((folder + "*.*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return listed;
  do {
    const std::string_view name(data.cFileName, strnlen(data.cFileName, sizeof data.cFileName));
    listed.push_back({std::string(name), (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                      static_cast<int64_t>(uint64_t{data.nFileSizeHigh} << 32 | data.nFileSizeLow)});
  } while (FindNextFileA(find, &data));
  FindClose(find);
  return listed;
}

}  // namespace

std::vector<std::string> GETPDIR(zq::rt::Queue& panel, std::string_view path) {
  std::vector<std::string> leftOut;
  if (ABORTALL) return leftOut;
  panel.Free();
  const std::string folder = CHECKPATH(path);
  const std::vector<Listed> listing = ListExactly(folder);
  if (listing.empty()) {
    SetFolder(NewEntry(panel), "..");
    panel.Add();
    return leftOut;
  }
  FileKinds kinds;
  for (const Listed& entry : listing) {
    const std::string& name = entry.name;
    if (name == ".") continue;
    // A name a Windows path cannot hold would make the path layer reach another file.
    if (name != ".." && !zq::fs::HoldsExactly(name)) {
      leftOut.push_back(name);
      continue;
    }
    zq::rt::Record& r = NewEntry(panel);
    if (entry.folder) {
      SetFolder(r, name);
    } else {
      const std::string ext = GETEXT(name);
      const EntryKind kind = kinds.Of(name, ext);
      QPANELF.FN.Set(r, GETFILE(name));
      QPANELF.NAME.Set(r, name);
      QPANELF.EXT.Set(r, ext);
      // The listing's size is exact beyond 4 GB: no second query per file.
      QPANELF.FS.Set(r, zq::rt::WholeText(entry.size));
      QPANELF.FT.Set(r, kind.type);
      QPANELF.ICON.Set(r, static_cast<int32_t>(kind.icon));
      QPANELF.DIR.Set(r, 0);
    }
    panel.Add();
    if (ABORTALL) return leftOut;
  }
  panel.Sort(DIRSORT);
  return leftOut;
}

int DIRSORT(const zq::rt::RecordRef& a, const zq::rt::RecordRef& b) {
  const int64_t dirA = QPANELF.DIR(a), dirB = QPANELF.DIR(b);
  if (dirA != dirB) return dirA > dirB ? -1 : 1;
  const int32_t order = COMPARENC(ShownName(a), ShownName(b), 0);
  return order > 0 ? 1 : order < 0 ? -1 : 0;
}

void FILLDRIVES(zq::rt::Queue& drives) {
  const std::string list = GETDRIVES();
  drives.Free();
  const int32_t items = CNTITEM(list, "|");
  for (int32_t n = 1; n <= items; ++n) {
    const std::string item = GETITEM(list, n, "|");
    if (TLEN(item) == 0) continue;
    drives.Buffer().Clear();
    QDRIVEF.DRV.Set(drives.Buffer(), GETITEM(item, 1, "@").substr(0, 2));
    const bool fixed = TRIM(GETITEM(item, 2, "@")) == "3";
    QDRIVEF.DICON.Set(drives.Buffer(), static_cast<int32_t>(fixed ? DriveIcon::FixedDisk : DriveIcon::OtherDrive));
    drives.Add();
  }
}
