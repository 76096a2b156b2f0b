// DUNECOMMANDER: the explorer window, its opening, its event loop and keys, and the preview.
#include <memory>
#include <mutex>
#include <span>
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
#include "hostlib/ResizeRules.h"
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

// Each side's controls, by side.
struct SideControls {
  int32_t list, path, drive;
};
constexpr SideControls kSideControls[] = {{ew::LeftPanel, ew::LeftPath, ew::LeftDrive},
                                          {ew::RightPanel, ew::RightPath, ew::RightDrive}};

const SideControls& ControlsOf(uint8_t side) { return kSideControls[side]; }
int32_t ListOf(uint8_t side) { return ControlsOf(side).list; }
bool IsList(int32_t control) { return control == ew::LeftPanel || control == ew::RightPanel; }
// The side a panel, path field or drive field belongs to.
uint8_t SideOf(int32_t control) {
  const SideControls& left = ControlsOf(kLeftSide);
  return control == left.list || control == left.path || control == left.drive ? kLeftSide : kRightSide;
}

// A key as the explorer takes it: the control it was pressed in, and the panel it acts on
// (the list it was pressed in, else the list the buttons' keys go to) with its chosen row.
struct KeyPress {
  uint32_t key;
  int32_t field;
  bool inList;
  uint8_t side;
  int32_t choice;
};

// Clears EXPTHREAD, then EXPRUNNING when the loop ends, however it ends.
struct RunningFlags {
  ~RunningFlags() {
    EXPTHREAD = 0;
    EXPRUNNING = 0;
  }
};

class Explorer {
 public:
  Explorer() : w_(orvid::res::WindowDefinition("ExplorerWindow")) {}

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
    for (const SideControls& side : kSideControls)
      for (int32_t control : {side.list, side.path, side.drive}) w_.Refresh(control);
    w_.Display();
  }

 private:
  void Open() {
    DWHANDLE = 0;
    FILLDRIVES();
    for (uint8_t side : {kLeftSide, kRightSide}) {
      EXPLORERPANEL& panel = PANELOF(side);
      if (TLEN(panel.Folder()) == 0) panel.SetFolder(CHECKPATH(ROOTDIR.Get()));
    }
    for (uint8_t side : {kLeftSide, kRightSide}) FILLPANEL(side, PANELOF(side).Folder());
    OLDDIR.clear();
    IMGACT = kPreviewOff;
    w_.Open();
    openExplorer = &w_;
    DWHANDLE = w_.Handle();
    zq::ui::Font font = w_.Font(ew::LeftPanel).value_or(zq::ui::Font{});
    if (const uint8_t points = ST.Get().EXPFONTSIZE; points > 0) font.points = points;
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
    WPC.INIT(w_, 1, 0, 1, kBottomLeft, kKeepSize);
    WPC.SET(ew::OkButton, kBottomRight, kKeepSize, 0, 0);
    WPC.SET(ew::Frame, kTopLeft, kGrowWidth | kGrowHeight, 0, 0);
    WPC.SET(ew::LeftPanel, kTopLeft, kGrowHeight | kShareWidth, 0, 0);
    WPC.SET(ew::RightPanel, kTopRight, kGrowHeight | kShareWidth, 0, 0);
    WPC.SET(ew::LeftPath, kTopLeft, kFollowWidth, 0, ew::LeftPanel);
    WPC.SET(ew::LeftDrive, kTopRight, kKeepSize, 0, ew::LeftPanel);
    WPC.SET(ew::RightPath, kTopLeft, kFollowWidth, 0, ew::RightPanel);
    WPC.SET(ew::RightDrive, kTopRight, kKeepSize, 0, ew::RightPanel);
    WPC.SETSTRWINPOS(EWPOS);
    WPC.RESIZE();
    FMODE = kCopyAsIcon;
    ShowMode("F4 - Icon", kYellow);
  }

  static HICON Icon(const char* name) {
    return LoadIconA(zq::rt::IconInstance(), (std::string("~..\\..\\_Res\\") + name + ".ico").c_str());
  }

  void Bind() {
    for (uint8_t side : {kLeftSide, kRightSide}) {
      const SideControls& controls = ControlsOf(side);
      EXPLORERPANEL& panel = PANELOF(side);
      w_.From(controls.list, panel.entries);
      w_.From(controls.path, panel.history);
      w_.From(controls.drive, QDRIVE);
      w_.Use(controls.path, zq::rt::Bind(panel.pathText));
      w_.Use(controls.drive, zq::rt::Bind(panel.drive));
    }
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
    if (IMGACT == kPreviewOverLeft) w_.PostAccepted(ew::RightPanel);
    if (IMGACT == kPreviewOverRight) w_.PostAccepted(ew::LeftPanel);
  }

  void ShowFolder() {
    const std::string folder = TAKESHOWNFOLDER();
    if (IMGACT != kPreviewOff || folder.empty()) return;
    w_.Focus(ew::RightPanel);
    RIGHTPANEL.pathText = folder;
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
        const uint8_t side = SideOf(field);
        w_.Take(field, field);
        FILLPANEL(side, PANELOF(side).pathText);
        w_.Select(ListOf(side), 1);
        Redraw();
        w_.Focus(ListOf(side));
        break;
      }
      case ew::LeftDrive:
      case ew::RightDrive: {
        const uint8_t side = SideOf(field);
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

  using KeyAction = void (Explorer::*)(const KeyPress&);
  struct KeyBinding {
    const char* key;
    KeyAction action;
  };

  // The keys of the panels, the path and drive fields and the window.
  static std::span<const KeyBinding> Keys() {
    static constexpr KeyBinding table[] = {
        {"Enter", &Explorer::Enter},
        {"DoubleClick", &Explorer::Enter},
        {"Backspace", &Explorer::Up},
        {"F2", &Explorer::SwitchPreview},
        {"F3", &Explorer::EditFolderFile},
        {"F4", &Explorer::SwitchMode},
        {"F5", &Explorer::Copy},
        {"F6", &Explorer::Convert},
        {"F7", &Explorer::Convert},
        {"F8", &Explorer::NewFolder},
        {"Ins", &Explorer::Mark},
        {"Del", &Explorer::Delete},
        {"F9", &Explorer::Settings},
        {"F10", &Explorer::CloseKey},
        {"Alt+1", &Explorer::FocusPath},
        {"Alt+2", &Explorer::FocusPath},
        {"Right", &Explorer::LazyStep},
        {"Left", &Explorer::LazyStep},
        {"RightClick", &Explorer::RightClick},
        {"Ctrl+R", &Explorer::ListAgain},
    };
    return table;
  }

  // A key pressed in a control (a list, a path field or the window).
  void Key(int32_t field, uint32_t key) {
    const bool inList = IsList(field);
    if (inList) list_ = field;
    const uint8_t side = SideOf(inList ? field : list_);
    const KeyPress press{key, field, inList, side, static_cast<int32_t>(w_.Choice(ListOf(side)))};
    for (const KeyBinding& binding : Keys()) {
      if (key == KeyCode(binding.key)) {
        (this->*binding.action)(press);
        return;
      }
    }
  }

  // Enter or a double click: a path or drive field takes its text, a list enters the chosen folder.
  void Enter(const KeyPress& k) {
    if (k.field == ew::LeftPath || k.field == ew::RightPath || k.field == ew::LeftDrive || k.field == ew::RightDrive) {
      w_.PostAccepted(k.field);
    } else if (k.inList && DIRDN(k.side, k.choice)) {
      Moved(k.side);
    }
  }

  void Up(const KeyPress& k) {
    if (!k.inList) return;
    OLDDIR = PANELOF(k.side).Folder();
    if (DIRUP(k.side)) Moved(k.side);
  }

  // F2: the chosen picture over the other panel, or the preview off.
  void SwitchPreview(const KeyPress& k) {
    if (IMGACT == kPreviewOff) {
      if (!k.inList) return;
      IMGACT = k.side == kLeftSide ? kPreviewOverRight : kPreviewOverLeft;
      SetImageMode();
      DisplayImage(ListOf(k.side));
    } else {
      IMGACT = kPreviewOff;
      SetImageMode();
    }
  }

  void EditFolderFile(const KeyPress& k) {
    if (k.choice > 0) VIEWDF(k.side, k.choice, w_.ControlHandle(ListOf(OTHERSIDE(k.side))));
  }

  void SwitchMode(const KeyPress&) {
    if (FMODE == kCopyAsIcon) {
      FMODE = kCopyAsBackground;
      ShowMode("F4 - Background", kMagenta);
    } else {
      FMODE = kCopyAsIcon;
      ShowMode("F4 - Icon", kYellow);
    }
  }

  void Copy(const KeyPress& k) {
    if (IMGACT == kPreviewOff && k.choice > 0) COPYITEM(k.side, k.choice);
    Redraw();
  }

  // F6 converts, F7 converts into the other folder's icon or background.
  void Convert(const KeyPress& k) {
    if (IMGACT != kPreviewOff || k.choice <= 0) return;
    CONVERTITEM(k.side, k.choice, k.key == KeyCode("F7") ? kConvertAsIconOrBackground : kConvertUnderItsName);
    PANELOF(OTHERSIDE(k.side)).ListAgain();
    Redraw();
  }

  void NewFolder(const KeyPress& k) {
    if (k.choice > 0) MKDIR(k.side);
    Redraw();
  }

  void Mark(const KeyPress& k) { Select(ListOf(k.side)); }

  void Delete(const KeyPress& k) {
    if (k.choice <= 0) return;
    const int32_t list = ListOf(k.side);
    DELETEITEM(k.side, k.choice);
    Redraw();
    w_.Focus(list);
    DisplayImage(list);
  }

  void Settings(const KeyPress&) { SETTINGS(); }

  void CloseKey(const KeyPress&) { w_.Post(zq::rt::kCloseWindow); }

  void FocusPath(const KeyPress& k) { w_.Focus(k.key == KeyCode("Alt+1") ? ew::LeftPath : ew::RightPath); }

  // Lazy mode's steps: Right to the next folder, Left to the one before.
  void LazyStep(const KeyPress& k) {
    if (LAZYMODE == 0) return;
    const bool forward = k.key == KeyCode("Right");
    SETDESTDIR(forward ? 1 : -1);
    RIGHTPANEL.pathText = RIGHTPANEL.Folder();
    Redraw();
    if (forward) w_.Focus(ew::LeftPanel);
  }

  // Ctrl+R: the panel's folder listed again, the cursor on the first row.
  void ListAgain(const KeyPress& k) {
    if (!k.inList) return;
    PANELOF(k.side).ListAgain();
    w_.Refresh(k.field);
    w_.Select(k.field, 1);
  }

  // After DIRDN or DIRUP moved a panel: the cursor on the folder just left.
  void Moved(uint8_t side) {
    w_.Refresh(ListOf(side));
    w_.Select(ListOf(side), static_cast<uint32_t>(FINDDIR(OLDDIR, side)));
    Redraw();
    w_.Refresh(ControlsOf(side).path);
  }

  // The right button on a list: the row it went down on is chosen there, then F2.
  void RightClick(const KeyPress& k) {
    if (!k.inList) return;
    if (const uint32_t row = w_.MouseDownRow(k.field); row > 0) w_.Select(k.field, row);
    w_.Focus(k.field);
    Key(k.field, KeyCode("F2"));
  }

  // R$SELECT: marks or unmarks a picture, then the cursor one row down.
  void Select(int32_t list) {
    zq::rt::Queue& panel = PANELOF(SideOf(list)).entries;
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
      RIGHTPANEL.pathText = RIGHTPANEL.Folder();
      Redraw();
    } else {
      w_.SetText(ew::LazyButton, "Semi-Auto");
      w_.SetTextColour(ew::LazyButton, kOrangeRed);
      LAZYMODE = 0;
    }
  }

  // R$SETIMAGEMODE: the preview in place of the panel and path field it covers.
  void SetImageMode() {
    if (IMGACT == kPreviewOverLeft || IMGACT == kPreviewOverRight) {
      const SideControls& covered = ControlsOf(IMGACT == kPreviewOverLeft ? kLeftSide : kRightSide);
      const int32_t list = covered.list, path = covered.path;
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
    IMGACT = kPreviewOff;
  }

  // R$DODISPLAYIMAGE: the chosen picture of the list decodes in the background; any other
  // choice clears the preview at once.
  void DisplayImage(int32_t list) {
    if (IMGACT == kPreviewOff) return;
    const uint8_t side = SideOf(list);
    const uint32_t row = w_.Choice(list);
    std::optional<zq::rt::Record> entry = row > 0 ? PANELOF(side).entries.Peek(row) : std::nullopt;
    const int64_t type = entry ? QPANELF.FT(*entry) : -1;
    if (type == kFtFolderIcon || type == kFtPicture) {
      DUMS = CHECKPATH(PANELOF(side).Folder()) + QPANELF.FN(*entry) + "." + QPANELF.EXT(*entry);
      HWND image = w_.ControlHandle(ew::Preview);
      const SETTINGSGROUP st = ST.Get();
      PreviewLoader::Request request{DUMS, st.RESIZEIMAGE, GR_GetWinWidth(image), GR_GetWinHeight(image),
                                     st.STRIPALPHA};
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
    if (!result || IMGACT == kPreviewOff) {
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
  RIGHTPANEL.SetFolder(std::string(folder));
  STARTEXPLORER();
}

std::string TAKESHOWNFOLDER() {
  std::lock_guard<std::mutex> hold(shownLock);
  return std::exchange(shownFolder, {});
}
