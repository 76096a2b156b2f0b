// The entry procedure and the main window: start-up, the event loop, the two jobs' buttons and
// the closing protocol.
#include <memory>
#include <string>

#include "RootFolder.h"
#include "app/Explorer.h"
#include "app/IniFile.h"
#include "app/MainWindow.h"
#include "app/MediaList.h"
#include "app/Pass.h"
#include "app/Scan.h"
#include "app/SettingsWindow.h"
#include "app/State.h"
#include "app/Text.h"
#include "hostlib/Dialogs.h"
#include "hostlib/EditIP.h"
#include "hostlib/Procedures.h"
#include "hostlib/ResizeRules.h"
#include "orvid/controlnumbers.h"
#include "orvid/icons.h"
#include "orvid/windows.h"
#include "zqplatform/folderlock.h"
#include "zqplatform/handles.h"
#include "zqruntime/dialogs.h"
#include "zqruntime/dirlist.h"
#include "zqruntime/threads.h"
#include "zqruntime/window.h"
#include "zqvantor/tray.h"

std::string SCRROOT;

namespace {

namespace mw = orvid::res::MainWindow;
using zq::rt::Window;

constexpr COLORREF kRed = 0x0000FF;
constexpr COLORREF kGreen = 0x00FF00;
constexpr const char* kTrayTip = "Orvid 0.1\r\n\r\nMade by the Orvid project";

// The layout list's editable columns: Align, DX, DY, Scale, Auto, Cols, Rows, Top, Bot, TBot,
// F Size and I-View.
constexpr const char* kLayoutSpec =
    "@2~Top|Center|Bottom~3;#3~~0|999|1~1;#4~~0|999|1~1;#5~~0|5|.1;@6~OMI|ALL~2;#8~~1|10|1;#9~~1|10|1;"
    "#10~~0|50|1;#11~~0|50|1;#12~~-50|50|1;@13~Small|Normal~2;@14~Yes|No~2;";

// Two roots as one folder: in their drive form with a final "\", without regard to case.
bool SameRootFolder(std::string_view a, std::string_view b) {
  const std::string first = CHECKPATH(zq::rt::WindowsForm(a)), second = CHECKPATH(zq::rt::WindowsForm(b));
  return first.size() == second.size() && COMPARENC(first, second, 0) == 0;
}

class MainWindow {
 public:
  MainWindow() : w_(orvid::res::WindowDefinition("MainWindow")), entry_(SharedLayout(QDIRTYPE())) {}

  void Run() {
    INIPATH = CHECKPATH(zq::rt::CurrentFolder());
    EXPRUNNING = 0;
    w_.Open();
    MWTHREAD = w_.Thread();
    MWHANDLE = w_.Handle();
    BindControls();
    GETINI();
    w_.Refresh(mw::LayoutList);
    CREATETRAYICON(MWHANDLE, "__\\__\\_Res\\movieclip32_ico", kTrayTip, "", kTrayDoubleClick);
    ShowBackground();
    w_.SetLineHeight(mw::FolderList, 11);
    for (const auto& [icon, file] : kFolderIconFiles) {
      std::string name = std::string("~..\\..\\_Res\\") + file + ".ico";
      w_.SetIcon(mw::FolderList, static_cast<int32_t>(icon), LoadIconA(zq::rt::IconInstance(), name.c_str()));
    }
    w_.AddAlert(zq::rt::KeyCode("F1"));  // the window's help file
    MWWINPOS.INIT(w_, 1, 0, 1, kTopRight, kKeepSize);
    MWWINPOS.SET(mw::Background, kBottomRight, kKeepSize, 1, 0);
    MWWINPOS.SET(mw::FolderFrame, kTopLeft, kGrowWidth | kGrowHeight, 1, 0);
    // The progress bar and the status line keep to the bottom across the whole width, below
    // the folder list and the picture.
    MWWINPOS.SET(mw::Progress, kBottomLeft, kGrowWidth, 0, 0);
    MWWINPOS.SET(mw::StatusLine, kBottomLeft, kGrowWidth, 0, 0);
    editip_.SORTALLOWED = 0;
    editip_.INSALLOWED = 0;
    editip_.DELALLOWED = 1;
    editip_.INIT(QSCRIPT, mw::LayoutList, kLayoutSpec);
    while (w_.Accept()) {
      if (editip_.CHECKEVENT() != 0) continue;
      if (!Handle()) break;
    }
    w_.Close();
  }

 private:
  void BindControls() {
    using zq::rt::Bind;
    w_.Use(mw::RootEntry, Bind(SCRROOT));
    w_.Use(mw::DeepScan, Bind(DEEPSCAN));
    const std::pair<int32_t, uint8_t*> options[] = {
        {mw::ReplaceIcons, &RMC},         {mw::IconConvert, &DOICCONV},     {mw::IconResize, &AUTOICRESIZE},
        {mw::BackgroundConvert, &DOBGCONV}, {mw::BackgroundResize, &AUTOBGRESIZE},
        {mw::DeleteScripts, &DELSCRIPT},  {mw::UpdateScripts, &UPDSCRIPT},  {mw::ProcessVideo, &PROCESSV},
        {mw::VideoIndex, &DOINDEXV},      {mw::VideoRemoveEmpty, &REMEMPTYV}, {mw::ProcessAudio, &PROCESSA},
        {mw::AudioIndex, &DOINDEXA},      {mw::AudioRemoveEmpty, &REMEMPTYA}};
    for (auto [control, option] : options) w_.Use(control, Bind(*option));
    w_.Use(mw::Progress, Bind(progress_));
    w_.Use(mw::StatusLine, Bind(status_));
    const std::pair<int32_t, const zq::rt::FieldRefBase*> fields[] = {
        {mw::BufName, &QDIRF.NAME},          {mw::BufIcon, &QDIRF.ICON},
        {mw::BufLevel, &QDIRF.LEVEL},        {mw::BufScript, &QDIRF.SCRIPT},
        {mw::BufDirName, &QDIRF.DIRNAME},    {mw::BufCoverName, &QDIRF.CN},
        {mw::BufCoverNameAct, &QDIRF.CNACT}, {mw::BufCoverFile, &QDIRF.CF},
        {mw::BufCoverFileAct, &QDIRF.CFACT}, {mw::BufFolderFileCur, &QDIRF.DFCUR},
        {mw::BufFolderFileNext, &QDIRF.DFNEXT}, {mw::BufMediaType, &QDIRF.MTYPE},
        {mw::BufMediaName, &QDIRF.MNAME}};
    for (auto [control, field] : fields) w_.Use(control, Bind(entry_, *field));
    w_.From(mw::FolderList, QDIR);
    w_.From(mw::LayoutList, QSCRIPT);
  }

  void ShowBackground() { w_.SetPicture(mw::Background, ST.Get().BACKGROUND == 2 ? "DuneP.jpg" : "DuneC.jpg"); }

  void Redraw() {
    STATUSLINE now = STATUSNOW();
    status_ = now.PROCSTAT;
    progress_ = now.SPROGRESS;
    w_.Refresh(mw::FolderList);
    w_.Display();
  }

  // False when the loop ends.
  bool Handle() {
    switch (w_.Event()) {
      case zq::rt::kOpenWindow:
        MWWINPOS.SETSTRWINPOS(MWPOS);
        MWWINPOS.RESIZE();
        SCRROOT = ROOTDIR.Get();
        Redraw();
        return true;
      case zq::rt::kCloseWindow:
        MWPOS = MWWINPOS.GETSTRWINPOS();
        w_.Disable(1, 500);
        ABORTALL = 1;
        UTDestroyTrayIcon();
        w_.Refuse();
        return true;
      case zq::rt::kTimer:
        return Tick();
      case zq::rt::kSized:
        MWWINPOS.RESIZE();
        return true;
      case zq::rt::kAlertKey:
        AlertKey();
        return true;
      case zq::rt::kAccepted:
        Accepted(w_.Field());
        return true;
      case zq::rt::kNewSelection:
        if (w_.Field() == mw::FolderList) FolderChosen();
        return true;
      default:
        ProgramEvent(w_.Event());
        return true;
    }
  }

  void ProgramEvent(int32_t event) {
    switch (event) {
      case kScanEnded:
        if (T1RUNNING) ScanEnded();
        break;
      case kPassEnded:
        if (T2RUNNING) PassEnded();
        break;
      case kStatusChanged:
        Redraw();
        break;
      case kTrayDoubleClick:
        if (EXPRUNNING && EXPTHREAD != 0) zq::rt::Post(kTrayDoubleClick, 0, EXPTHREAD);
        break;
      default:
        break;
    }
  }

  // Ends that another window took: the jobs mark them in their flags too.
  void JobEnds() {
    if (T1RUNNING && T1ENDED) ScanEnded();
    if (T2RUNNING && T2ENDED) PassEnded();
  }

  bool Tick() {
    JobEnds();
    if (!ABORTALL || EXPRUNNING || T1RUNNING || T2RUNNING) return true;
    w_.Take();
    PUTINI();
    return false;
  }

  void ScanEnded() { JobEnded(mw::ScanButton, "Scan Root", T1ENDED, T1RUNNING); }
  void PassEnded() { JobEnded(mw::StartButton, "Start", T2ENDED, T2RUNNING); }

  // The job's button reads its name again and every control of the job range is enabled.
  void JobEnded(int32_t button, std::string_view name, std::atomic<uint8_t>& ended, std::atomic<uint8_t>& running) {
    w_.SetText(button, name);
    w_.SetTextColour(button, kRed);
    w_.Enable(mw::JobRangeFirst, mw::JobRangeLast);
    ended = 0;
    running = 0;
    Redraw();
  }

  void AlertKey() {
    uint32_t key = w_.Keycode();
    if (w_.Field() == mw::FolderList && key == zq::rt::kDoubleClick) {
      OpenInExplorer();
    } else if (key == zq::rt::KeyCode("F1")) {
      zq::rt::ShowHelp(w_.Definition().help, MWHANDLE);
    } else if (key == zq::rt::KeyCode("F2")) {
      STARTEXPLORER();
    } else if (key == zq::rt::KeyCode("F3")) {
      SHOWLOG();
    } else if (key == zq::rt::KeyCode("F9")) {
      SETTINGS();
      ShowBackground();
      Redraw();
    }
  }

  // The chosen folder-list entry into the window's own copy; false when none is chosen.
  bool FetchChosen() {
    std::optional<zq::rt::Record> chosen = QDIR.Peek(w_.Choice(mw::FolderList));
    if (!chosen) return false;
    entry_.Assign(*chosen);
    return true;
  }

  void OpenInExplorer() {
    if (!FetchChosen()) return;
    std::string folder = CHECKPATH(QDIRF.DIRNAME(entry_));
    if (QDIRF.ISFOLDER(entry_) != 0) folder += WithoutTrailingBlanks(QDIRF.NAME(entry_));
    SHOWINEXPLORER(folder);
  }

  void Accepted(int32_t control) {
    switch (control) {
      case mw::FolderList: FolderChosen(); break;
      case mw::RootButton: ChooseRoot(); break;
      case mw::ScanButton: ScanButton(); break;
      case mw::StartButton: StartButton(); break;
      case mw::ExplorerButton: STARTEXPLORER(); break;
      case mw::LogButton: SHOWLOG(); break;
      case mw::SettingsButton:
        SETTINGS();
        ShowBackground();
        Redraw();
        break;
      case mw::OkButton: w_.Post(zq::rt::kCloseWindow); break;
      default: break;
    }
  }

  // A folder-list entry chosen: the layout row of its level is marked.
  void FolderChosen() {
    if (FetchChosen()) {
      int64_t level = QDIRF.LEVEL(entry_);
      if (level > 0 && level <= kLayoutRows) {
        w_.Select(mw::LayoutList, static_cast<uint32_t>(level));
        w_.Focus(mw::FolderList);
      }
    }
    Redraw();
  }

  void ChooseRoot() {
    std::string chosen = zq::rt::FolderDialog("Select Root", SCRROOT, MWHANDLE);
    if (!chosen.empty()) SCRROOT = chosen;
    if (!Blank(SCRROOT)) {
      SCRROOT = zq::rt::WindowsForm(SCRROOT);
      ROOTDIR.Set(SCRROOT);
    } else {
      SCRROOT = ROOTDIR.Get();
    }
    Redraw();
  }

  // The job's button reads "Stop"; every control of the range is disabled but that button and
  // the explorer's.
  void JobStarts(int32_t button) {
    w_.Take();
    w_.SetText(button, "Stop");
    w_.SetTextColour(button, kGreen);
    w_.Disable(mw::JobRangeFirst, mw::JobRangeLast);
    w_.Enable(button, button);
    w_.Enable(mw::ExplorerButton, mw::ExplorerButton);
    Redraw();
  }

  // The root entry as typed, in its drive form (a POSIX path typed), without blanks after its
  // last name that no folder has; empty when blank, after the stored root has been put back.
  std::string TypedRoot() {
    w_.Take();
    if (Blank(SCRROOT)) {
      SCRROOT = ROOTDIR.Get();
      Redraw();
      return {};
    }
    // The entry shows the stored root without its final blanks, and then stands for it.
    const std::string stored = ROOTDIR.Get();
    const bool shown = WithoutTrailingBlanks(SCRROOT) == WithoutTrailingBlanks(stored);
    return RootOfEntry(zq::rt::WindowsForm(shown ? stored : SCRROOT));
  }

  // A root with a name the file layer cannot address as it stands is refused before any job:
  // it would reach another folder than the one on disk. True when refused.
  bool NameRefused(const std::string& root, const char* procedure) {
    const std::string name = NameNotHeld(root);
    if (name.empty()) return false;
    ERRORMSG("Root Folder Name cannot be addressed as it stands.", procedure, name,
             static_cast<int16_t>(ERROR_INVALID_NAME), kOkOnly, 0, MWHANDLE);
    return true;
  }

  // Only a typed root that is a folder is scanned and becomes the root; else the list keeps
  // what it holds.
  void ScanButton() {
    if (T1RUNNING) {
      T1ABORT = 1;
      return;
    }
    const std::string root = TypedRoot();
    if (root.empty() || NameRefused(root, "ScanRoot")) return;
    if (const uint32_t error = RootFolderError(root); error != 0) {
      ERRORMSG("Root Folder not found.", "ScanRoot", WithoutTrailingBlanks(SCRROOT), static_cast<int16_t>(error),
               kOkOnly, 0, MWHANDLE);
      return;
    }
    JobStarts(mw::ScanButton);
    SCRROOT = root;
    ROOTDIR.Set(root);
    T1GROUPF.ROOT.Set(T1GROUP, root);
    T1GROUPF.THREADNR.Set(T1GROUP, MWTHREAD);
    T1ENDED = 0;
    T1RUNNING = 1;
    T1ABORT = 0;
    if (zq::rt::StartThread(SCANDIRTH, std::string(T1GROUP.Bytes())) == 0) ScanEnded();
  }

  void StartButton() {
    if (T2RUNNING) {
      T2ABORT = 1;
      return;
    }
    // The pass works on the root last scanned or chosen; another one typed is not taken.
    const std::string root = TypedRoot();
    if (!root.empty() && NameRefused(root, "WriteScript")) return;
    if (root.empty() || !SameRootFolder(root, ROOTDIR.Get())) {
      ERRORMSG("Run Scan Root First.", "WriteScript", root.empty() ? "" : WithoutTrailingBlanks(SCRROOT), -1, kOkOnly,
               0, MWHANDLE);
      return;
    }
    JobStarts(mw::StartButton);
    T2GROUPF.QDIR.Set(T2GROUP, &QDIR);
    T2GROUPF.THREADNR.Set(T2GROUP, MWTHREAD);
    T2ENDED = 0;
    T2RUNNING = 1;
    T2ABORT = 0;
    if (zq::rt::StartThread(WRITESCRIPTTH, std::string(T2GROUP.Bytes())) == 0) PassEnded();
  }

  Window w_;
  EDITIP editip_;
  zq::rt::Record entry_;  // the chosen folder-list entry, shown by the hidden controls
  std::string status_;
  int16_t progress_ = 0;
};

}  // namespace

void orvid::_main() {
  ABORTALL = 0;
  EXPRUNNING = 0;
  EXPTHREAD = 0;
  MAIN();
}

void MAIN() {
  zq::rt::SetIconInstance(orvid::res::IconInstance());
  zq::rt::MergeWhilePending(kStatusChanged);
  SetDialogsClosingFlag(&ABORTALL);
  // One program per program folder: a second one would read and write the same settings.
  const std::string home = CHECKPATH(zq::rt::CurrentFolder());
  const std::unique_ptr<zq::fs::FolderLock> running = zq::fs::FolderLock::Take(home.c_str());
  if (!running) {
    const DWORD error = GetLastError();
    ERRORMSG(error == ERROR_LOCK_VIOLATION ? "Orvid is Already Running from this Folder."
                                           : "Error Locking the Program Folder.",
             "Main", home, static_cast<int16_t>(error), kOkOnly, 0, 0);
    return;
  }
  MainWindow window;
  window.Run();
}
