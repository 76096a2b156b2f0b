// SHOWLOG: the media list window "Log File".
#include "app/Helpers.h"
#include "app/MediaList.h"
#include "app/State.h"
#include "hostlib/EditIP.h"
#include "hostlib/ResizeRules.h"
#include "hostlib/WinPos.h"
#include "orvid/controlnumbers.h"
#include "orvid/windows.h"
#include "zqruntime/window.h"

namespace {

namespace ml = orvid::res::MediaList;
using zq::rt::Bind;

// The first three columns sort by category and then by folder path, folder name or media name.
constexpr const char* kSortSpec = "!1~~~SCat,Dir;!2~~~SCat,DName;!3~~~SCat,MName";

// A scan or a pass is adding to MFQ: its end is marked before its end event is posted.
bool JobAddsToTheList() { return (T1RUNNING && !T1ENDED) || (T2RUNNING && !T2ENDED); }

class MediaListWindow {
 public:
  MediaListWindow() : w_(orvid::res::WindowDefinition("MediaList")) {}

  void Run() {
    w_.Open();
    LWHANDLE = w_.Handle();
    w_.SetTitle(orvid::res::WindowDefinition("MainWindow").title);
    BindControls();
    editip_.INSALLOWED = 0;
    editip_.DELALLOWED = 0;
    editip_.EDITALLOWED = 0;
    editip_.INIT(MFQ, ml::List, kSortSpec);
    GuardTheList();
    MWWINPOS.CENTERWIN(LWHANDLE);
    winpos_.INIT(w_, 1, 0, 1, kTopLeft, kKeepSize);
    winpos_.SET(ml::List, kTopLeft, kGrowWidth | kGrowHeight, 0, 0);
    winpos_.SET(ml::Panel, kBottomRight, kKeepSize, 1, 0);
    winpos_.RESIZE();
    DiskTexts();
    w_.Display();
    while (w_.Accept()) {
      GuardTheList();
      if (editip_.CHECKEVENT() != 0) continue;
      Handle(w_.Event());
    }
    w_.Close();
    LWHANDLE = 0;
  }

 private:
  void BindControls() {
    w_.From(ml::List, MFQ);
    w_.Use(ml::FileName, Bind(fileName_));
    MEDIATOTALS& t = MFSIZE;
    const std::tuple<int32_t, int32_t*, int32_t, double*> kinds[] = {
        {ml::BluRayCount, &t.CNTBD, ml::BluRaySize, &t.TOTBSIZE}, {ml::DvdCount, &t.CNTDD, ml::DvdSize, &t.TOTVSIZE},
        {ml::VideoCount, &t.CNTMF, ml::VideoSize, &t.TOTMSIZE},   {ml::AudioCount, &t.CNTAF, ml::AudioSize, &t.TOTASIZE},
        {ml::UnknownCount, &t.CNTUF, ml::UnknownSize, &t.TOTUSIZE}, {ml::TotalCount, &t.CNTTF, ml::TotalSize, &t.TOTTSIZE}};
    for (auto [countControl, count, sizeControl, size] : kinds) {
      w_.Use(countControl, Bind(*count));
      w_.Use(sizeControl, Bind(*size));
    }
    w_.Use(ml::DiskTotal, Bind(t.DISKT));
    w_.Use(ml::DiskUsed, Bind(t.DISKU));
    w_.Use(ml::DiskFree, Bind(t.DISKF));
    w_.Use(ml::DiskTotalText, Bind(diskTotal_));
    w_.Use(ml::DiskUsedText, Bind(diskUsed_));
    w_.Use(ml::DiskFreeText, Bind(diskFree_));
  }

  void DiskTexts() {
    diskTotal_ = HRSIZE(MFSIZE.DISKT);
    diskUsed_ = HRSIZE(MFSIZE.DISKU);
    diskFree_ = HRSIZE(MFSIZE.DISKF);
  }

  // While a job adds to MFQ, the list's rows may no longer be the queue's: nothing is read
  // into it or deleted from it until the job has ended.
  void GuardTheList() {
    const bool busy = JobAddsToTheList();
    if (busy == guarded_) return;
    guarded_ = busy;
    if (busy) {
      w_.Disable(ml::ReadButton, ml::ReadButton);
    } else {
      w_.Enable(ml::ReadButton, ml::ReadButton);
      w_.Refresh(ml::List);
    }
    editip_.DELALLOWED = busy ? 0 : 1;
  }

  void Handle(int32_t event) {
    switch (event) {
      case zq::rt::kSized:
        winpos_.RESIZE();
        break;
      case zq::rt::kAccepted:
        if (w_.Field() == ml::WriteButton) {
          fileName_ = MFEXPORT();
          w_.Display();
        } else if (w_.Field() == ml::ReadButton && !guarded_) {
          fileName_ = MFIMPORT();
          DiskTexts();
          w_.Refresh(ml::List);
          w_.Display();
        }
        break;
      default:
        break;
    }
  }

  zq::rt::Window w_;
  EDITIP editip_;
  WINPOSCLASS winpos_;
  std::string fileName_;
  std::string diskTotal_, diskUsed_, diskFree_;
  bool guarded_ = false;
};

}  // namespace

void SHOWLOG() {
  LWHANDLE = 0;
  MFTOTALS();
  MediaListWindow window;
  window.Run();
}
