// Letting the thread's pending work run without taking its events.
#include "zqplatform/uimodel.h"
#include "zqruntime/window.h"

namespace zq::rt {

void Yield() {
  PeekMessage(nullptr, 0, 0, 0, PM_NOREMOVE);  // runs the calls sent to this thread
  zq::ui::Flush();
}

}  // namespace zq::rt
