// The explorer window's keys: each key of the panels, the path and drive fields and the
// window, bound to its action in one table; and lazy mode's button.
#include "ExplorerWindow.h"
#include "app/FolderFileEditor.h"
#include "app/LazyMode.h"
#include "app/SettingsWindow.h"
#include "app/State.h"
#include "hostlib/Dialogs.h"

namespace {

namespace ew = orvid::res::ExplorerWindow;
using zq::rt::KeyCode;

constexpr COLORREF kYellow = 0x00FFFF;
constexpr COLORREF kMagenta = 0xFF00FF;
constexpr COLORREF kGreen = 0x00FF00;
constexpr COLORREF kOrangeRed = 0x0045FF;

}  // namespace

std::span<const ExplorerWindow::KeyBinding> ExplorerWindow::Keys() {
  static constexpr KeyBinding table[] = {
      {"Enter", &ExplorerWindow::Enter},
      {"DoubleClick", &ExplorerWindow::Enter},
      {"Backspace", &ExplorerWindow::Up},
      {"F2", &ExplorerWindow::SwitchPreview},
      {"F3", &ExplorerWindow::EditFolderFile},
      {"F4", &ExplorerWindow::SwitchMode},
      {"F5", &ExplorerWindow::Copy},
      {"F6", &ExplorerWindow::Convert},
      {"F7", &ExplorerWindow::Convert},
      {"F8", &ExplorerWindow::NewFolder},
      {"Ins", &ExplorerWindow::Mark},
      {"Del", &ExplorerWindow::Delete},
      {"F9", &ExplorerWindow::Settings},
      {"F10", &ExplorerWindow::CloseKey},
      {"Alt+1", &ExplorerWindow::FocusPath},
      {"Alt+2", &ExplorerWindow::FocusPath},
      {"Right", &ExplorerWindow::LazyStep},
      {"Left", &ExplorerWindow::LazyStep},
      {"RightClick", &ExplorerWindow::RightClick},
      {"Ctrl+R", &ExplorerWindow::ListAgain},
  };
  return table;
}

// A key pressed in a control (a list, a path field or the window).
void ExplorerWindow::Key(int32_t field, uint32_t key) {
  const bool inList = IsList(field);
  if (inList) list_ = field;
  ExplorerPanel& panel = PanelOf(inList ? field : list_);
  const KeyPress press{key, field, inList, panel, static_cast<int32_t>(w_.Choice(ControlsOf(panel).list))};
  for (const KeyBinding& binding : Keys()) {
    if (key == KeyCode(binding.key)) {
      (this->*binding.action)(press);
      return;
    }
  }
}

// Enter or a double click: a path or drive field takes its text, a list enters the chosen folder.
void ExplorerWindow::Enter(const KeyPress& k) {
  if (k.field == ew::LeftPath || k.field == ew::RightPath || k.field == ew::LeftDrive || k.field == ew::RightDrive) {
    w_.PostAccepted(k.field);
  } else if (k.inList && k.panel.DIRDN(k.choice, ex_.OLDDIR)) {
    Moved(k.panel);
  }
}

void ExplorerWindow::Up(const KeyPress& k) {
  if (!k.inList) return;
  ex_.OLDDIR = k.panel.Folder();
  if (k.panel.DIRUP()) Moved(k.panel);
}

void ExplorerWindow::EditFolderFile(const KeyPress& k) {
  if (k.choice > 0) VIEWDF(k.panel, k.choice, ex_.DWHANDLE, w_.ControlHandle(ControlsOf(ex_.Other(k.panel)).list));
}

void ExplorerWindow::SwitchMode(const KeyPress&) {
  if (ex_.FMODE == kCopyAsIcon) {
    ex_.FMODE = kCopyAsBackground;
    ShowMode("F4 - Background", kMagenta);
  } else {
    ex_.FMODE = kCopyAsIcon;
    ShowMode("F4 - Icon", kYellow);
  }
}

void ExplorerWindow::Copy(const KeyPress& k) {
  if (ex_.IMGACT == kPreviewOff && k.choice > 0) ex_.COPYITEM(k.panel, k.choice);
  Redraw();
}

// F6 converts, F7 converts into the other folder's icon or background.
void ExplorerWindow::Convert(const KeyPress& k) {
  if (ex_.IMGACT != kPreviewOff || k.choice <= 0) return;
  ex_.CONVERTITEM(k.panel, k.choice, k.key == KeyCode("F7") ? kConvertAsIconOrBackground : kConvertUnderItsName);
  Redraw();
}

void ExplorerWindow::NewFolder(const KeyPress& k) {
  if (k.choice > 0) ex_.MKDIR(k.panel);
  Redraw();
}

// R$SELECT: marks or unmarks a picture, then the cursor one row down.
void ExplorerWindow::Mark(const KeyPress& k) {
  const int32_t list = ControlsOf(k.panel).list;
  if (k.choice > 0 && k.panel.ToggleMark(static_cast<uint32_t>(k.choice))) w_.Refresh(list);
  w_.Focus(list);
  w_.PressKey(KeyCode("Down"));
  Redraw();
}

void ExplorerWindow::Delete(const KeyPress& k) {
  if (k.choice <= 0) return;
  const int32_t list = ControlsOf(k.panel).list;
  ex_.DELETEITEM(k.panel, k.choice);
  Redraw();
  w_.Focus(list);
  DisplayImage(list);
}

void ExplorerWindow::Settings(const KeyPress&) { SETTINGS(); }

void ExplorerWindow::CloseKey(const KeyPress&) { w_.Post(zq::rt::kCloseWindow); }

void ExplorerWindow::FocusPath(const KeyPress& k) {
  w_.Focus(k.key == KeyCode("Alt+1") ? ew::LeftPath : ew::RightPath);
}

// Lazy mode's steps: Right to the next folder, Left to the one before.
void ExplorerWindow::LazyStep(const KeyPress& k) {
  if (ex_.LAZYMODE == 0) return;
  const bool forward = k.key == KeyCode("Right");
  SETDESTDIR(ex_.Right(), ex_.DWHANDLE, forward ? 1 : -1);
  ex_.Right().PathText() = ex_.Right().Folder();
  Redraw();
  if (forward) w_.Focus(ew::LeftPanel);
}

// Ctrl+R: the panel's folder listed again, the cursor on the first row.
void ExplorerWindow::ListAgain(const KeyPress& k) {
  if (!k.inList) return;
  k.panel.ListAgain();
  w_.Refresh(k.field);
  w_.Select(k.field, 1);
}

// After DIRDN or DIRUP moved a panel: the cursor on the folder just left.
void ExplorerWindow::Moved(ExplorerPanel& panel) {
  const PanelControls& controls = ControlsOf(panel);
  w_.Refresh(controls.list);
  w_.Select(controls.list, static_cast<uint32_t>(panel.FINDDIR(ex_.OLDDIR)));
  Redraw();
  w_.Refresh(controls.path);
  TellLeftOut(panel);
}

// The names a listing left out, shown once for each folder the user opens.
void ExplorerWindow::TellLeftOut(ExplorerPanel& panel) {
  const std::vector<std::string> names = panel.UntoldLeftOut();
  if (names.empty()) return;
  std::string text = "Not shown: Windows cannot hold these Names exactly as they stand (a final blank or dot, or a "
                     "character Windows forbids):";
  for (const std::string& name : names) text += "\r\n\"" + name + "\"";
  MBOX(text, 0, 0, ex_.DWHANDLE);
}

// The right button on a list: the row it went down on is chosen there, then F2.
void ExplorerWindow::RightClick(const KeyPress& k) {
  if (!k.inList) return;
  if (const uint32_t row = w_.MouseDownRow(k.field); row > 0) w_.Select(k.field, row);
  w_.Focus(k.field);
  Key(k.field, KeyCode("F2"));
}

void ExplorerWindow::SwitchLazyMode() {
  if (QDIR.Records() == 0) return;
  if (ex_.LAZYMODE == 0) {
    w_.SetText(ew::LazyButton, "Stop");
    w_.SetTextColour(ew::LazyButton, kGreen);
    if (SETDESTDIR(ex_.Right(), ex_.DWHANDLE, -99) != 0) {
      ex_.LAZYMODE = 1;
    } else {
      w_.SetText(ew::LazyButton, "Lazy");
      w_.SetTextColour(ew::LazyButton, kOrangeRed);
      ex_.LAZYMODE = 0;
    }
    ex_.Right().PathText() = ex_.Right().Folder();
    Redraw();
  } else {
    w_.SetText(ew::LazyButton, "Semi-Auto");
    w_.SetTextColour(ew::LazyButton, kOrangeRed);
    ex_.LAZYMODE = 0;
  }
}
