// The explorer window's events: the timer, closing, resizing, focus and choices, accepted
// fields and buttons, and the program events from the main window.
#include "ExplorerWindow.h"
#include "app/Events.h"
#include "app/State.h"
#include "zqvantor/tray.h"

namespace {

namespace ew = orvid::res::ExplorerWindow;
using zq::rt::KeyCode;

}  // namespace

bool ExplorerWindow::IsList(int32_t control) { return control == ew::LeftPanel || control == ew::RightPanel; }

const ExplorerWindow::PanelControls& ExplorerWindow::ControlsOf(const ExplorerPanel& panel) const {
  static constexpr PanelControls left{ew::LeftPanel, ew::LeftPath, ew::LeftDrive};
  static constexpr PanelControls right{ew::RightPanel, ew::RightPath, ew::RightDrive};
  return &panel == &ex_.Left() ? left : right;
}

// The panel a list, path field or drive field belongs to.
ExplorerPanel& ExplorerWindow::PanelOf(int32_t control) {
  return control == ew::LeftPanel || control == ew::LeftPath || control == ew::LeftDrive ? ex_.Left() : ex_.Right();
}

void ExplorerWindow::Redraw() {
  for (ExplorerPanel* panel : {&ex_.Left(), &ex_.Right()}) {
    const PanelControls& controls = ControlsOf(*panel);
    for (int32_t control : {controls.list, controls.path, controls.drive}) w_.Refresh(control);
  }
  w_.Display();
}

void ExplorerWindow::RedrawPanels() {
  for (int32_t control : {ew::LeftPanel, ew::RightPanel}) w_.Refresh(control);
  w_.Display();
}

void ExplorerWindow::Handle() {
  const int32_t field = w_.Field();
  switch (w_.Event()) {
    case zq::rt::kOpenWindow:
      Redraw();
      for (ExplorerPanel* panel : {&ex_.Left(), &ex_.Right()}) TellLeftOut(*panel);
      break;
    case zq::rt::kTimer:
      if (ABORTALL) {
        w_.Disable(1, 100);
        Redraw();
        w_.Post(zq::rt::kCloseWindow);
      }
      break;
    case zq::rt::kCloseWindow:
      EWPOS = ex_.WPC.GETSTRWINPOS();
      w_.Take();
      break;
    case zq::rt::kSized: Sized(); break;
    case zq::rt::kFocus:
      if (IsList(field)) list_ = field;
      if (field == ew::LeftDrive || field == ew::RightDrive) {
        FILLDRIVES(ex_.Drives());
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

void ExplorerWindow::Sized() {
  w_.Hide(ew::Preview, ew::Preview);
  ex_.WPC.RESIZE();
  SetImageMode();
  if (ex_.IMGACT == kPreviewOverLeft) w_.PostAccepted(ew::RightPanel);
  if (ex_.IMGACT == kPreviewOverRight) w_.PostAccepted(ew::LeftPanel);
}

void ExplorerWindow::ShowFolder() {
  const std::string folder = TAKESHOWNFOLDER();
  if (ex_.IMGACT != kPreviewOff || folder.empty()) return;
  w_.Focus(ew::RightPanel);
  ex_.Right().PathText() = folder;
  w_.Display(ew::RightPath, ew::RightPath);
  w_.PostAccepted(ew::RightPath);
  Redraw();
}

void ExplorerWindow::Accepted(int32_t field) {
  switch (field) {
    case ew::LeftPanel:
    case ew::RightPanel:
      list_ = field;
      DisplayImage(field);
      break;
    case ew::LeftPath:
    case ew::RightPath: {
      ExplorerPanel& panel = PanelOf(field);
      w_.Take(field, field);
      panel.FILLPANEL(panel.PathText());
      w_.Select(ControlsOf(panel).list, 1);
      Redraw();
      w_.Focus(ControlsOf(panel).list);
      TellLeftOut(panel);
      break;
    }
    case ew::LeftDrive:
    case ew::RightDrive: {
      ExplorerPanel& panel = PanelOf(field);
      const uint32_t row = w_.Choice(field);
      if (row >= 1 && row <= ex_.Drives().Records()) {
        panel.FILLPANEL(QDRIVEF.DRV(*ex_.Drives().Peek(row)) + "\\");
        w_.Select(ControlsOf(panel).list, 1);
      }
      Redraw();
      w_.Focus(ControlsOf(panel).list);
      TellLeftOut(panel);
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
