// Standing in for the user at the program's dialogs in tests: waiting for a window, looking at
// its controls, answering one dialog from a thread of its own, and DialogWatcher, which finds
// every error dialog, message dialog and text box through the question seam, records it and
// answers it.
#pragma once
#include <atomic>
#include <functional>
#include <future>
#include <mutex>
#include <set>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "zqplatform/uimodel.h"

namespace orvid::test {

// Waits up to 10 seconds for a condition; its last answer.
bool WaitFor(const std::function<bool()>& condition);

// The newest visible top-level window with that title (and of that thread, 0: any), waited
// for up to 10 seconds until its loop runs; 0 when none came.
HWND WaitForWindow(std::string_view title, DWORD thread = 0);

// The handle of a window's control by its number; 0: none.
HWND ControlOf(HWND window, int32_t control);
// The text of a child control by its number.
std::string TextOf(HWND window, int32_t control);
// A visible child control of a kind with that text, 0 when none.
HWND ChildWithText(HWND window, zq::ui::Kind kind, std::string_view text);
// The texts of the window's visible buttons from left to right.
std::vector<std::string> ShownButtons(HWND window);
// A window's screen rectangle: x, y, width, height.
std::vector<int32_t> ScreenRect(HWND window);

// Runs answer(dialog) on a thread of its own once a window with that title shows (on that
// thread, 0: any).
std::future<void> AnswerWhenShown(std::string title, std::function<void(HWND)> answer, DWORD thread = 0);

// Saves the window as shown to <ZQ_GRAB_DIR or the current folder>/<name>.png (Qt only); the
// file's path, empty when the presenter cannot grab.
std::string Grab(HWND window, std::string_view name);
// The same; true when the picture was written, and with the null presenter, which shows
// nothing to grab.
bool Grabbed(HWND window, std::string_view name);

// An error dialog as it showed.
struct ErrorSeen {
  std::string message, procedure, details, code;
  bool operator==(const ErrorSeen&) const = default;
};

// First presses the first button shown (OK, Abort or Ignore).
enum class Reply { First, Cancel, Ignore, IgnoreAll };

// Answers each error dialog as the rule says (none: First) and closes each message dialog or
// text box unless keep says to leave it open, each after its texts were recorded.
class DialogWatcher {
 public:
  explicit DialogWatcher(std::function<bool(const std::string&)> keep = {});
  explicit DialogWatcher(std::function<Reply(const ErrorSeen&)> rule, std::function<bool(const std::string&)> keep = {});
  ~DialogWatcher();
  DialogWatcher(const DialogWatcher&) = delete;
  DialogWatcher& operator=(const DialogWatcher&) = delete;

  std::vector<ErrorSeen> Seen();       // the error dialogs, in order
  std::vector<std::string> Errors();   // their messages
  std::vector<std::string> Notices();  // texts of the message dialogs and text boxes, without the line breaks around them
  void Clear();

 private:
  void Watch();
  void AnswerError(HWND dialog);
  void CloseNotice(HWND dialog);

  std::function<Reply(const ErrorSeen&)> rule_;
  std::function<bool(const std::string&)> keep_;
  std::mutex lock_;
  std::vector<ErrorSeen> errors_;
  std::vector<std::string> notices_;
  std::set<HWND> seen_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

}  // namespace orvid::test
