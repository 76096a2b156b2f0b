// DUNECOMMANDER: the explorer window, its opening, its event loop and keys, and the preview.
#include <memory>
#include <mutex>
#include <utility>

#include "ExplorerParts.h"
#include "PreviewLoader.h"
#include "ZQ_Graphic.h"
#include "app/Explorer.h"
#include "app/FolderFileEditor.h"
#include "app/LazyMode.h"
#include "app/MainWindow.h"
#include "app/SettingsWindow.h"
#include "app/State.h"
#include "hostlib/Procedures.h"
#include "orvid/controlnumbers.h"
#include "orvid/windows.h"
#include "zqruntime/window.h"
#include "zqvantor/tray.h"

namespace {

namespace ew = orvid::res::ExplorerWindow;
using zq::rt::KeyCode;
using zq::rt::Window;

constexpr COLORREF kYellow = 0x00FFFF;
constexpr COLORREF kMagenta = 0xFF00FF;
constexpr COLORREF kGreen = 0x00FF00;
constexpr COLORREF kOrangeRed = 0x0045FF;
constexpr int32_t kSmallestSide = 20;
constexpr const char* kTitle = "Explorer - V2.191 - Orvid, the media disk maker";
constexpr const char* kDriveIcons[] = {"HDD", "CD1"};
constexpr const char* kPanelIcons[] = {"VistaFolder",   "VistaFile",  "VistaFileOK",   "VistaImage",
                                       "VistaMulImage", "VistaMovie", "VistaFolderUp", "VistaAudio2"};

std::mutex shownLock;
std::string shownFolder;

Window* openExplorer = nullptr;  // the explorer thread's open window

zq::rt::WindowDef Definition() {
  return zq::rt::ParseWindowDefinition(orvid::res::WindowText("ExplorerWindow")).window.value_or(zq::rt::WindowDef{});
}

bool IsList(int32_t control) { return control == ew::LeftPanel || control == ew::RightPanel; }
uint8_t SideOf(int32_t list) { return list == ew::LeftPanel ? kLeftSide : kRightSide; }
int32_t ListOf(uint8_t side) { return side == kLeftSide ? ew::LeftPanel : ew::RightPanel; }
int32_t PathFieldOf(uint8_t side) { return side == kLeftSide ? ew::LeftPath : ew::RightPath; }

// Clears EXPTHREAD, then EXPRUNNING when the loop ends, however it ends.
struct RunningFlags {
  ~RunningFlags() {
    EXPTHREAD = 0;
    EXPRUNNING = 0;
  }
};

class Explorer {
 public:
  Explorer() : w_(Definition()) {}

  void Run() {
    Open();
    preview_ = std::make_unique<PreviewLoader>(w_.Thread());
    while (w_.Accept()) Handle();
    preview_.reset();
    openExplorer = nullptr;
  }

  void Close() {
    w_.Close();
    DWHANDLE = 0;
  }

  void Redraw() {
    for (int32_t control : {ew::LeftPanel, ew::RightPanel, ew::LeftPath, ew::RightPath, ew::LeftDrive, ew::RightDrive})
      w_.Refresh(control);
    w_.Display();
  }

 private:
  void Open() {
    DWHANDLE = 0;
    FILLDRIVES();
    if (TLEN(LPPATH) == 0) LPPATH = CHECKPATH(ROOTDIR);
    if (TLEN(RPPATH) == 0) RPPATH = CHECKPATH(ROOTDIR);
    FILLPANEL(kLeftSide, LPPATH);
    FILLPANEL(kRightSide, RPPATH);
    OLDDIR.clear();
    IMGACT = 0;
    w_.Open();
    openExplorer = &w_;
    DWHANDLE = w_.Handle();
    zq::ui::Font font = w_.Font(ew::LeftPanel).value_or(zq::ui::Font{});
    if (ST.EXPFONTSIZE > 0) font.points = ST.EXPFONTSIZE;
    w_.SetFont(ew::LeftPanel, font);
    w_.SetFont(ew::RightPanel, font);
    w_.SetTitle(kTitle);
    for (int32_t list : {ew::LeftDrive, ew::RightDrive})
      for (int32_t n = 1; n <= 2; ++n) w_.SetIcon(list, n, Icon(kDriveIcons[n - 1]));
    for (int32_t list : {ew::LeftPanel, ew::RightPanel})
      for (int32_t n = 1; n <= 8; ++n) w_.SetIcon(list, n, Icon(kPanelIcons[n - 1]));
    for (int32_t control = ew::LeftPanel; control <= ew::RightDrive; ++control) w_.SetLineHeight(control, 11);
    Bind();
    w_.Select(ew::RightPanel, 1);
    w_.Select(ew::LeftPanel, 1);
    w_.Focus(ew::LeftPanel);
    CLAIMAGE.INIT(w_, ew::Preview);
    WPC.INIT(w_, 1, 0, 1, 3, 0);
    WPC.SET(ew::OkButton, 4, 0, 0, 0);
    WPC.SET(ew::Frame, 1, 3, 0, 0);
    WPC.SET(ew::LeftPanel, 1, 6, 0, 0);
    WPC.SET(ew::RightPanel, 2, 6, 0, 0);
    WPC.SET(ew::LeftPath, 1, 16, 0, ew::LeftPanel);
    WPC.SET(ew::LeftDrive, 2, 0, 0, ew::LeftPanel);
    WPC.SET(ew::RightPath, 1, 16, 0, ew::RightPanel);
    WPC.SET(ew::RightDrive, 2, 0, 0, ew::RightPanel);
    WPC.SETSTRWINPOS(EWPOS);
    WPC.RESIZE();
    FMODE = 1;
    ShowMode("F4 - Icon", kYellow);
  }

  static HICON Icon(const char* name) {
    return LoadIconA(zq::rt::IconInstance(), (std::string("~..\\..\\_Res\\") + name + ".ico").c_str());
  }

  void Bind() {
    w_.From(ew::LeftPanel, LP);
    w_.From(ew::RightPanel, RP);
    w_.From(ew::LeftPath, LPLIST);
    w_.From(ew::RightPath, RPLIST);
    w_.From(ew::LeftDrive, QDRIVE);
    w_.From(ew::RightDrive, QDRIVE);
    w_.Use(ew::LeftPath, zq::rt::Bind(TLPPATH));
    w_.Use(ew::RightPath, zq::rt::Bind(TRPPATH));
    w_.Use(ew::LeftDrive, zq::rt::Bind(CDRVL));
    w_.Use(ew::RightDrive, zq::rt::Bind(CDRVR));
    w_.Use(ew::ImageInfo, zq::rt::Bind(IMAGEINFO));
    w_.Display();
  }

  void ShowMode(std::string_view text, COLORREF colour) {
    w_.SetText(ew::ModeButton, text);
    // The mode's colour fills the buttons: yellow or magenta text on a grey face is hard to read.
    for (int32_t control : {ew::ModeButton, ew::CopyButton, ew::CopyConvertButton}) w_.SetBackColour(control, colour);
  }

  void Handle() {
    const int32_t field = w_.Field();
    switch (w_.Event()) {
      case zq::rt::kOpenWindow: Redraw(); break;
      case zq::rt::kTimer:
        if (ABORTALL) {
          w_.Disable(1, 100);
          Redraw();
          w_.Post(zq::rt::kCloseWindow);
        }
        break;
      case zq::rt::kCloseWindow:
        EWPOS = WPC.GETSTRWINPOS();
        w_.Take();
        break;
      case zq::rt::kSized: Sized(); break;
      case zq::rt::kFocus:
        if (IsList(field)) list_ = field;
        if (field == ew::LeftDrive || field == ew::RightDrive) {
          FILLDRIVES();
          w_.Refresh(ew::LeftDrive);
          w_.Refresh(ew::RightDrive);
        }
        break;
      case zq::rt::kNewSelection:
        if (IsList(field)) {
          list_ = field;
          DisplayImage(field);
        }
        break;
      case zq::rt::kAccepted: Accepted(field); break;
      case zq::rt::kAlertKey: Key(field, w_.Keycode()); break;
      case kShowInExplorer: ShowFolder(); break;
      case kTrayDoubleClick:
        if (UTIsTrayWinHidden()) w_.Hide();
        else w_.Show();
        break;
      case kPreviewReady: PreviewReady(); break;
      default: break;
    }
  }

  void Sized() {
    w_.Hide(ew::Preview, ew::Preview);
    WPC.RESIZE();
    SetImageMode();
    if (IMGACT == 1) w_.PostAccepted(ew::RightPanel);
    if (IMGACT == 2) w_.PostAccepted(ew::LeftPanel);
  }

  void ShowFolder() {
    const std::string folder = TAKESHOWNFOLDER();
    if (IMGACT != 0 || folder.empty()) return;
    w_.Focus(ew::RightPanel);
    TRPPATH = folder;
    w_.Display(ew::RightPath, ew::RightPath);
    w_.PostAccepted(ew::RightPath);
    Redraw();
  }

  void Accepted(int32_t field) {
    switch (field) {
      case ew::LeftPanel:
      case ew::RightPanel:
        list_ = field;
        DisplayImage(field);
        break;
      case ew::LeftPath:
      case ew::RightPath: {
        const uint8_t side = field == ew::LeftPath ? kLeftSide : kRightSide;
        w_.Take(field, field);
        FILLPANEL(side, side == kLeftSide ? TLPPATH : TRPPATH);
        w_.Select(ListOf(side), 1);
        Redraw();
        w_.Focus(ListOf(side));
        break;
      }
      case ew::LeftDrive:
      case ew::RightDrive: {
        const uint8_t side = field == ew::LeftDrive ? kLeftSide : kRightSide;
        const uint32_t row = w_.Choice(field);
        if (row >= 1 && row <= QDRIVE.Records()) {
          FILLPANEL(side, QDRIVEF.DRV(*QDRIVE.Peek(row)) + "\\");
          w_.Select(ListOf(side), 1);
        }
        Redraw();
        w_.Focus(ListOf(side));
        break;
      }
      case ew::ImageButton: Key(list_, KeyCode("F2")); break;
      case ew::EditButton: Key(list_, KeyCode("F3")); break;
      case ew::ModeButton: Key(list_, KeyCode("F4")); break;
      case ew::CopyButton: Key(list_, KeyCode("F5")); break;
      case ew::ConvertButton: Key(list_, KeyCode("F6")); break;
      case ew::CopyConvertButton: Key(list_, KeyCode("F7")); break;
      case ew::NewFolderButton: Key(list_, KeyCode("F8")); break;
      case ew::SettingsButton: Key(list_, KeyCode("F9")); break;
      case ew::SelectButton: Key(list_, KeyCode("Ins")); break;
      case ew::DeleteButton: Key(list_, KeyCode("Del")); break;
      case ew::OkButton: w_.Post(zq::rt::kCloseWindow); break;
      case ew::LazyButton: SwitchLazyMode(); break;
      default: break;
    }
  }

  // A key pressed in a control (a list, a path field or the window).
  void Key(int32_t field, uint32_t key) {
    if (IsList(field)) list_ = field;
    const bool inList = IsList(field);
    const uint8_t side = SideOf(inList ? field : list_);
    const int32_t list = ListOf(side);
    const int32_t choice = static_cast<int32_t>(w_.Choice(list));
    if (key == KeyCode("Enter") || key == zq::rt::kDoubleClick) {
      if (field == ew::LeftPath || field == ew::RightPath || field == ew::LeftDrive || field == ew::RightDrive) {
        w_.PostAccepted(field);
      } else if (inList && DIRDN(side, choice)) {
        Moved(side);
      }
    } else if (key == KeyCode("Backspace")) {
      if (!inList) return;
      OLDDIR = PATHOF(side);
      if (DIRUP(side)) Moved(side);
    } else if (key == KeyCode("F2")) {
      if (IMGACT == 0) {
        if (!inList) return;
        IMGACT = side == kLeftSide ? 2 : 1;
        SetImageMode();
        DisplayImage(list);
      } else {
        IMGACT = 0;
        SetImageMode();
      }
    } else if (key == KeyCode("F3")) {
      if (choice > 0) VIEWDF(side, choice, w_.ControlHandle(ListOf(side == kLeftSide ? kRightSide : kLeftSide)));
    } else if (key == KeyCode("F4")) {
      if (FMODE == 1) {
        FMODE = 2;
        ShowMode("F4 - Background", kMagenta);
      } else {
        FMODE = 1;
        ShowMode("F4 - Icon", kYellow);
      }
    } else if (key == KeyCode("F5")) {
      if (IMGACT == 0 && choice > 0) COPYITEM(side, choice);
      Redraw();
    } else if (key == KeyCode("F6") || key == KeyCode("F7")) {
      if (IMGACT != 0 || choice <= 0) return;
      CONVERTITEM(side, choice, key == KeyCode("F7") ? 1 : 0);
      const uint8_t other = side == kLeftSide ? kRightSide : kLeftSide;
      GETPDIR(PANELOF(other), PATHOF(other));
      Redraw();
    } else if (key == KeyCode("F8")) {
      if (choice > 0) MKDIR(side);
      Redraw();
    } else if (key == KeyCode("Ins")) {
      Select(list);
    } else if (key == KeyCode("Del")) {
      if (choice <= 0) return;
      DELETEITEM(side, choice);
      Redraw();
      w_.Focus(list);
      DisplayImage(list);
    } else if (key == KeyCode("F9")) {
      SETTINGS();
    } else if (key == KeyCode("F10")) {
      w_.Post(zq::rt::kCloseWindow);
    } else if (key == KeyCode("Alt+1")) {
      w_.Focus(ew::LeftPath);
    } else if (key == KeyCode("Alt+2")) {
      w_.Focus(ew::RightPath);
    } else if (key == KeyCode("Right") || key == KeyCode("Left")) {
      if (LAZYMODE == 0) return;
      SETDESTDIR(key == KeyCode("Right") ? 1 : -1);
      TRPPATH = RPPATH;
      Redraw();
      if (key == KeyCode("Right")) w_.Focus(ew::LeftPanel);
    } else if (key == zq::rt::kRightClick) {
      if (inList) RightClick(field);
    } else if (key == KeyCode("Ctrl+R")) {
      if (!inList) return;
      GETPDIR(PANELOF(side), PATHOF(side));
      w_.Refresh(list);
      w_.Select(list, 1);
    }
  }

  // After DIRDN or DIRUP moved a panel: the cursor on the folder just left.
  void Moved(uint8_t side) {
    w_.Refresh(ListOf(side));
    w_.Select(ListOf(side), static_cast<uint32_t>(FINDDIR(OLDDIR, side)));
    Redraw();
    w_.Refresh(PathFieldOf(side));
  }

  // The right button on a list: the row it went down on is chosen there, then F2.
  void RightClick(int32_t list) {
    if (const uint32_t row = w_.MouseDownRow(list); row > 0) w_.Select(list, row);
    w_.Focus(list);
    Key(list, KeyCode("F2"));
  }

  // R$SELECT: marks or unmarks a picture, then the cursor one row down.
  void Select(int32_t list) {
    zq::rt::Queue& panel = PANELOF(SideOf(list));
    const uint32_t row = w_.Choice(list);
    if (row > 0 && panel.Get(row) && GRFILETYPE(QPANELF.EXT(panel.Buffer())) > 0) {
      const bool marked = QPANELF.SEL(panel.Buffer()) == 1;
      QPANELF.C1.Set(panel.Buffer(), marked ? -1 : 255);
      QPANELF.SEL.Set(panel.Buffer(), marked ? 0 : 1);
      panel.Put();
      w_.Refresh(list);
    }
    w_.Focus(list);
    w_.PressKey(KeyCode("Down"));
    Redraw();
  }

  void SwitchLazyMode() {
    if (QDIR.Records() == 0) return;
    if (LAZYMODE == 0) {
      w_.SetText(ew::LazyButton, "Stop");
      w_.SetTextColour(ew::LazyButton, kGreen);
      if (SETDESTDIR(-99) != 0) {
        LAZYMODE = 1;
      } else {
        w_.SetText(ew::LazyButton, "Lazy");
        w_.SetTextColour(ew::LazyButton, kOrangeRed);
        LAZYMODE = 0;
      }
      TRPPATH = RPPATH;
      Redraw();
    } else {
      w_.SetText(ew::LazyButton, "Semi-Auto");
      w_.SetTextColour(ew::LazyButton, kOrangeRed);
      LAZYMODE = 0;
    }
  }

  // R$SETIMAGEMODE: the preview in place of the panel and path field it covers.
  void SetImageMode() {
    if (IMGACT == 1 || IMGACT == 2) {
      const int32_t list = IMGACT == 1 ? ew::LeftPanel : ew::RightPanel;
      const int32_t path = IMGACT == 1 ? ew::LeftPath : ew::RightPath;
      w_.Hide(list, list);
      if (auto at = w_.Rect(list)) w_.SetRect(ew::Preview, *at);
      w_.Unhide(ew::Preview, ew::Preview);
      if (auto at = w_.Rect(path)) w_.SetRect(ew::ImageInfo, *at);
      w_.Hide(path, path);
      w_.Unhide(ew::ImageInfo, ew::ImageInfo);
      return;
    }
    preview_->Drop();
    w_.Hide(ew::Preview, ew::Preview);
    w_.SetPicture(ew::Preview, "");
    w_.Unhide(ew::LeftPanel, ew::RightPanel);
    w_.Hide(ew::ImageInfo, ew::ImageInfo);
    w_.Unhide(ew::LeftPath, ew::LeftPath);
    w_.Unhide(ew::RightPath, ew::RightPath);
    IMGACT = 0;
  }

  // R$DODISPLAYIMAGE: the chosen picture of the list decodes in the background; any other
  // choice clears the preview at once.
  void DisplayImage(int32_t list) {
    if (IMGACT == 0) return;
    const uint8_t side = SideOf(list);
    const uint32_t row = w_.Choice(list);
    std::optional<zq::rt::Record> entry = row > 0 ? PANELOF(side).Peek(row) : std::nullopt;
    const int64_t type = entry ? QPANELF.FT(*entry) : -1;
    if (type == kFtFolderIcon || type == kFtPicture) {
      DUMS = CHECKPATH(PATHOF(side)) + QPANELF.FN(*entry) + "." + QPANELF.EXT(*entry);
      HWND image = w_.ControlHandle(ew::Preview);
      PreviewLoader::Request request{DUMS, ST.RESIZEIMAGE, GR_GetWinWidth(image), GR_GetWinHeight(image),
                                     ST.STRIPALPHA};
      if (request.resizeMode != 0 && (request.width < kSmallestSide || request.height < kSmallestSide)) return;
      preview_->Load(std::move(request));
      return;
    }
    preview_->Drop();
    w_.SetPicture(ew::Preview, "");
    IMAGEINFO.clear();
    w_.Display(ew::ImageInfo, ew::ImageInfo);
  }

  void PreviewReady() {
    std::optional<PreviewLoader::Result> result = preview_->Take();
    if (!result || IMGACT == 0) {
      if (result && result->picture != 0) zq::ui::ReleasePicture(result->picture);
      return;
    }
    if (result->picture != 0) {
      w_.ShowPicture(ew::Preview, result->picture);
      zq::ui::ReleasePicture(result->picture);  // the control keeps its own hold
    }
    IMAGEINFO = result->info;
    w_.Display(ew::ImageInfo, ew::ImageInfo);
  }

  Window w_;
  std::unique_ptr<PreviewLoader> preview_;
  int32_t list_ = ew::LeftPanel;  // the list the buttons' keys go to
};

}  // namespace

void DUNECOMMANDER(std::string_view) {
  Explorer explorer;
  {
    RunningFlags flags;
    explorer.Run();
  }
  explorer.Close();
}

void REDRAWEXPLORER() {
  if (openExplorer == nullptr || zq::rt::CurrentWindow() != openExplorer) return;
  for (int32_t control : {ew::LeftPanel, ew::RightPanel}) openExplorer->Refresh(control);
  openExplorer->Display();
}

void SHOWINEXPLORER(std::string_view folder) {
  if (EXPRUNNING) {
    {
      std::lock_guard<std::mutex> hold(shownLock);
      shownFolder = folder;
    }
    if (const uint32_t thread = EXPTHREAD; thread != 0) zq::rt::Post(kShowInExplorer, 0, thread);
    return;
  }
  RPPATH = folder;
  STARTEXPLORER();
}

std::string TAKESHOWNFOLDER() {
  std::lock_guard<std::mutex> hold(shownLock);
  return std::exchange(shownFolder, {});
}
