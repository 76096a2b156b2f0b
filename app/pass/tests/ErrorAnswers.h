// Stands in for the user at the error dialog in tests of the pass and the catalogs: records
// each error shown and answers it through the question seam as a rule says.
#pragma once
#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "DialogWatcher.h"
#include "orvid/controlnumbers.h"
#include "zqplatform/questions.h"
#include "zqplatform/uiinput.h"
#include "zqplatform/uimodel.h"

namespace orvid::test {

struct ErrorSeen {
  std::string message, procedure, details, code;
  bool operator==(const ErrorSeen&) const = default;
};

enum class Reply { First, Cancel, Ignore, IgnoreAll };

class ErrorAnswers {
 public:
  // rule: the reply to an error; First presses the first button shown (OK, Abort or Ignore).
  explicit ErrorAnswers(std::function<Reply(const ErrorSeen&)> rule = {})
      : rule_(std::move(rule)), thread_([this] { Watch(); }) {}
  ~ErrorAnswers() {
    stop_ = true;
    thread_.join();
  }
  ErrorAnswers(const ErrorAnswers&) = delete;
  ErrorAnswers& operator=(const ErrorAnswers&) = delete;

  std::vector<ErrorSeen> Seen() {
    std::lock_guard hold(lock_);
    return seen_;
  }
  std::vector<std::string> Messages() {
    std::vector<std::string> messages;
    for (const ErrorSeen& e : Seen()) messages.push_back(e.message);
    return messages;
  }

 private:
  static std::string Text(HWND w, int32_t control) {
    auto s = zq::ui::Snapshot(ControlOf(w, control));
    return s ? s->text : std::string();
  }
  static bool Shown(HWND w, int32_t control) {
    auto s = zq::ui::Snapshot(ControlOf(w, control));
    return s && s->visible;
  }
  void Answer(HWND w) {
    namespace e = orvid::res::ErrorDialog;
    ErrorSeen seen{Text(w, e::Message), Text(w, e::Procedure), Text(w, e::Details), Text(w, e::Errorcode)};
    {
      std::lock_guard hold(lock_);
      seen_.push_back(seen);
    }
    const Reply reply = rule_ ? rule_(seen) : Reply::First;
    int32_t button = e::Ok;
    if (reply == Reply::Cancel)
      button = e::Cancel;
    else if (reply == Reply::Ignore)
      button = e::Ignore;
    else if (reply == Reply::IgnoreAll)
      button = e::IgnoreAll;
    else
      for (int32_t b : {e::Ok, e::Abort, e::Ignore})
        if (Shown(w, b)) {
          button = b;
          break;
        }
    zq::ui::input::AnswerQuestion(zq::ui::Answer::Pressed(button));
  }
  void Watch() {
    using namespace std::chrono_literals;
    while (!stop_) {
      for (HWND h : zq::ui::Children(0)) {
        auto s = zq::ui::Snapshot(h);
        if (!s || !s->visible || s->text != "Error" || handled_.count(h) != 0) continue;
        SendMessage(h, WM_NULL, 0, 0);  // its loop runs
        handled_.insert(h);
        Answer(h);
      }
      std::this_thread::sleep_for(2ms);
    }
  }

  std::function<Reply(const ErrorSeen&)> rule_;
  std::mutex lock_;
  std::vector<ErrorSeen> seen_;
  std::set<HWND> handled_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

}  // namespace orvid::test
