// The plain message box: shown by the presenter while the calling thread waits, still
// handling what other threads send it.
#include <chrono>
#include <condition_variable>
#include <memory>

#include "Presenter.h"
#include "zqplatform/msgbox.h"

namespace {

struct Pressed {
  std::mutex lock;
  std::condition_variable ready;
  std::optional<int32_t> button;
};

}  // namespace

int32_t MessageBoxA(HWND owner, const char* text, const char* caption, uint32_t type) {
  zq::ui::detail::MessageBoxRequest request{owner, text ? text : "", caption ? caption : "Error", type};
  auto pressed = std::make_shared<Pressed>();
  zq::ui::detail::ThePresenter().ShowMessageBox(request, [pressed](int32_t button) {
    std::lock_guard hold(pressed->lock);
    pressed->button = button;
    pressed->ready.notify_all();
  });
  for (;;) {
    {
      std::unique_lock hold(pressed->lock);
      if (pressed->ready.wait_for(hold, std::chrono::milliseconds(5), [&] { return pressed->button.has_value(); })) {
        return *pressed->button;
      }
    }
    PeekMessage(nullptr, 0, 0, 0, PM_NOREMOVE);  // runs calls sent to this thread
  }
}
