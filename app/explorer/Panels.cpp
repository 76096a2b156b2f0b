// The explorer's panels: listing a folder with its entry types and order, the drive list,
// each side's path history, and moving up and down.
#include <algorithm>
#include <cctype>

#include "app/Explorer.h"
#include "app/Helpers.h"
#include "app/State.h"
#include "hostlib/Procedures.h"
#include "zqruntime/dirlist.h"
#include "zqruntime/picture.h"

namespace {

constexpr const char* kFolderFile = "dune_folder.txt";
constexpr uint32_t kHistoryLength = 10;
constexpr int32_t kDefaultColour = -1;

bool SameCaseBlind(std::string_view a, std::string_view b) { return COMPARENC(a, b, 0) == 0; }

bool Blank(std::string_view text) { return text.find_first_not_of(' ') == std::string_view::npos; }

bool InExtensions(const zq::rt::Queue& extensions, std::string_view ext) {
  if (ext.empty()) return false;
  for (uint32_t i = 1; i <= extensions.Records(); ++i) {
    if (auto r = extensions.Peek(i); r && SameCaseBlind(r->Text("EXT"), ext)) return true;
  }
  return false;
}

struct EntryKind {
  uint8_t type;
  int32_t icon;
};

// The type of a file by the rules' order: folder file, folder icon, picture, video, audio.
EntryKind FileKind(std::string_view name, std::string_view ext) {
  if (SameCaseBlind(name, kFolderFile)) return {kFtFolderFile, 3};
  if (!ST.ACR.NAME.empty() && SameCaseBlind(name, ST.ACR.NAME + ".aai")) return {kFtFolderIcon, 5};
  if (!ext.empty() && GRFILETYPE(ext) > 0) return {kFtPicture, 4};
  if (InExtensions(VEXTENSIONS, ext)) return {kFtVideo, 6};
  if (InExtensions(AEXTENSIONS, ext)) return {kFtAudio, 8};
  return {kFtOther, 2};
}

void SetColours(zq::rt::RecordRef& r) {
  for (const char* c : {"C1", "C2", "C3", "C4"}) r.SetWhole(c, kDefaultColour);
}

void AddParentEntry(zq::rt::Queue& panel) {
  zq::rt::Record& r = panel.Buffer();
  r.Clear();
  r.SetText("FN", "..");
  r.SetText("EXT", "<DIR>");
  r.SetText("FS", "0");
  r.SetWhole("FT", kFtParent);
  r.SetWhole("ICON", 7);
  r.SetWhole("DIR", 2);
  SetColours(r);
  panel.Add();
}

zq::rt::Queue& HistoryOf(uint8_t side) { return side == kLeftSide ? LPLIST : RPLIST; }

void Remember(uint8_t side, const std::string& folder) {
  zq::rt::Queue& history = HistoryOf(side);
  for (uint32_t i = 1; i <= history.Records(); ++i) {
    if (history.Peek(i)->Text("PATH") == folder) return;
  }
  history.Buffer().Clear();
  history.Buffer().SetText("PATH", folder);
  history.Add(1);
  while (history.Records() > kHistoryLength) history.Delete(history.Records());
}

}  // namespace

void FILLPANEL(uint8_t side, std::string_view path) {
  if (Blank(path)) return;
  const std::string folder = CHECKPATH(path);
  Remember(side, folder);
  std::string drive;
  if (folder.size() > 1 && folder[1] == ':') {
    drive = folder.substr(0, 2);
    std::transform(drive.begin(), drive.end(), drive.begin(), [](unsigned char c) { return std::toupper(c); });
  }
  (side == kLeftSide ? CDRVL : CDRVR) = drive;
  GETPDIR(PANELOF(side), folder);
  PATHOF(side) = folder;
  (side == kLeftSide ? TLPPATH : TRPPATH) = folder;
}

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
  zq::rt::Record& r = panel.Buffer();
  for (uint32_t i = 1; i <= listing.Records(); ++i) {
    const zq::rt::Record entry = *listing.Peek(i);
    const std::string name = entry.Text("NAME");
    if (name == ".") continue;
    r.Clear();
    if (entry.Whole("ATTRIB") & zq::rt::kAttrDirectory) {
      const bool parent = name == "..";
      r.SetText("FN", name);
      r.SetText("EXT", "<DIR>");
      r.SetText("FS", "0");
      r.SetWhole("FT", parent ? kFtParent : kFtFolder);
      r.SetWhole("ICON", parent ? 7 : 1);
      r.SetWhole("DIR", parent ? 2 : 1);
    } else {
      const std::string ext = GETEXT(name);
      const EntryKind kind = FileKind(name, ext);
      r.SetText("FN", GETFILE(name));
      r.SetText("EXT", ext);
      // The listing's size is exact beyond 4 GB: no second query per file.
      r.SetText("FS", zq::rt::WholeText(static_cast<int64_t>(entry.Real("SIZE"))));
      r.SetWhole("FT", kind.type);
      r.SetWhole("ICON", kind.icon);
      r.SetWhole("DIR", 0);
    }
    SetColours(r);
    panel.Add();
    if (ABORTALL) return;
  }
  panel.Sort(DIRSORT);
}

int DIRSORT(const zq::rt::RecordRef& a, const zq::rt::RecordRef& b) {
  const int64_t dirA = a.Whole(10), dirB = b.Whole(10);
  if (dirA != dirB) return dirA > dirB ? -1 : 1;
  const int32_t order = COMPARENC(a.Text(1), b.Text(1), 0);
  return order > 0 ? 1 : order < 0 ? -1 : 0;
}

void FILLDRIVES() {
  const std::string drives = GETDRIVES();
  QDRIVE.Free();
  const int32_t items = CNTITEM(drives, "|");
  for (int32_t n = 1; n <= items; ++n) {
    const std::string item = GETITEM(drives, n, "|");
    if (Blank(item)) continue;
    QDRIVE.Buffer().Clear();
    QDRIVE.Buffer().SetText("DRV", GETITEM(item, 1, "@").substr(0, 2));
    QDRIVE.Buffer().SetWhole("DICON", TRIM(GETITEM(item, 2, "@")) == "3" ? 1 : 2);
    QDRIVE.Add();
  }
}

uint8_t DIRUP(uint8_t side) {
  uint8_t shortened = 0;
  const std::string parent = GETUPDIR(PATHOF(side), &shortened);
  if (!shortened) return 0;
  FILLPANEL(side, parent);
  return 1;
}

uint8_t DIRDN(uint8_t side, int32_t row) {
  OLDDIR.clear();
  if (row < 1) return 0;
  std::optional<zq::rt::Record> entry = PANELOF(side).Peek(static_cast<uint32_t>(row));
  if (!entry) return 0;
  const std::string current = CHECKPATH(PATHOF(side));
  switch (entry->Whole("FT")) {
    case kFtParent:
      OLDDIR = current;
      return DIRUP(side);
    case kFtFolder:
      FILLPANEL(side, current + entry->Text("FN"));
      return 1;
    default:
      return 0;
  }
}

int32_t FINDDIR(std::string_view path, int32_t side) {
  const std::string name = GETSUBDIR(path);
  if (Blank(name)) return 1;
  const zq::rt::Queue& panel = PANELOF(static_cast<uint8_t>(side));
  for (uint32_t i = 1; i <= panel.Records(); ++i) {
    if (panel.Peek(i)->Text("FN") == name) return static_cast<int32_t>(i);
  }
  return 1;
}
