// Stands in for the user at the program's dialogs in tests: every error dialog is answered
// with OK and every text box or message dialog is closed (unless kept), each after its text
// was recorded.
#pragma once
#include <atomic>
#include <functional>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "zqplatform/messages.h"

namespace orvid::test {

class DialogWatcher {
 public:
  // keep: a notice with this text is left open.
  explicit DialogWatcher(std::function<bool(const std::string&)> keep = {});
  ~DialogWatcher();
  DialogWatcher(const DialogWatcher&) = delete;
  DialogWatcher& operator=(const DialogWatcher&) = delete;

  std::vector<std::string> Errors();   // messages of the error dialogs, in order
  std::vector<std::string> Notices();  // texts of the message dialogs and text boxes, without the line breaks around them
  void Clear();

 private:
  void Watch();
  std::function<bool(const std::string&)> keep_;
  std::mutex lock_;
  std::vector<std::string> errors_;
  std::vector<std::string> notices_;
  std::set<HWND> seen_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

// The newest visible top-level window with that title, waited for up to 10 seconds; 0: none.
HWND WaitForWindow(const std::string& title);
// The handle of a window's control by its number; 0: none.
HWND ControlOf(HWND window, int32_t control);
// Waits up to 10 seconds for a condition; its last answer.
bool WaitFor(const std::function<bool()>& condition);

}  // namespace orvid::test
