#include "DialogAnswers.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

namespace hostlib::test {

HWND WaitForWindow(std::string_view title, DWORD thread) {
  auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (std::chrono::steady_clock::now() < until) {
    for (HWND h : zq::ui::Children(0)) {
      auto s = zq::ui::Snapshot(h);
      if (!s || !s->visible || s->text != title || (thread != 0 && s->thread != thread)) continue;
      // Answered once the window's thread handles calls: its loop runs, the dialog is set up.
      SendMessage(h, WM_NULL, 0, 0);
      return h;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return 0;
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

std::string TextOf(HWND window, int32_t control) {
  for (HWND c : zq::ui::Children(window)) {
    auto s = zq::ui::Snapshot(c);
    if (s && s->id == control) return s->text;
  }
  return {};
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

}  // namespace hostlib::test
