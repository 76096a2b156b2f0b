// The explorer's picture preview: switched with F2, laid over the other panel, the chosen
// picture decoded in the background.
#include "ExplorerWindow.h"
#include "ZQ_Graphic.h"
#include "app/State.h"

namespace {

namespace ew = orvid::res::ExplorerWindow;
constexpr int32_t kSmallestSide = 20;

}  // namespace

// F2: the chosen picture over the other panel, or the preview off.
void ExplorerWindow::SwitchPreview(const KeyPress& k) {
  if (ex_.IMGACT == kPreviewOff) {
    if (!k.inList) return;
    ex_.IMGACT = &k.panel == &ex_.Left() ? kPreviewOverRight : kPreviewOverLeft;
    SetImageMode();
    DisplayImage(ControlsOf(k.panel).list);
  } else {
    ex_.IMGACT = kPreviewOff;
    SetImageMode();
  }
}

// R$SETIMAGEMODE: the preview in place of the panel and path field it covers.
void ExplorerWindow::SetImageMode() {
  if (ex_.IMGACT == kPreviewOverLeft || ex_.IMGACT == kPreviewOverRight) {
    const PanelControls& covered = ControlsOf(ex_.IMGACT == kPreviewOverLeft ? ex_.Left() : ex_.Right());
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
  ex_.IMGACT = kPreviewOff;
}

// R$DODISPLAYIMAGE: the chosen picture of the list decodes in the background; any other
// choice clears the preview at once.
void ExplorerWindow::DisplayImage(int32_t list) {
  if (ex_.IMGACT == kPreviewOff) return;
  const ExplorerPanel& panel = PanelOf(list);
  std::optional<zq::rt::Record> entry = panel.Entry(static_cast<int32_t>(w_.Choice(list)));
  if (entry && ExplorerPanel::IsPicture(*entry)) {
    ex_.DUMS = panel.PathOf(*entry);
    HWND image = w_.ControlHandle(ew::Preview);
    const SETTINGSGROUP st = ST.Get();
    PreviewLoader::Request request{ex_.DUMS, st.RESIZEIMAGE, GR_GetWinWidth(image), GR_GetWinHeight(image),
                                   st.STRIPALPHA};
    if (request.resizeMode != 0 && (request.width < kSmallestSide || request.height < kSmallestSide)) return;
    preview_->Load(std::move(request));
    return;
  }
  preview_->Drop();
  w_.SetPicture(ew::Preview, "");
  ex_.IMAGEINFO.clear();
  w_.Display(ew::ImageInfo, ew::ImageInfo);
}

void ExplorerWindow::PreviewReady() {
  std::optional<PreviewLoader::Result> result = preview_->Take();
  if (!result || ex_.IMGACT == kPreviewOff) {
    if (result && result->picture != 0) zq::ui::ReleasePicture(result->picture);
    return;
  }
  if (result->picture != 0) {
    w_.ShowPicture(ew::Preview, result->picture);
    zq::ui::ReleasePicture(result->picture);  // the control keeps its own hold
  }
  ex_.IMAGEINFO = result->info;
  w_.Display(ew::ImageInfo, ew::ImageInfo);
}
