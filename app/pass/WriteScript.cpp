// The processing pass on its own thread.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "PassParts.h"
#include "app/Catalogs.h"
#include "app/FolderFile.h"
#include "app/Helpers.h"
#include "app/MainWindow.h"
#include "app/Pass.h"
#include "hostlib/ConversionPool.h"
#include "hostlib/Dialogs.h"
#include "hostlib/Picture.h"
#include "hostlib/Procedures.h"
#include "hostlib/Wrappers.h"
#include "zqplatform/folderlock.h"
#include "zqplatform/handles.h"
#include "zqruntime/dirlist.h"

using namespace orvid::pass;

namespace {

constexpr std::string_view kWorking = "Creating Movie Scripts (And Covert Images).";
constexpr std::string_view kFolderFile = "dune_folder.txt";
constexpr uint8_t kQuiet = 1;

// How a folder record ends: the pass goes on, or ends at once with its error on the status
// line.
enum class Outcome { Next, End };

// An error answered: Cancel ends the pass, and the error stays on the status line.
Outcome Answered(bool& silenced, std::string_view message, std::string_view details, int32_t code) {
  if (AskUnlessSilenced(silenced, message, "WriteScript", details, code) != kCancel) return Outcome::Next;
  UPDATESTATUS(0, message);
  return Outcome::End;
}

// The two names of a root compare as Windows compares them, without regard to case.
bool SameRoot(std::string_view a, std::string_view b) { return SameWordNC(a, b); }

// The folder's icon (or background) conversion as the settings ask for it, from the record
// and the settings alone; none when the step is off or the folder has no such picture.
std::optional<hostlib::Conversion> ConversionOf(bool icon, const zq::rt::Record& r, const PASSSETTINGS& s) {
  const std::string picture = WithoutTrailingBlanks((icon ? QDIRF.CF : QDIRF.BF)(r));
  if ((icon ? s.DOICCONV : s.DOBGCONV) == 0 || (icon ? QDIRF.CFACT : QDIRF.BFACT)(r) == 0 || picture.empty()) {
    return std::nullopt;
  }
  const PICTURERULE& rule = icon ? static_cast<const PICTURERULE&>(s.ST.ACR) : s.ST.ABR;
  const std::string folder = CHECKPATH(WithoutTrailingBlanks(QDIRF.DIRNAME(r)));
  const uint8_t resize = (icon ? s.AUTOICRESIZE : s.AUTOBGRESIZE) != 0 ? GETRESIZE(rule.RESIZE, rule.KEEPAR) : 0;
  return hostlib::Conversion{folder + picture, folder + WithoutTrailingBlanks(rule.NAME) + ".aai", resize,
                             rule.WIDTH, rule.HEIGHT, GETFILTER(rule.FILTER)};
}

// The key of a folder record's conversion in the pool: folder order, the icon first.
uint64_t KeyOf(uint32_t i, bool icon) { return uint64_t{i} * 2 + (icon ? 0 : 1); }

class Pass {
 public:
  Pass(zq::rt::Queue& q, const PASSSETTINGS& s) : q_(q), s_(s), rows_(s.LAYOUTS) {}

  // False when the pass ended on an error, which the status line then shows.
  bool Run();

 private:
  Outcome Folder(uint32_t i);
  bool Skipped(const zq::rt::Record& r) const;
  // The conversions of the records from 1 to n that the pass will ask for, in its order.
  std::vector<hostlib::ConversionPool::Job> Planned(uint32_t n) const;
  // r is the copy of folder record i the pass works on; a conversion writes it back.
  Outcome Convert(bool icon, uint32_t i, zq::rt::Record& r, const hostlib::Conversion& c);
  Outcome Compose(const zq::rt::Record& r, const std::string& folder, std::string& text);
  Outcome Update(const std::string& folder, const std::string& text);
  bool Present(const std::string& path) { return file_.GETFILESIZE(path) > 0; }

  zq::rt::Queue& q_;
  const PASSSETTINGS& s_;
  LayoutRows rows_;
  FILEIO file_;
  std::optional<hostlib::ConversionPool> pool_;  // the folders' conversions, done ahead
  int32_t progress_ = 0;
  bool quietConversion_ = false, quietMissingIcon_ = false, quietDeletion_ = false, quietWriting_ = false;
};

bool Pass::Skipped(const zq::rt::Record& r) const {
  const FolderMedia type = QDIRF.MTYPE(r);
  if (QDIRF.SCRIPT(r) == 0) return true;
  if (IsAudioFolder(type)) return s_.PROCESSA == 0;
  return IsVideoFolder(type) && s_.PROCESSV == 0;
}

std::vector<hostlib::ConversionPool::Job> Pass::Planned(uint32_t n) const {
  std::vector<hostlib::ConversionPool::Job> jobs;
  for (uint32_t i = 1; i <= n; ++i) {
    const std::optional<zq::rt::Record> r = q_.Peek(i);
    if (!r || Skipped(*r)) continue;
    for (bool icon : {true, false}) {
      if (std::optional<hostlib::Conversion> c = ConversionOf(icon, *r, s_)) jobs.push_back({KeyOf(i, icon), *c});
    }
  }
  return jobs;
}

Outcome Pass::Convert(bool icon, uint32_t i, zq::rt::Record& r, const hostlib::Conversion& c) {
  UPDATESTATUS(progress_, "Converting " + c.source);
  const int32_t result = pool_->Convert(KeyOf(i, icon), c);
  if (result > 0) {
    (icon ? QDIRF.CN : QDIRF.BN).Set(r, NameOnDisk(c.target));  // an old file of another case keeps its name
    (icon ? QDIRF.CNACT : QDIRF.BNACT).Set(r, 1);
    q_.Put(i, r);
    if (s_.ST.DELAC != 0) file_.DELETE(c.source);
  } else if (Answered(quietConversion_,
                      icon ? "Error Converting (Cover) to AAI Format." : "Error Converting to AAI Format.", c.source,
                      result) == Outcome::End) {
    return Outcome::End;
  }
  UPDATESTATUS(progress_, kWorking);
  return Outcome::Next;
}

Outcome Pass::Compose(const zq::rt::Record& r, const std::string& folder, std::string& text) {
  const LAYOUTROW& row = rows_.At(QDIRF.LEVEL(r));
  DUNEFILE file;
  FolderBlocks blocks{};
  if (QDIRF.DFCUR(r) != 0) {
    const std::string name = WithoutTrailingBlanks(s_.ST.ACR.NAME) + ".aai";
    if (Present(folder + name)) {
      blocks[static_cast<size_t>(FolderBlock::Icon)] = true;
      file.ICON = NameOnDisk(folder + name);
      file.ALLIGN = row.ALIGN;
      file.IDX = row.IDX;
      file.IDY = row.IDY;
      file.SCALE = row.SCALE;
      if (QDIRF.MTYPE(r) == FolderMedia::OneVideo) file.MURL = WithoutTrailingBlanks(QDIRF.MNAME(r));
      DUNEFILEDEFAULTS(file, FolderBlock::Icon);
    } else if (Answered(quietMissingIcon_, "Error NO AAI Format Cover Found.", folder + name,
                        static_cast<int32_t>(file_.GETFILESIZE(folder + name))) == Outcome::End) {
      return Outcome::End;
    }
  }
  // The view block whatever the row's IVIEW holds.
  if (QDIRF.DFNEXT(r) != 0) {
    blocks[static_cast<size_t>(FolderBlock::View)] = true;
    file.IVIEW = row.IVIEW;
    file.COLS = row.COLS;
    file.ROWS = row.ROWS;
    file.TOP = row.TOP;
    file.BOT = row.BOT;
    file.FSIZE = row.FSIZE;
    DUNEFILEDEFAULTS(file, FolderBlock::View);
  }
  // The settings' background box as it stands.
  const std::string backgroundPath = folder + WithoutTrailingBlanks(s_.ST.ABR.NAME) + ".aai";
  if (QDIRF.BNACT(r) != 0 && Present(backgroundPath)) {
    blocks[static_cast<size_t>(FolderBlock::Background)] = true;
    const BACKGROUNDRULE& b = s_.ST.ABR;
    file.BGPATH = NameOnDisk(backgroundPath);
    file.BGX = b.DFX;
    file.BGY = b.DFY;
    file.BGW = b.DFW;
    file.BGH = b.DFH;
  }
  text = FOLDERFILETEXT(file, blocks, kPaddedKeys);
  return Outcome::Next;
}

Outcome Pass::Update(const std::string& folder, const std::string& text) {
  const std::string path = folder + std::string(kFolderFile);
  if (s_.DELSCRIPT != 0 && file_.GETFILESIZE(path) >= 0) {
    const int32_t result = file_.DELETE(path);
    if (result != 0 && Answered(quietDeletion_, "Error Deleting dune_folder.txt", path, result) == Outcome::End) {
      return Outcome::End;
    }
  }
  if (s_.UPDSCRIPT == 0 || text.empty()) return Outcome::Next;
  const int32_t result = WRITEFOLDERTEXT(text, path, kQuiet);
  if (result < 0 && Answered(quietWriting_, "Error Writing dune_folder.txt", path, result) == Outcome::End) {
    return Outcome::End;
  }
  return Outcome::Next;
}

Outcome Pass::Folder(uint32_t i) {
  std::optional<zq::rt::Record> copy = q_.Peek(i);
  if (!copy) return Outcome::Next;
  zq::rt::Record& r = *copy;
  if (Skipped(r)) return Outcome::Next;
  const std::string folder = CHECKPATH(WithoutTrailingBlanks(QDIRF.DIRNAME(r)));
  for (bool icon : {true, false}) {
    const std::optional<hostlib::Conversion> c = ConversionOf(icon, r, s_);
    if (c && Convert(icon, i, r, *c) != Outcome::Next) return Outcome::End;
  }
  std::string text;
  if (s_.UPDSCRIPT != 0 && Compose(r, folder, text) != Outcome::Next) return Outcome::End;
  return Update(folder, text);
}

bool Pass::Run() {
  if (TLEN(s_.ST.ACR.NAME) == 0) {
    ERRORMSG("Error no Cover Name.", "Main", "Is the INI File Corrupt?", 0, kOkOnly, 0, MWHANDLE);
    UPDATESTATUS(0, "Error no Cover Name.");
    return false;
  }
  if (s_.RMC != 0) MISSINGCOVERS(q_, s_);
  const uint32_t n = q_.Records();
  pool_.emplace(Planned(n));
  UPDATESTATUS(0, kWorking);
  for (uint32_t i = 1; i <= n; ++i) {
    if (Folder(i) == Outcome::End) return false;
    if (T2ABORT != 0 || ABORTALL != 0) return true;
    progress_ = static_cast<int32_t>(100.0 / n * i);
    UPDATESTATUS(progress_, "");
  }
  pool_.reset();
  UPDATESTATUS(100, "");
  const std::string root = s_.ROOT.empty() ? s_.ROOTDIR : s_.ROOT;
  // A catalog that was not built to its end keeps its error on the status line.
  if (s_.PROCESSV != 0 && s_.DOINDEXV != 0 && !REBUILDINDEX(q_, root, CatalogKind::Video, s_)) return false;
  return s_.PROCESSA == 0 || s_.DOINDEXA == 0 || REBUILDINDEX(q_, root, CatalogKind::Audio, s_);
}

}  // namespace

void WRITESCRIPT(std::string_view group) {
  zq::rt::Record parameter(SharedLayout(T2GROUPTYPE()));
  parameter.AssignBytes(group);
  auto* q = static_cast<zq::rt::Queue*>(T2GROUPF.QDIR(parameter));
  if (q == nullptr) return;
  const PASSSETTINGS s = TAKEPASSSETTINGS(*q);
  // A root chosen after the scan: the list belongs to another disk.
  if (!s.ROOT.empty() && !SameRoot(s.ROOT, CHECKPATH(zq::rt::WindowsForm(s.ROOTDIR)))) {
    ERRORMSG("Run Scan Root First.", "WriteScript", s.ROOTDIR, -1, kOkOnly, 0, MWHANDLE);
    UPDATESTATUS(0, "Run Scan Root First.");
    return;
  }
  // One job per root: a second pass on it, from this program or another, changes nothing. A
  // root that cannot be opened is left to the pass's own reports.
  const std::string root = s.ROOT.empty() ? CHECKPATH(zq::rt::WindowsForm(s.ROOTDIR)) : s.ROOT;
  const std::unique_ptr<zq::fs::FolderLock> job = zq::fs::FolderLock::Take(root.c_str());
  if (!job && GetLastError() == ERROR_LOCK_VIOLATION) {
    constexpr std::string_view kBusy = "Another Job is Running on this Root.";
    UPDATESTATUS(0, kBusy);
    ERRORMSG(kBusy, "WriteScript", root, static_cast<int16_t>(ERROR_LOCK_VIOLATION), kOkOnly, 0, MWHANDLE);
    return;
  }
  if (Pass(*q, s).Run()) UPDATESTATUS(0, "Ready.");
}

void WRITESCRIPTTH(std::string_view group) {
  zq::rt::Record parameter(SharedLayout(T2GROUPTYPE()));
  parameter.AssignBytes(group);
  RUNJOB(kPassEnded, static_cast<uint32_t>(T2GROUPF.THREADNR(parameter)), [&] { WRITESCRIPT(group); });
}
