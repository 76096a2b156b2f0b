#include "DialogWatcher.h"

#include <chrono>

#include "orvid/controlnumbers.h"
#include "zqplatform/uiinput.h"
#include "zqplatform/uimodel.h"

namespace orvid::test {

namespace {
using namespace std::chrono_literals;
namespace res = orvid::res;

std::string TextOfControl(HWND window, int32_t control) {
  auto s = zq::ui::Snapshot(ControlOf(window, control));
  return s ? s->text : std::string();
}
}  // namespace

HWND ControlOf(HWND window, int32_t control) {
  for (HWND c : zq::ui::Children(window)) {
    auto s = zq::ui::Snapshot(c);
    if (s && s->id == control) return c;
  }
  return 0;
}

bool WaitFor(const std::function<bool()>& condition) {
  auto until = std::chrono::steady_clock::now() + 10s;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > until) return false;
    std::this_thread::sleep_for(5ms);
  }
  return true;
}

HWND WaitForWindow(const std::string& title) {
  HWND found = 0;
  WaitFor([&] {
    for (HWND h : zq::ui::Children(0)) {
      auto s = zq::ui::Snapshot(h);
      if (s && s->visible && s->text == title) found = h;
    }
    return found != 0;
  });
  if (found != 0) SendMessage(found, WM_NULL, 0, 0);  // its loop runs
  return found;
}

DialogWatcher::DialogWatcher(std::function<bool(const std::string&)> keep)
    : keep_(std::move(keep)), thread_([this] { Watch(); }) {}

DialogWatcher::~DialogWatcher() {
  stop_ = true;
  thread_.join();
}

std::vector<std::string> DialogWatcher::Errors() {
  std::lock_guard hold(lock_);
  return errors_;
}

std::vector<std::string> DialogWatcher::Notices() {
  std::lock_guard hold(lock_);
  return notices_;
}

void DialogWatcher::Clear() {
  std::lock_guard hold(lock_);
  errors_.clear();
  notices_.clear();
}

void DialogWatcher::Watch() {
  while (!stop_) {
    for (HWND h : zq::ui::Children(0)) {
      auto s = zq::ui::Snapshot(h);
      if (!s || !s->visible || seen_.count(h) != 0) continue;
      if (s->text != "Error" && s->text != "Message") continue;
      SendMessage(h, WM_NULL, 0, 0);  // set up: its loop runs
      if (s->text == "Error") {
        std::string message = TextOfControl(h, res::ErrorDialog::Message);
        seen_.insert(h);
        {
          std::lock_guard hold(lock_);
          errors_.push_back(message);
        }
        zq::ui::input::Click(ControlOf(h, res::ErrorDialog::Ok));
        continue;
      }
      std::string text = TextOfControl(h, res::TextBox::Text);
      if (text.empty()) text = TextOfControl(h, res::MessageDialog::Message);
      size_t first = text.find_first_not_of("\r\n");
      text = first == std::string::npos ? std::string() : text.substr(first, text.find_last_not_of("\r\n") + 1 - first);
      seen_.insert(h);
      {
        std::lock_guard hold(lock_);
        notices_.push_back(text);
      }
      if (!keep_ || !keep_(text)) zq::ui::input::CloseRequest(h);
    }
    std::this_thread::sleep_for(5ms);
  }
}

}  // namespace orvid::test
