// VIEWDF: a panel's "dune_folder.txt" in a form laid exactly over the other panel.
#include <string>

#include "FolderFileContent.h"
#include "app/EditedControls.h"
#include "app/Explorer.h"
#include "app/FolderFileEditor.h"
#include "app/State.h"
#include "hostlib/Dialogs.h"
#include "hostlib/Procedures.h"
#include "orvid/controlnumbers.h"
#include "orvid/windows.h"
#include "zqruntime/window.h"
#include "zqvantor/windows.h"

namespace {

namespace df = orvid::res::FolderFileEditor;
using zq::rt::Bind;

constexpr char kForeignEncodingReason[] = "the file is UTF-16 text or holds NUL bytes, and the editor keeps UTF-8 only";

class FolderFileForm {
 public:
  FolderFileForm(FolderFileContent& content, std::string path)
      : w_(orvid::res::WindowDefinition("FolderFileEditor")), content_(content), path_(std::move(path)) {}

  void Run(HWND owner, HWND otherList) {
    w_.Open(owner);
    int32_t x = 0, y = 0, width = 0, height = 0;
    if (VTWinGetSize(otherList, &x, &y, &width, &height) != 0) VTWinSetSize(w_.Handle(), x, y, width, height);
    BindControls();
    shown_.Display(w_);
    while (w_.Accept()) {
      const int32_t event = w_.Event();
      if (event == zq::rt::kTimer && ABORTALL) break;
      if (event != zq::rt::kAccepted) continue;
      if (w_.Field() == df::Save) {
        shown_.TakeChanged(w_);
        SaveFolderFileContent(content_, path_);
        break;
      }
      if (w_.Field() == df::Ok) break;
    }
    w_.Close();
  }

 private:
  void BindControls() {
    DUNEFILE& r = content_.record;
    w_.Use(df::Icon, Bind(r.ICON));
    w_.Use(df::Allign, ChoiceBinding(r.ALLIGN, "Top|Center|Bottom"));
    w_.Use(df::Scale, Bind(r.SCALE));
    w_.Use(df::IDX, Bind(r.IDX));
    w_.Use(df::IDY, Bind(r.IDY));
    w_.Use(df::MediaUrl, Bind(r.MURL));
    w_.Use(df::IView, ChoiceBinding(r.IVIEW, "Yes|No"));
    w_.Use(df::Cols, Bind(r.COLS));
    w_.Use(df::Rows, Bind(r.ROWS));
    w_.Use(df::Top, Bind(r.TOP));
    w_.Use(df::Bot, Bind(r.BOT));
    w_.Use(df::FSize, ChoiceBinding(r.FSIZE, "Normal|Small"));
    w_.Use(df::BgPath, Bind(r.BGPATH));
    w_.Use(df::BgX, Bind(r.BGX));
    w_.Use(df::BgY, Bind(r.BGY));
    w_.Use(df::BgW, Bind(r.BGW));
    w_.Use(df::BgH, Bind(r.BGH));
    w_.Use(df::IfPath, Bind(r.IFPATH));
    w_.Use(df::IfX, Bind(r.IFX));
    w_.Use(df::IfY, Bind(r.IFY));
    w_.Use(df::IfW, Bind(r.IFW));
    w_.Use(df::IfH, Bind(r.IFH));
    w_.Use(df::Text, Bind(r.TEXT));
  }

  zq::rt::Window w_;
  FolderFileContent& content_;
  std::string path_;
  EditedControls shown_;
};

}  // namespace

void VIEWDF(const ExplorerPanel& panel, int32_t row, HWND owner, HWND otherList) {
  std::optional<zq::rt::Record> entry = panel.Entry(row);
  if (!entry || QPANELF.FT(*entry) != kFtFolderFile) return;
  const std::string path = panel.PathOf(*entry);
  FolderFileContent content;
  uint32_t systemError = 0;
  const int16_t read = ReadFolderFileContent(content, path, &systemError);
  if (read < 0) {
    const std::string details = read == kForeignEncoding ? path + " - " + kForeignEncodingReason
                                                         : FailureDetails(path, systemError);
    ERRORMSG("Error Reading dune_folder.txt", "ViewDF", details, read, kOkOnly, 0, owner);
    return;
  }
  FolderFileForm form(content, path);
  form.Run(owner, otherList);
}
