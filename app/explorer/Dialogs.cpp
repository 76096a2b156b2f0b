// The dialogs of the explorer's commands: the convert options, a new folder's name and the
// confirmation of a deletion.
#include "ExplorerParts.h"
#include "app/Explorer.h"
#include "app/State.h"
#include "orvid/controlnumbers.h"
#include "orvid/windows.h"
#include "zqruntime/window.h"

namespace {

using zq::rt::Window;

// Opens the dialog over the explorer.
void OpenOverExplorer(Explorer& explorer, Window& w) {
  w.Open(explorer.DWHANDLE);
  explorer.WPC.CENTERWIN(w.Handle());
}

constexpr const char* kResizeModes[] = {"None", "Bigger", "Smaller", "Both"};
constexpr const char* kFilters[] = {"Fast", "Bicubic", "Bilinear"};

template <size_t N>
std::string ChoiceName(const char* const (&names)[N], double value) {
  const auto n = static_cast<size_t>(value);
  return n >= 1 && n <= N ? names[n - 1] : names[0];
}

}  // namespace

bool ASKCONVERTOPTIONS(Explorer& explorer, CONVERTOPTIONS& options) {
  namespace cw = orvid::res::ConvertDialog;
  options = CONVERTOPTIONS{};
  options.KAR = 1;
  options.SFILTER = "Bilinear";
  Window w(orvid::res::WindowDefinition("ConvertDialog"));
  OpenOverExplorer(explorer, w);
  w.Use(cw::Aai, zq::rt::Bind(options.AAI));
  w.Use(cw::Width, zq::rt::Bind(options.WIDTH));
  w.Use(cw::Height, zq::rt::Bind(options.HEIGHT));
  w.Use(cw::KeepAspect, zq::rt::Bind(options.KAR));
  w.Display();
  w.SetValue(cw::ResizeMode, 1);
  w.SetValue(cw::Filter, 3);
  auto enableSizes = [&] {
    if (ChoiceName(kResizeModes, w.Value(cw::ResizeMode)) == "None") {
      w.Disable(cw::WidthPrompt, cw::Filter);
    } else {
      w.Enable(cw::WidthPrompt, cw::Filter);
    }
  };
  enableSizes();
  w.Focus(cw::Ok);
  bool accepted = false;
  while (w.Accept()) {
    const int32_t event = w.Event();
    if (event == zq::rt::kTimer && ABORTALL) break;
    if ((event == zq::rt::kAccepted || event == zq::rt::kNewSelection) && w.Field() == cw::ResizeMode) enableSizes();
    if (event == zq::rt::kAccepted && w.Field() == cw::Ok) {
      accepted = true;
      break;
    }
    if (event == zq::rt::kAccepted && w.Field() == cw::Cancel) break;
  }
  if (accepted) {
    w.Take();
    options.SRESIZE = ChoiceName(kResizeModes, w.Value(cw::ResizeMode));
    options.SFILTER = ChoiceName(kFilters, w.Value(cw::Filter));
  }
  w.Close();
  return accepted;
}

std::optional<std::string> ASKFOLDERNAME(Explorer& explorer) {
  namespace fw = orvid::res::FolderNameDialog;
  Window w(orvid::res::WindowDefinition("FolderNameDialog"));
  OpenOverExplorer(explorer, w);
  w.Focus(fw::FolderName);
  std::optional<std::string> name;
  while (w.Accept()) {
    const int32_t event = w.Event();
    if (event == zq::rt::kTimer && ABORTALL) break;
    if (event == zq::rt::kAlertKey && w.Keycode() == zq::rt::KeyCode("Esc")) break;
    if (event == zq::rt::kAlertKey && w.Keycode() == zq::rt::KeyCode("Enter")) {
      name = w.Text(fw::FolderName);
      break;
    }
  }
  w.Close();
  return name;
}

bool ASKDELETE(Explorer& explorer) {
  namespace dw = orvid::res::DeleteDialog;
  Window w(orvid::res::WindowDefinition("DeleteDialog"));
  OpenOverExplorer(explorer, w);
  w.Focus(dw::Ok);
  bool yes = false;
  while (w.Accept()) {
    const int32_t event = w.Event();
    if (event == zq::rt::kTimer && ABORTALL) break;
    if (event == zq::rt::kAccepted && w.Field() == dw::Ok) {
      yes = true;
      break;
    }
    if (event == zq::rt::kAccepted && w.Field() == dw::Cancel) break;
  }
  w.Close();
  return yes;
}
