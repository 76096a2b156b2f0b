// VtorUp and VtorDown: the box registry's lock is held for their whole work.
#include <mutex>
#include <string>
#include <utility>

#include "frame/CVantor.h"
#include "frame/Exports.h"
#include "windows/VtorThread.h"
#include "zqvantor/windows.h"

namespace {

constexpr int32_t kDefault = -1;
constexpr COLORREF kTextColour = 0x000000;
constexpr COLORREF kEditColour = 0xFFFFFF;
constexpr COLORREF kWindowColour = 0x93FFFF;
constexpr int32_t kNoThread = -5;
constexpr uint32_t kShowInPlace = SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW;  // 67

COLORREF Or(int32_t colour, COLORREF fallback) {
  return colour == kDefault ? fallback : static_cast<COLORREF>(colour);
}

}  // namespace

ZQV_API int32_t VtorUp(int32_t textLen, const char* text, int32_t textColour, int32_t editColour,
                       int32_t windowColour) {
  return zqv::Export<int32_t>(kNoThread, [&] {
    std::string shown(zqv::HostText(textLen, text));
    BoxRegistry& boxes = CVantor::App().boxes;
    HWND window = 0;
    int32_t box;
    {
      std::lock_guard hold(boxes.Lock());
      box = boxes.CreateHeld();
      if (box < 0) return box;
      VtorThread* thread = boxes.LookupHeld(box);
      bool opened = false;
      try {
        opened = thread->Open(std::move(shown), Or(textColour, kTextColour), Or(editColour, kEditColour),
                              Or(windowColour, kWindowColour));
      } catch (...) {
        // Exhausted memory: the handle is not kept.
      }
      if (!opened) {
        boxes.DestroyHeld(box);
        return kNoThread;
      }
      window = thread->Window();
    }
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, kShowInPlace);
    return box;
  });
}

ZQV_API int32_t VtorDown(int32_t box) {
  return zqv::Export<int32_t>(zqv::kRemoveFailed, [&] {
    if (box == 0) return 0;
    if (!BoxRegistry::InRange(box)) return zqv::kHandleOutOfRange;
    BoxRegistry& boxes = CVantor::App().boxes;
    std::lock_guard hold(boxes.Lock());
    VtorThread* thread = boxes.LookupHeld(box);
    if (!thread) return zqv::kHandleNotRegistered;
    thread->Close();
    return boxes.DestroyHeld(box);
  });
}
