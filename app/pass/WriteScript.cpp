// The processing pass on its own thread.
#include <optional>
#include <string>

#include "PassParts.h"
#include "app/Catalogs.h"
#include "app/Helpers.h"
#include "app/MainWindow.h"
#include "app/Pass.h"
#include "hostlib/Dialogs.h"
#include "hostlib/Picture.h"
#include "hostlib/Procedures.h"
#include "hostlib/Wrappers.h"
#include "zqruntime/dirlist.h"

using namespace orvid::pass;

namespace {

constexpr std::string_view kWorking = "Creating Movie Scripts (And Covert Images).";
constexpr std::string_view kFolderFile = "dune_folder.txt";
constexpr uint8_t kVideoCatalog = 1, kAudioCatalog = 2;
constexpr int64_t kOneVideoFile = 3, kAudio = 10;
constexpr uint32_t kReadWrite = 0xC0000000;
constexpr uint32_t kOpenAlways = 4;
constexpr uint32_t kNormalWriteThrough = 0x80000080;

// How a folder record ends: the pass goes on, or ends at once with or without "Ready.".
enum class Outcome { Next, EndQuietly, EndReady };

// The two names of a root compare as Windows compares them, without regard to case.
bool SameRoot(std::string_view a, std::string_view b) { return SameWordNC(a, b); }

class Pass {
 public:
  Pass(zq::rt::Queue& q, const PASSSETTINGS& s) : q_(q), s_(s), rows_(s.LAYOUTS) {}

  // False when the pass ended without "Ready.".
  bool Run();

 private:
  Outcome Folder(uint32_t i);
  bool Skipped(const zq::rt::Record& r) const;
  Outcome Convert(bool icon, const std::string& folder);
  Outcome Compose(const std::string& folder, std::string& text);
  Outcome Update(const std::string& folder, const std::string& text);
  bool Present(const std::string& path) { return file_.GETFILESIZE(path) > 0; }

  zq::rt::Queue& q_;
  const PASSSETTINGS& s_;
  LayoutRows rows_;
  FILEIO file_;
  XSTRING string_;
  int32_t progress_ = 0;
  bool quietConversion_ = false, quietMissingIcon_ = false, quietDeletion_ = false, quietWriting_ = false;
};

bool Pass::Skipped(const zq::rt::Record& r) const {
  const int64_t type = r.Whole("MTYPE");
  if (r.Whole("SCRIPT") == 0) return true;
  if (type == kAudio) return s_.PROCESSA == 0;
  return type >= 1 && type <= 5 && s_.PROCESSV == 0;
}

Outcome Pass::Convert(bool icon, const std::string& folder) {
  zq::rt::Record& r = q_.Buffer();
  const PICTURERULE& rule = icon ? static_cast<const PICTURERULE&>(s_.ST.ACR) : s_.ST.ABR;
  const std::string source = folder + WithoutTrailingBlanks(r.Text(icon ? "CF" : "BF"));
  const std::string name = WithoutTrailingBlanks(rule.NAME) + ".aai";
  const uint8_t resize = (icon ? s_.AUTOICRESIZE : s_.AUTOBGRESIZE) != 0 ? GETRESIZE(rule.RESIZE, rule.KEEPAR) : 0;
  UPDATESTATUS(progress_, "Converting " + source);
  const int32_t result = GRCONVERT(source, folder + name, resize, rule.WIDTH, rule.HEIGHT, GETFILTER(rule.FILTER));
  if (result > 0) {
    r.SetText(icon ? "CN" : "BN", name);
    r.SetWhole(icon ? "CNACT" : "BNACT", 1);
    q_.Put();
    if (s_.ST.DELAC != 0) file_.DELETE(source);
  } else if (AskUnlessSilenced(quietConversion_,
                               icon ? "Error Converting (Cover) to AAI Format." : "Error Converting to AAI Format.",
                               "WriteScript", source, result) == kCancel) {
    return Outcome::EndQuietly;
  }
  UPDATESTATUS(progress_, kWorking);
  return Outcome::Next;
}

Outcome Pass::Compose(const std::string& folder, std::string& text) {
  const zq::rt::Record& r = q_.Buffer();
  LAYOUTROW& row = rows_.At(r.Whole("LEVEL"));
  std::optional<PADDEDICON> icon;
  std::optional<PADDEDVIEW> view;
  std::optional<PADDEDBACKGROUND> background;
  if (r.Whole("DFCUR") != 0) {
    const std::string name = WithoutTrailingBlanks(s_.ST.ACR.NAME) + ".aai";
    if (Present(folder + name)) {
      if (row.ALIGN.empty()) row.ALIGN = "Center";
      const std::string media = WithoutTrailingBlanks(r.Text("MNAME"));
      icon = PADDEDICON{
          name,     LowerWord(row.ALIGN), r.Whole("MTYPE") == kOneVideoFile ? media : std::string(), row.IDX, row.IDY,
          row.SCALE};
    } else if (AskUnlessSilenced(quietMissingIcon_, "Error NO AAI Format Cover Found.", "WriteScript", folder + name,
                                 static_cast<int32_t>(file_.GETFILESIZE(folder + name))) == kCancel) {
      return Outcome::EndQuietly;
    }
  }
  if (r.Whole("DFNEXT") != 0) {
    if (row.COLS <= 0) row.COLS = 6;
    if (row.ROWS <= 0) row.ROWS = 3;
    if (row.FSIZE.empty()) row.FSIZE = "small";
    view = PADDEDVIEW{LowerWord(row.IVIEW), LowerWord(row.FSIZE), row.COLS, row.ROWS, row.TOP, row.BOT};
  }
  if (r.Whole("BNACT") != 0 && Present(folder + WithoutTrailingBlanks(s_.ST.ABR.NAME) + ".aai")) {
    const BACKGROUNDRULE& b = s_.ST.ABR;
    background = PADDEDBACKGROUND{WithoutTrailingBlanks(r.Text("BN")), b.DFX, b.DFY, b.DFW, b.DFH};
  }
  text = PADDEDTEXT(icon, view, background);
  return Outcome::Next;
}

Outcome Pass::Update(const std::string& folder, const std::string& text) {
  const std::string path = folder + std::string(kFolderFile);
  if (s_.DELSCRIPT != 0 && file_.GETFILESIZE(path) >= 0) {
    const int32_t result = file_.DELETE(path);
    if (result != 0 &&
        AskUnlessSilenced(quietDeletion_, "Error Deleting dune_folder.txt", "WriteScript", path, result) == kCancel) {
      return Outcome::EndReady;
    }
  }
  if (s_.UPDSCRIPT == 0 || text.empty()) return Outcome::Next;
  string_.SET(text, TLEN(text));
  const std::string utf8 = string_.WTOM();
  const int32_t result = file_.WRITEFILE(path, utf8, 0, 0, kReadWrite, 0, kOpenAlways, kNormalWriteThrough);
  if (result < 0 &&
      AskUnlessSilenced(quietWriting_, "Error Writing dune_folder.txt", "WriteScript", path, result) == kCancel) {
    return Outcome::EndReady;
  }
  return Outcome::Next;
}

Outcome Pass::Folder(uint32_t i) {
  if (!q_.Get(i)) return Outcome::Next;
  const zq::rt::Record& r = q_.Buffer();
  if (Skipped(r)) return Outcome::Next;
  const std::string folder = CHECKPATH(WithoutTrailingBlanks(r.Text("DIRNAME")));
  if (s_.DOICCONV != 0 && r.Whole("CFACT") != 0 && TLEN(r.Text("CF")) != 0) {
    if (Convert(true, folder) != Outcome::Next) return Outcome::EndQuietly;
  }
  if (s_.DOBGCONV != 0 && r.Whole("BFACT") != 0 && TLEN(r.Text("BF")) != 0) {
    if (Convert(false, folder) != Outcome::Next) return Outcome::EndQuietly;
  }
  std::string text;
  if (s_.UPDSCRIPT != 0 && Compose(folder, text) != Outcome::Next) return Outcome::EndQuietly;
  return Update(folder, text);
}

bool Pass::Run() {
  if (TLEN(s_.ST.ACR.NAME) == 0) {
    ERRORMSG("Error no Cover Name.", "Main", "Is the INI File Corrupt?", 0, kOkOnly, 0, MWHANDLE);
    return true;
  }
  if (s_.RMC != 0) MISSINGCOVERS(q_, s_);
  const uint32_t n = q_.Records();
  UPDATESTATUS(0, kWorking);
  for (uint32_t i = 1; i <= n; ++i) {
    switch (Folder(i)) {
      case Outcome::EndQuietly:
        return false;
      case Outcome::EndReady:
        return true;
      case Outcome::Next:
        break;
    }
    if (T2ABORT != 0 || ABORTALL != 0) return true;
    progress_ = static_cast<int32_t>(100.0 / n * i);
    UPDATESTATUS(progress_, "");
  }
  UPDATESTATUS(100, "");
  const std::string root = s_.ROOT.empty() ? ROOTDIR : s_.ROOT;
  if (s_.PROCESSV != 0 && s_.DOINDEXV != 0) REBUILDINDEX(q_, root, kVideoCatalog, s_);
  if (s_.PROCESSA != 0 && s_.DOINDEXA != 0) REBUILDINDEX(q_, root, kAudioCatalog, s_);
  return true;
}

}  // namespace

void WRITESCRIPT(std::string_view group) {
  zq::rt::Record parameter(SharedLayout(T2GROUPTYPE()));
  parameter.AssignBytes(group);
  auto* q = static_cast<zq::rt::Queue*>(parameter.Reference("QDIR"));
  if (q == nullptr) return;
  const PASSSETTINGS s = TAKEPASSSETTINGS(*q);
  // A root chosen after the scan: the list belongs to another disk.
  if (!s.ROOT.empty() && !SameRoot(s.ROOT, CHECKPATH(zq::rt::WindowsForm(ROOTDIR)))) {
    ERRORMSG("Run Scan Root First.", "WriteScript", ROOTDIR, -1, kOkOnly, 0, MWHANDLE);
    return;
  }
  if (Pass(*q, s).Run()) UPDATESTATUS(0, "Ready.");
}

void WRITESCRIPTTH(std::string_view group) {
  zq::rt::Record parameter(SharedLayout(T2GROUPTYPE()));
  parameter.AssignBytes(group);
  RUNJOB(kPassEnded, static_cast<uint32_t>(parameter.Whole("THREADNR")), [&] { WRITESCRIPT(group); });
}
