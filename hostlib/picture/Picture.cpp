#include "hostlib/Picture.h"

#include <atomic>

#include "ZQ_Graphic.h"
#include "wrappers/HostArgs.h"
#include "zqruntime/dialogs.h"
#include "zqruntime/picture.h"
#include "zqruntime/window.h"

namespace hostlib {
namespace {

std::atomic<GraphicCreate> createCall{nullptr};

constexpr int32_t kFailed = -1;
constexpr int32_t kSmallestSide = 20;
constexpr std::size_t kInfoLength = 50;

// The image control of that number in the calling thread's current window (0: none).
HWND CurrentControl(int32_t control) {
  zq::rt::Window* window = zq::rt::CurrentWindow();
  return window ? window->ControlHandle(control) : 0;
}

}  // namespace

void SetGraphicCreate(GraphicCreate create) { createCall = create; }

}  // namespace hostlib

using hostlib::detail::Len;
using hostlib::detail::Ptr;

void PICTURE::CONSTRUCT() {
  INTERROR = 0;
  hostlib::GraphicCreate create = hostlib::createCall.load();
  GRHANDLE = create ? create() : GR_Create();
  if (GRHANDLE > 0) {
    IMAGECTRL = 0;
    MAINWIN = nullptr;
    INITDONE = 0;
    return;
  }
  zq::rt::Message("Critical System Error Creating ZQImage Object.", "", MB_OK);
  INTERROR = GRHANDLE;
  GRHANDLE = 0;
}

void PICTURE::DESTRUCT() {
  if (GRHANDLE == 0) return;
  INTERROR = GR_Destroy(GRHANDLE);
  GRHANDLE = 0;
}

int32_t PICTURE::INIT(zq::rt::Window& window, uint32_t imageControl) {
  MAINWIN = &window;
  IMAGECTRL = static_cast<int32_t>(imageControl);
  INITDONE = 1;
  return 0;
}

int32_t PICTURE::LOAD(std::string_view file, uint8_t resizeMode, int32_t width, int32_t height, uint8_t stripAlpha,
                      uint8_t extra) {
  if (width == -1) width = GR_GetWinWidth(hostlib::CurrentControl(IMAGECTRL));
  if (height == -1) height = GR_GetWinHeight(hostlib::CurrentControl(IMAGECTRL));
  if (resizeMode != 0 && (width < hostlib::kSmallestSide || height < hostlib::kSmallestSide)) return hostlib::kFailed;
  if (INITDONE == 0) return hostlib::kFailed;
  const int32_t picture = GR_Load(GRHANDLE, Len(file), Ptr(file), resizeMode, width, height, stripAlpha, extra);
  if (picture == hostlib::kFailed) return hostlib::kFailed;
  MAINWIN->ShowPicture(IMAGECTRL, static_cast<uint32_t>(picture));
  GR_FreeBuf(GRHANDLE);
  return picture;
}

std::string PICTURE::GETINFO() {
  std::string text;
  const intptr_t info = GR_GetInfo(GRHANDLE);
  if (info != hostlib::kFailed) {
    const auto* values = reinterpret_cast<const int32_t*>(info);
    text = zq::rt::WholeText(values[0]) + " x " + zq::rt::WholeText(values[1]) + " - " +
           zq::rt::WholeText(values[2]) + " Bpp - Alpha = " + zq::rt::WholeText(values[3]);
  }
  text.resize(hostlib::kInfoLength, ' ');
  return text;
}
