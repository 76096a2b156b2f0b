// The explorer's file commands: copy as icon or background, convert, make a folder and
// delete. The source is the chosen entry of one panel; the target the other panel's folder.
#include "ExplorerParts.h"
#include "app/Explorer.h"
#include "app/Helpers.h"
#include "app/State.h"
#include "app/Text.h"
#include "hostlib/ConversionPool.h"
#include "hostlib/Dialogs.h"
#include "hostlib/Procedures.h"
#include "hostlib/Wrappers.h"
#include "zqruntime/picture.h"
#include "zqruntime/window.h"

namespace {

constexpr const char* kSameFile = "Source and Target are the same File.";

// The other folder's icon or background name, as the settings hold it without trailing blanks.
std::string TargetName(COPYTARGET mode) {
  const SETTINGSGROUP st = ST.Get();
  return WithoutTrailingBlanks(mode == kCopyAsBackground ? st.ABR.NAME : st.ACR.NAME);
}

// The conversion of an entry into the target folder (R$DOCONVITM's source and target).
hostlib::Conversion ConversionOf(const ExplorerPanel& source, const ExplorerPanel& target,
                                 const zq::rt::RecordRef& entry, COPYMODE copyMode, COPYTARGET mode,
                                 const CONVERTOPTIONS& options) {
  std::string into = CHECKPATH(target.Folder());
  if (copyMode == kConvertAsIconOrBackground) {
    into += TargetName(mode) + ".aai";
  } else {
    // The name as listed: a blank before its dot stays.
    const std::string name = QPANELF.NAME(entry);
    into += options.AAI ? GETFILE(name) + ".aai" : name;
  }
  return {source.PathOf(entry), into, GETRESIZE(options.SRESIZE, options.KAR), options.WIDTH, options.HEIGHT,
          GETFILTER(options.SFILTER)};
}

}  // namespace

void Explorer::Report(std::string_view message, std::string_view procedure, std::string_view details, int32_t code) {
  ERRORMSG(message, procedure, details, static_cast<int16_t>(code), kOkOnly, 0, DWHANDLE);
}

// After a command changed the panel's folder: the other panel lists it again when it shows
// the same folder.
void Explorer::ListAgainWhereShown(const ExplorerPanel& changed) {
  ExplorerPanel& other = Other(changed);
  if (SAMEFILE(CHECKPATH(changed.Folder()), CHECKPATH(other.Folder()))) other.ListAgain();
}

void Explorer::COPYITEM(ExplorerPanel& source, int32_t row) {
  std::optional<zq::rt::Record> entry = source.Entry(row);
  if (!entry || !ExplorerPanel::IsPicture(*entry)) return;
  ExplorerPanel& target = Other(source);
  const std::string from = source.PathOf(*entry);
  const std::string to = CHECKPATH(target.Folder()) + TargetName(FMODE) + "." + QPANELF.EXT(*entry);
  if (SAMEFILE(from, to)) {
    Report(kSameFile, "CopyItem", from, 0);
  } else {
    FILEIO file;
    const int32_t result = file.COPY(from, to, 0);
    if (result != 0) {
      // The source when it is gone, else the target the copy could not replace.
      const uint32_t error = static_cast<uint32_t>(file.GETLASTSYSTEMERROR());
      Report("Error Copying.", "CopyItem", FailureDetails(STANDS(from) ? to : from, error), result);
    }
  }
  target.ListAgain();
  ListAgainWhereShown(target);
}

void Explorer::CONVERTITEM(ExplorerPanel& source, int32_t row, COPYMODE copyMode) {
  ExplorerPanel& target = Other(source);
  // One conversion (R$DOCONVITM), its picture from the pool when converted ahead there under
  // its row.
  auto convertOne = [&](uint32_t at, const CONVERTOPTIONS& options, hostlib::ConversionPool& pool) {
    std::optional<zq::rt::Record> entry = source.Entry(static_cast<int32_t>(at));
    if (!entry) return;
    const hostlib::Conversion c = ConversionOf(source, target, *entry, copyMode, FMODE, options);
    if (SAMEFILE(c.source, c.target)) {
      Report(kSameFile, "ConvertItem", c.source, 0);
      return;
    }
    const int32_t result = pool.Convert(at, c);
    if (result <= 0) {
      Report("Error Converting.", "ConvertItem", c.source, result);
      return;
    }
    if (copyMode == kConvertUnderItsName) {
      source.SetMark(at, false);
      redrawPanels();
    }
  };
  auto marked = [&](uint32_t i) {
    std::optional<zq::rt::Record> entry = source.Entry(static_cast<int32_t>(i));
    return entry && QPANELF.SEL(*entry) == 1 && ExplorerPanel::IsPicture(*entry) ? entry : std::nullopt;
  };
  auto convert = [&] {
    if (source.FirstMarked() != 0 && copyMode == kConvertUnderItsName) {
      // The group conversion: every marked picture, converted ahead on the pool and written here
      // in the panel's order, each unmarked once converted; stops between pictures when the
      // program closes.
      CONVERTOPTIONS options;
      if (!ASKCONVERTOPTIONS(*this, options)) return;
      std::vector<hostlib::ConversionPool::Job> jobs;
      for (uint32_t i = 1; i <= source.Entries().Records(); ++i) {
        if (std::optional<zq::rt::Record> entry = marked(i))
          jobs.push_back({i, ConversionOf(source, target, *entry, kConvertUnderItsName, FMODE, options)});
      }
      hostlib::ConversionPool pool(std::move(jobs));
      for (uint32_t i = 1; i <= source.Entries().Records() && !ABORTALL; ++i) {
        if (marked(i)) convertOne(i, options, pool);
      }
    } else {
      std::optional<zq::rt::Record> entry = source.Entry(row);
      if (!entry || !ExplorerPanel::IsPicture(*entry)) return;
      hostlib::ConversionPool none({});  // one picture: converted here
      convertOne(static_cast<uint32_t>(row), CONVERTOPTIONS{}, none);
    }
  };
  convert();
  target.ListAgain();
  ListAgainWhereShown(target);
}

void Explorer::MKDIR(ExplorerPanel& panel) {
  std::optional<std::string> name = ASKFOLDERNAME(*this);
  if (!name) return;
  const std::string clipped = name->substr(0, static_cast<size_t>(TLEN(*name)));
  if (clipped.empty()) return;
  const std::string path = CHECKPATH(panel.Folder()) + clipped;
  if (std::string fault = FOLDERNAMEFAULT(clipped); !fault.empty()) {
    Report(fault, "MKDir", path, 0);
    return;
  }
  const bool right = &panel == &right_;
  if (right) MBOX(path, 0, 0, DWHANDLE);
  FILEIO file;
  const int32_t result = file.CREATEDIR(path);
  if (right) MBOX(zq::rt::WholeText(result), 0, 0, DWHANDLE);
  if (result != 0) {
    Report("Error Creating Folder.", "MKDir", FailureDetails(path, static_cast<uint32_t>(file.GETLASTSYSTEMERROR())),
           result);
    return;
  }
  panel.ListAgain();
  ListAgainWhereShown(panel);
}

void Explorer::DELETEITEM(ExplorerPanel& panel, int32_t row) {
  // Deletes the entry's file (R$DODELITEM); true when it is gone.
  auto deleteOne = [&](const zq::rt::RecordRef& entry) {
    const std::string path = panel.PathOf(entry);
    FILEIO file;
    const int32_t result = file.DELETE(path);
    if (result != 0) {
      Report("Error Deleting.", "DeleteItem", FailureDetails(path, static_cast<uint32_t>(file.GETLASTSYSTEMERROR())),
             result);
    }
    return result == 0;
  };
  if (panel.FirstMarked() != 0) {
    if (!ASKDELETE(*this)) return;
    // Entries that stay marked (a failed deletion) are passed over; the rest are taken in turn.
    uint32_t next = 1;
    for (;;) {
      const uint32_t marked = panel.FirstMarked(next);
      if (marked == 0) break;
      const zq::rt::Record entry = *panel.Entry(static_cast<int32_t>(marked));
      if (!ExplorerPanel::IsDeletable(entry)) {
        panel.SetMark(marked, false);
        next = marked;
      } else if (deleteOne(entry)) {
        panel.Remove(marked);
        next = marked;
      } else {
        next = marked + 1;
      }
      if (ABORTALL) break;
      redrawPanels();
      zq::rt::Yield();
    }
    ListAgainWhereShown(panel);
    redrawPanels();
    return;
  }
  std::optional<zq::rt::Record> entry = panel.Entry(row);
  if (!entry || !ExplorerPanel::IsDeletable(*entry)) return;
  if (ST.Get().CONFIRMDELETE && !ASKDELETE(*this)) return;
  if (deleteOne(*entry)) panel.Remove(static_cast<uint32_t>(row));
  ListAgainWhereShown(panel);
}
