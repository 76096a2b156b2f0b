// The explorer window's opening: its panels listed, its fonts, icons, bindings and resize
// rules, and the copy mode set to icons.
#include "ExplorerWindow.h"
#include "ExplorerParts.h"
#include "Icons.h"
#include "app/State.h"
#include "hostlib/Procedures.h"
#include "hostlib/ResizeRules.h"
#include "orvid/windows.h"

namespace {

namespace ew = orvid::res::ExplorerWindow;

constexpr COLORREF kYellow = 0x00FFFF;
constexpr const char* kTitle = "Explorer - V2.191 - Orvid, the media disk maker";

HICON Icon(const char* name) {
  return LoadIconA(zq::rt::IconInstance(), (std::string("~..\\..\\_Res\\") + name + ".ico").c_str());
}

}  // namespace

ExplorerWindow::ExplorerWindow(Explorer& explorer)
    : ex_(explorer), w_(orvid::res::WindowDefinition("ExplorerWindow")) {
  ex_.redrawPanels = [this] { RedrawPanels(); };
}

void ExplorerWindow::Run() {
  Open();
  preview_ = std::make_unique<PreviewLoader>(w_.Thread(), ex_.CLAIMAGE);
  while (w_.Accept()) Handle();
  preview_.reset();
}

void ExplorerWindow::Close() {
  w_.Close();
  ex_.DWHANDLE = 0;
}

void ExplorerWindow::Open() {
  ex_.DWHANDLE = 0;
  FILLDRIVES(ex_.Drives());
  OpenPanels();
  ex_.OLDDIR.clear();
  ex_.IMGACT = kPreviewOff;
  w_.Open();
  ex_.DWHANDLE = w_.Handle();
  for (ExplorerPanel* panel : {&ex_.Left(), &ex_.Right()}) panel->SetOwner(ex_.DWHANDLE);
  zq::ui::Font font = w_.Font(ew::LeftPanel).value_or(zq::ui::Font{});
  if (const uint8_t points = ST.Get().EXPFONTSIZE; points > 0) font.points = points;
  w_.SetFont(ew::LeftPanel, font);
  w_.SetFont(ew::RightPanel, font);
  w_.SetTitle(kTitle);
  LoadIcons();
  for (int32_t control = ew::LeftPanel; control <= ew::RightDrive; ++control) w_.SetLineHeight(control, 11);
  Bind();
  w_.Select(ew::RightPanel, 1);
  w_.Select(ew::LeftPanel, 1);
  w_.Focus(ew::LeftPanel);
  ex_.CLAIMAGE.INIT(w_, ew::Preview);
  SetResizeRules();
  ex_.FMODE = kCopyAsIcon;
  ShowMode("F4 - Icon", kYellow);
}

// Each panel at its folder, or at the program's root when it has none; a folder that is gone
// opens at its nearest parent on disk.
void ExplorerWindow::OpenPanels() {
  for (ExplorerPanel* panel : {&ex_.Left(), &ex_.Right()}) {
    const std::string folder = panel->Folder();
    if (TLEN(folder) == 0 || !panel->FILLPANEL(NEARESTFOLDER(folder))) panel->FILLPANEL(CHECKPATH(ROOTDIR.Get()));
  }
}

void ExplorerWindow::LoadIcons() {
  auto load = [&](int32_t list, const auto& table) {
    for (const auto& [icon, file] : table) w_.SetIcon(list, static_cast<int32_t>(icon), Icon(file));
  };
  for (int32_t list : {ew::LeftDrive, ew::RightDrive}) load(list, kDriveIcons);
  for (int32_t list : {ew::LeftPanel, ew::RightPanel}) load(list, kPanelIcons);
}

void ExplorerWindow::SetResizeRules() {
  WINPOSCLASS& wpc = ex_.WPC;
  wpc.INIT(w_, 1, 0, 1, kBottomLeft, kKeepSize);
  wpc.SET(ew::OkButton, kBottomRight, kKeepSize, 0, 0);
  wpc.SET(ew::Frame, kTopLeft, kGrowWidth | kGrowHeight, 0, 0);
  wpc.SET(ew::LeftPanel, kTopLeft, kGrowHeight | kShareWidth, 0, 0);
  wpc.SET(ew::RightPanel, kTopRight, kGrowHeight | kShareWidth, 0, 0);
  wpc.SET(ew::LeftPath, kTopLeft, kFollowWidth, 0, ew::LeftPanel);
  wpc.SET(ew::LeftDrive, kTopRight, kKeepSize, 0, ew::LeftPanel);
  wpc.SET(ew::RightPath, kTopLeft, kFollowWidth, 0, ew::RightPanel);
  wpc.SET(ew::RightDrive, kTopRight, kKeepSize, 0, ew::RightPanel);
  wpc.SETSTRWINPOS(EWPOS);
  wpc.RESIZE();
}

void ExplorerWindow::Bind() {
  for (ExplorerPanel* panel : {&ex_.Left(), &ex_.Right()}) {
    const PanelControls& controls = ControlsOf(*panel);
    w_.From(controls.list, panel->Entries());
    w_.From(controls.path, panel->History());
    w_.From(controls.drive, ex_.Drives());
    w_.Use(controls.path, zq::rt::Bind(panel->PathText()));
    w_.Use(controls.drive, zq::rt::Bind(panel->Drive()));
  }
  w_.Use(ew::ImageInfo, zq::rt::Bind(ex_.IMAGEINFO));
  w_.Display();
}

void ExplorerWindow::ShowMode(std::string_view text, COLORREF colour) {
  w_.SetText(ew::ModeButton, text);
  // The mode's colour fills the buttons: yellow or magenta text on a grey face is hard to read.
  for (int32_t control : {ew::ModeButton, ew::CopyButton, ew::CopyConvertButton}) w_.SetBackColour(control, colour);
}
