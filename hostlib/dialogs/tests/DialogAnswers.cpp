#include "DialogAnswers.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>

#include "orvid/controlnumbers.h"
#include "zqplatform/questions.h"
#include "zqplatform/uiinput.h"
#include "zqvantor/windows.h"

namespace orvid::test {

namespace {

using namespace std::chrono_literals;
namespace res = orvid::res;

bool Shown(HWND window, int32_t control) {
  auto s = zq::ui::Snapshot(ControlOf(window, control));
  return s && s->visible;
}

// Without the line breaks around it.
std::string Inner(const std::string& text) {
  const size_t first = text.find_first_not_of("\r\n");
  return first == std::string::npos ? std::string() : text.substr(first, text.find_last_not_of("\r\n") + 1 - first);
}

}  // namespace

bool WaitFor(const std::function<bool()>& condition) {
  const auto until = std::chrono::steady_clock::now() + 10s;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > until) return false;
    std::this_thread::sleep_for(5ms);
  }
  return true;
}

HWND WaitForWindow(std::string_view title, DWORD thread) {
  HWND found = 0;
  WaitFor([&] {
    for (HWND h : zq::ui::Children(0)) {
      auto s = zq::ui::Snapshot(h);
      if (s && s->visible && s->text == title && (thread == 0 || s->thread == thread)) found = h;
    }
    return found != 0;
  });
  // Answered once the window's thread handles calls: its loop runs, the dialog is set up.
  if (found != 0) SendMessage(found, WM_NULL, 0, 0);
  return found;
}

HWND ControlOf(HWND window, int32_t control) {
  for (HWND c : zq::ui::Children(window)) {
    auto s = zq::ui::Snapshot(c);
    if (s && s->id == control) return c;
  }
  return 0;
}

std::string TextOf(HWND window, int32_t control) {
  auto s = zq::ui::Snapshot(ControlOf(window, control));
  return s ? s->text : std::string();
}

HWND ChildWithText(HWND window, zq::ui::Kind kind, std::string_view text) {
  for (HWND c : zq::ui::Children(window)) {
    auto s = zq::ui::Snapshot(c);
    if (s && s->visible && s->kind == kind && s->text == text) return c;
  }
  return 0;
}

std::vector<std::string> ShownButtons(HWND window) {
  std::vector<zq::ui::WindowState> buttons;
  for (HWND c : zq::ui::Children(window)) {
    auto s = zq::ui::Snapshot(c);
    if (s && s->visible && s->kind == zq::ui::Kind::Button) buttons.push_back(*s);
  }
  std::sort(buttons.begin(), buttons.end(), [](const auto& a, const auto& b) { return a.rect.left < b.rect.left; });
  std::vector<std::string> texts;
  for (const auto& b : buttons) texts.push_back(b.text);
  return texts;
}

std::vector<int32_t> ScreenRect(HWND window) {
  int32_t x = 0, y = 0, w = 0, h = 0;
  VTWinGetSize(window, &x, &y, &w, &h);
  return {x, y, w, h};
}

std::future<void> AnswerWhenShown(std::string title, std::function<void(HWND)> answer, DWORD thread) {
  return std::async(std::launch::async, [title = std::move(title), answer = std::move(answer), thread] {
    HWND dialog = WaitForWindow(title, thread);
    if (dialog != 0) answer(dialog);
  });
}

std::string Grab(HWND window, std::string_view name) {
  const char* dir = std::getenv("ZQ_GRAB_DIR");
  std::filesystem::path folder = dir ? dir : ".";
  std::filesystem::create_directories(folder);
  std::string png = (folder / (std::string(name) + ".png")).string();
  zq::ui::Flush();
  return zq::ui::GrabWindow(window, png) ? png : std::string();
}

bool Grabbed(HWND window, std::string_view name) {
  return zq::ui::PresenterName() != "qt" || !Grab(window, name).empty();
}

DialogWatcher::DialogWatcher(std::function<bool(const std::string&)> keep) : DialogWatcher({}, std::move(keep)) {}

DialogWatcher::DialogWatcher(std::function<Reply(const ErrorSeen&)> rule, std::function<bool(const std::string&)> keep)
    : rule_(std::move(rule)), keep_(std::move(keep)), thread_([this] { Watch(); }) {}

DialogWatcher::~DialogWatcher() {
  stop_ = true;
  thread_.join();
}

std::vector<ErrorSeen> DialogWatcher::Seen() {
  std::lock_guard hold(lock_);
  return errors_;
}

std::vector<std::string> DialogWatcher::Errors() {
  std::vector<std::string> messages;
  for (const ErrorSeen& e : Seen()) messages.push_back(e.message);
  return messages;
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
    for (const zq::ui::Question& q : zq::ui::OpenQuestions()) {
      if (q.kind != zq::ui::QuestionKind::Window || seen_.count(q.owner) != 0) continue;
      if (q.caption != "Error" && q.caption != "Message") continue;
      seen_.insert(q.owner);
      SendMessage(q.owner, WM_NULL, 0, 0);  // set up: its loop runs
      if (q.caption == "Error") {
        AnswerError(q.owner);
      } else {
        CloseNotice(q.owner);
      }
    }
    std::this_thread::sleep_for(2ms);
  }
}

// The answer goes in as the question seam gives a program window its answer: a click on the
// button, a close request for a cancel.
void DialogWatcher::AnswerError(HWND dialog) {
  namespace e = res::ErrorDialog;
  ErrorSeen seen{TextOf(dialog, e::Message), TextOf(dialog, e::Procedure), TextOf(dialog, e::Details),
                 TextOf(dialog, e::Errorcode)};
  {
    std::lock_guard hold(lock_);
    errors_.push_back(seen);
  }
  int32_t button = e::Ok;
  switch (rule_ ? rule_(seen) : Reply::First) {
    case Reply::Cancel: button = e::Cancel; break;
    case Reply::Ignore: button = e::Ignore; break;
    case Reply::IgnoreAll: button = e::IgnoreAll; break;
    case Reply::First:
      for (int32_t b : {e::Ok, e::Abort, e::Ignore}) {
        if (Shown(dialog, b)) {
          button = b;
          break;
        }
      }
      break;
  }
  zq::ui::input::Click(ControlOf(dialog, button));
}

void DialogWatcher::CloseNotice(HWND dialog) {
  std::string text = TextOf(dialog, res::TextBox::Text);
  if (text.empty()) text = TextOf(dialog, res::MessageDialog::Message);
  text = Inner(text);
  {
    std::lock_guard hold(lock_);
    notices_.push_back(text);
  }
  if (!keep_ || !keep_(text)) zq::ui::input::CloseRequest(dialog);
}

}  // namespace orvid::test
