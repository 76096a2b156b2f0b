// One panel of the explorer: its folder, history and drive field, moving up and down, its
// rows' files and their marks.
#include <algorithm>
#include <cctype>

#include "app/Explorer.h"
#include "app/Helpers.h"
#include "app/Records.h"
#include "app/State.h"
#include "hostlib/Dialogs.h"
#include "hostlib/Procedures.h"
#include "zqruntime/picture.h"

namespace {

constexpr uint32_t kHistoryLength = 10;
constexpr int32_t kMarkedColour = 255;  // red
constexpr int32_t kDefaultColour = -1;
constexpr uint32_t kPathTooLong = 206;  // the system's "file name or extension is too long"

// The drive a folder lies on ("D:"); blank for a path without one (a network path).
std::string DriveOf(const std::string& folder) {
  if (folder.size() < 2 || folder[1] != ':') return {};
  std::string drive = folder.substr(0, 2);
  std::transform(drive.begin(), drive.end(), drive.begin(), [](unsigned char c) { return std::toupper(c); });
  return drive;
}

}  // namespace

ExplorerPanel::ExplorerPanel(Guarded<std::string>& folder)
    : folder_(folder),
      entries_(SharedLayout(QPANELTYPE())),
      history_(SharedLayout(QHISTORYF.Layout())) {}

bool ExplorerPanel::FILLPANEL(std::string_view path) {
  if (TLEN(path) == 0) return true;
  const std::string folder = CHECKPATH(path);
  if (folder.size() > kLongestPanelPath) {
    ERRORMSG("The Panel cannot hold a Path this long.", "FillPanel", FailureDetails(folder, kPathTooLong),
             static_cast<int16_t>(kPathTooLong), kOkOnly, 0, owner_);
    pathText_ = Folder();
    return false;
  }
  Remember(folder);
  drive_ = DriveOf(folder);
  leftOut_ = GETPDIR(entries_, folder);
  folder_.Set(folder);
  pathText_ = folder;
  return true;
}

void ExplorerPanel::ListAgain() { leftOut_ = GETPDIR(entries_, Folder()); }

bool ExplorerPanel::DIRUP() {
  uint8_t shortened = 0;
  const std::string parent = GETUPDIR(Folder(), &shortened);
  if (!shortened) return false;
  return FILLPANEL(parent);
}

bool ExplorerPanel::DIRDN(int32_t row, std::string& OLDDIR) {
  OLDDIR.clear();
  std::optional<zq::rt::Record> entry = Entry(row);
  if (!entry) return false;
  const std::string current = CHECKPATH(Folder());
  switch (QPANELF.FT(*entry)) {
    case kFtParent:
      OLDDIR = current;
      return DIRUP();
    case kFtFolder:
      return FILLPANEL(PathOf(*entry));
    default:
      return false;
  }
}

int32_t ExplorerPanel::FINDDIR(std::string_view path) const {
  const std::string name = GETSUBDIR(path);
  if (TLEN(name) == 0) return 1;
  for (uint32_t i = 1; i <= entries_.Records(); ++i) {
    if (QPANELF.FN(*entries_.Peek(i)) == name) return static_cast<int32_t>(i);
  }
  return 1;
}

std::optional<zq::rt::Record> ExplorerPanel::Entry(int32_t row) const {
  if (row < 1) return std::nullopt;
  return entries_.Peek(static_cast<uint32_t>(row));
}

std::string ExplorerPanel::PathOf(const zq::rt::RecordRef& entry) const {
  return CHECKPATH(Folder()) + QPANELF.NAME(entry);
}

bool ExplorerPanel::IsPicture(const zq::rt::RecordRef& entry) {
  const int64_t type = QPANELF.FT(entry);
  return type == kFtFolderIcon || type == kFtPicture;
}

bool ExplorerPanel::IsDeletable(const zq::rt::RecordRef& entry) {
  return QPANELF.FT(entry) == kFtFolderFile || IsPicture(entry);
}

bool ExplorerPanel::IsMarkable(const zq::rt::RecordRef& entry) { return GRFILETYPE(QPANELF.EXT(entry)) > 0; }

bool ExplorerPanel::ToggleMark(uint32_t row) {
  std::optional<zq::rt::Record> entry = entries_.Peek(row);
  if (!entry || !IsMarkable(*entry)) return false;
  SetMark(row, QPANELF.SEL(*entry) != 1);
  return true;
}

void ExplorerPanel::SetMark(uint32_t row, bool marked) {
  if (!entries_.Get(row)) return;
  QPANELF.C1.Set(entries_.Buffer(), marked ? kMarkedColour : kDefaultColour);
  QPANELF.SEL.Set(entries_.Buffer(), marked ? 1 : 0);
  entries_.Put();
}

uint32_t ExplorerPanel::FirstMarked(uint32_t from) const {
  for (uint32_t i = from; i <= entries_.Records(); ++i) {
    if (QPANELF.SEL(*entries_.Peek(i)) == 1) return i;
  }
  return 0;
}

void ExplorerPanel::Remember(const std::string& folder) {
  for (uint32_t i = 1; i <= history_.Records(); ++i) {
    if (QHISTORYF.PATH(*history_.Peek(i)) == folder) return;
  }
  history_.Buffer().Clear();
  QHISTORYF.PATH.Set(history_.Buffer(), folder);
  history_.Add(1);
  while (history_.Records() > kHistoryLength) history_.Delete(history_.Records());
}

std::vector<std::string> ExplorerPanel::UntoldLeftOut() {
  if (leftOut_.empty() || !told_.insert(CHECKPATH(Folder())).second) return {};
  return leftOut_;
}
