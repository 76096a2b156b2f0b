// The explorer's file commands: copy as icon or background, convert, make a folder, mark and
// delete. The source is the chosen entry of one side; the target the other side's folder.
#include "ExplorerParts.h"
#include "app/Explorer.h"
#include "app/Helpers.h"
#include "app/Text.h"
#include "app/State.h"
#include "hostlib/ConversionPool.h"
#include "hostlib/Dialogs.h"
#include "hostlib/Procedures.h"
#include "hostlib/Wrappers.h"
#include "zqruntime/picture.h"
#include "zqruntime/window.h"

namespace {

constexpr int32_t kMarkedColour = 255;  // red
constexpr int32_t kDefaultColour = -1;
constexpr const char* kSameFile = "Source and Target are the same File.";

bool IsPicture(const zq::rt::RecordRef& entry) {
  const int64_t type = QPANELF.FT(entry);
  return type == kFtFolderIcon || type == kFtPicture;
}

std::string FilePath(uint8_t side, const zq::rt::RecordRef& entry) {
  return CHECKPATH(PANELOF(side).Folder()) + QPANELF.FN(entry) + "." + QPANELF.EXT(entry);
}

void Report(std::string_view message, std::string_view procedure, std::string_view details, int32_t code) {
  ERRORMSG(message, procedure, details, static_cast<int16_t>(code), kOkOnly, 0, DWHANDLE);
}

// The other folder's icon or background name, as the settings hold it without trailing blanks.
std::string TargetName() {
  const SETTINGSGROUP st = ST.Get();
  return WithoutTrailingBlanks(FMODE == kCopyAsBackground ? st.ABR.NAME : st.ACR.NAME);
}

// The first marked entry of a panel from a row on; 0 when none is marked there.
uint32_t FirstMarked(const zq::rt::Queue& panel, uint32_t from = 1) {
  for (uint32_t i = from; i <= panel.Records(); ++i) {
    if (QPANELF.SEL(*panel.Peek(i)) == 1) return i;
  }
  return 0;
}

void SetMark(zq::rt::Queue& panel, uint32_t row, bool marked) {
  if (!panel.Get(row)) return;
  QPANELF.C1.Set(panel.Buffer(), marked ? kMarkedColour : kDefaultColour);
  QPANELF.SEL.Set(panel.Buffer(), marked ? 1 : 0);
  panel.Put();
}

// The conversion of an entry into the other side's folder (R$DOCONVITM's source and target).
hostlib::Conversion ConversionOf(uint8_t side, const zq::rt::Record& entry, COPYMODE copyMode,
                                 const CONVERTOPTIONS& options) {
  std::string target = CHECKPATH(PANELOF(OTHERSIDE(side)).Folder());
  if (copyMode == kConvertAsIconOrBackground) {
    target += TargetName() + ".aai";
  } else {
    target += QPANELF.FN(entry) + (options.AAI ? std::string(".aai") : "." + QPANELF.EXT(entry));
  }
  return {FilePath(side, entry), target, GETRESIZE(options.SRESIZE, options.KAR), options.WIDTH, options.HEIGHT,
          GETFILTER(options.SFILTER)};
}

// One conversion (R$DOCONVITM), its picture from the pool when converted ahead there under
// its row; true when it succeeded.
bool ConvertOne(uint8_t side, uint32_t row, COPYMODE copyMode, const CONVERTOPTIONS& options,
                hostlib::ConversionPool& pool) {
  zq::rt::Queue& panel = PANELOF(side).entries;
  std::optional<zq::rt::Record> entry = panel.Peek(row);
  if (!entry) return false;
  const hostlib::Conversion c = ConversionOf(side, *entry, copyMode, options);
  if (SAMEFILE(c.source, c.target)) {
    Report(kSameFile, "ConvertItem", c.source, 0);
    return false;
  }
  const int32_t result = pool.Convert(row, c);
  if (result <= 0) {
    Report("Error Converting.", "ConvertItem", c.source, result);
    return false;
  }
  if (copyMode == kConvertUnderItsName) {
    SetMark(panel, row, false);
    REDRAWEXPLORER();
  }
  return true;
}

// The group conversion: every marked picture of the side into the other side's folder, each
// unmarked once converted; stops between pictures when the program closes. The pictures are
// converted ahead on the pool and written here in the panel's order.
void ConvertMarked(uint8_t side, const CONVERTOPTIONS& options) {
  const zq::rt::Queue& panel = PANELOF(side).entries;
  auto marked = [&](uint32_t i) {
    std::optional<zq::rt::Record> entry = panel.Peek(i);
    return entry && QPANELF.SEL(*entry) == 1 && IsPicture(*entry) ? entry : std::nullopt;
  };
  std::vector<hostlib::ConversionPool::Job> jobs;
  for (uint32_t i = 1; i <= panel.Records(); ++i) {
    if (std::optional<zq::rt::Record> entry = marked(i)) jobs.push_back({i, ConversionOf(side, *entry, kConvertUnderItsName, options)});
  }
  hostlib::ConversionPool pool(std::move(jobs));
  for (uint32_t i = 1; i <= panel.Records(); ++i) {
    if (ABORTALL) return;
    if (marked(i)) ConvertOne(side, i, kConvertUnderItsName, options, pool);
  }
}

// Deletes the entry's file (R$DODELITEM); true when it is gone.
bool DeleteOne(uint8_t side, const zq::rt::RecordRef& entry) {
  const std::string path = FilePath(side, entry);
  FILEIO file;
  const int32_t result = file.DELETE(path);
  if (result != 0) {
    Report("Error Deleting.", "DeleteItem", path, result);
    return false;
  }
  return true;
}

bool Deletable(const zq::rt::RecordRef& entry) { return QPANELF.FT(entry) == kFtFolderFile || IsPicture(entry); }

}  // namespace

void COPYITEM(uint8_t side, int32_t row) {
  if (row < 1) return;
  std::optional<zq::rt::Record> entry = PANELOF(side).entries.Peek(static_cast<uint32_t>(row));
  if (!entry || !IsPicture(*entry)) return;
  const std::string source = FilePath(side, *entry);
  const std::string target = CHECKPATH(PANELOF(OTHERSIDE(side)).Folder()) + TargetName() + "." + QPANELF.EXT(*entry);
  if (SAMEFILE(source, target)) {
    Report(kSameFile, "CopyItem", source, 0);
  } else {
    FILEIO file;
    const int32_t result = file.COPY(source, target, 0);
    if (result != 0) Report("Error Copying.", "CopyItem", source, result);
  }
  PANELOF(OTHERSIDE(side)).ListAgain();
}

void CONVERTITEM(uint8_t side, int32_t row, COPYMODE copyMode) {
  zq::rt::Queue& panel = PANELOF(side).entries;
  if (FirstMarked(panel) != 0 && copyMode == kConvertUnderItsName) {
    CONVERTOPTIONS options;
    if (ASKCONVERTOPTIONS(options)) ConvertMarked(side, options);
    return;
  }
  if (row < 1) return;
  std::optional<zq::rt::Record> entry = panel.Peek(static_cast<uint32_t>(row));
  if (!entry || !IsPicture(*entry)) return;
  hostlib::ConversionPool none({});  // one picture: converted here
  ConvertOne(side, static_cast<uint32_t>(row), copyMode, CONVERTOPTIONS{}, none);
}

void MKDIR(uint8_t side) {
  std::optional<std::string> name = ASKFOLDERNAME();
  if (!name) return;
  const std::string clipped = name->substr(0, static_cast<size_t>(TLEN(*name)));
  if (clipped.empty()) return;
  const std::string path = CHECKPATH(PANELOF(side).Folder()) + clipped;
  if (std::string fault = FOLDERNAMEFAULT(clipped); !fault.empty()) {
    Report(fault, "MKDir", path, 0);
    return;
  }
  if (side == kRightSide) MBOX(path, 0, 0, DWHANDLE);
  FILEIO file;
  const int32_t result = file.CREATEDIR(path);
  if (side == kRightSide) MBOX(zq::rt::WholeText(result), 0, 0, DWHANDLE);
  if (result != 0) {
    Report("Error Creating Folder.", "MKDir", path, result);
    return;
  }
  PANELOF(side).ListAgain();
}

void DELETEITEM(uint8_t side, int32_t row) {
  zq::rt::Queue& panel = PANELOF(side).entries;
  if (FirstMarked(panel) != 0) {
    if (!ASKDELETE()) return;
    // Entries that stay marked (a failed deletion) are passed over; the rest are taken in turn.
    uint32_t next = 1;
    for (;;) {
      const uint32_t marked = FirstMarked(panel, next);
      if (marked == 0) break;
      const zq::rt::Record entry = *panel.Peek(marked);
      if (!Deletable(entry)) {
        SetMark(panel, marked, false);
        next = marked;
      } else if (DeleteOne(side, entry)) {
        panel.Delete(marked);
        next = marked;
      } else {
        next = marked + 1;
      }
      if (ABORTALL) break;
      REDRAWEXPLORER();
      zq::rt::Yield();
    }
    REDRAWEXPLORER();
    return;
  }
  if (row < 1) return;
  std::optional<zq::rt::Record> entry = panel.Peek(static_cast<uint32_t>(row));
  if (!entry || !Deletable(*entry)) return;
  if (ST.Get().CONFIRMDELETE && !ASKDELETE()) return;
  if (DeleteOne(side, *entry)) panel.Delete(static_cast<uint32_t>(row));
}
