// Questions and their answers: the open questions newest last, the answers waiting for the
// next question, and the record of what was asked.
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>

#include "Presenter.h"
#include "zqplatform/questions.h"
#include "zqplatform/uiinput.h"

namespace zq::ui {

namespace {

// Where an asking thread waits; the first answer wins.
struct Pending {
  std::mutex lock;
  std::condition_variable ready;
  std::optional<Answer> answer;

  bool Answered() {
    std::lock_guard hold(lock);
    return answer.has_value();
  }
  void Give(const Answer& a) {
    std::lock_guard hold(lock);
    if (answer) return;
    answer = a;
    ready.notify_all();
  }
};

struct Open {
  uint64_t id = 0;
  Question question;
  std::shared_ptr<Pending> pending;  // none for a program window
  std::optional<Answer> given;       // a program window's answer
};

struct Questions {
  std::mutex lock;
  uint64_t nextId = 1;
  std::vector<Open> open;
  std::deque<Answer> queued;
  std::optional<Answer> every;
  std::vector<Asked> asked;

  // Under the lock: the answer waiting for a new question.
  std::optional<Answer> Waiting() {
    if (!queued.empty()) {
      Answer a = std::move(queued.front());
      queued.pop_front();
      return a;
    }
    return every;
  }
};

Questions& TheQuestions() {
  static Questions q;
  return q;
}

// A program window's answer as input into it: a button clicks the control of that number, a
// path is typed into the entry that has the focus and Enter pressed, a cancel asks to close.
bool GiveToWindow(HWND window, const Answer& a) {
  switch (a.kind) {
    case Answer::Kind::Button:
      for (HWND child : Children(window)) {
        auto s = Snapshot(child);
        if (s && s->id == a.button) return input::Click(child);
      }
      return false;
    case Answer::Kind::Cancel: return input::CloseRequest(window);
    case Answer::Kind::Path: {
      // Typed into the window's entry that has the focus, and Enter pressed.
      HWND focus = GetFocus();
      auto s = Snapshot(focus);
      if (!s || s->kind != Kind::Edit || s->parent != window || s->readOnly) return false;
      Update(focus, [&](WindowState& w) { w.text = a.path; });
      return input::KeyPress(focus, VK_RETURN);
    }
  }
  return false;
}

}  // namespace

Answer Ask(const Question& question) {
  Questions& all = TheQuestions();
  auto pending = std::make_shared<Pending>();
  uint64_t id = 0;
  {
    std::lock_guard hold(all.lock);
    if (auto a = all.Waiting()) {
      all.asked.push_back(Asked{question, a});
      return *a;
    }
    id = all.nextId++;
    all.open.push_back(Open{id, question, pending, std::nullopt});
  }
  detail::ThePresenter().ShowQuestion(id, question, [pending](const Answer& a) { pending->Give(a); });
  Answer answer;
  for (;;) {
    {
      std::unique_lock hold(pending->lock);
      if (pending->ready.wait_for(hold, std::chrono::milliseconds(5), [&] { return pending->answer.has_value(); })) {
        answer = *pending->answer;
        break;
      }
    }
    PeekMessage(nullptr, 0, 0, 0, PM_NOREMOVE);  // runs calls sent to this thread
  }
  std::lock_guard hold(all.lock);
  std::erase_if(all.open, [&](const Open& q) { return q.id == id; });
  all.asked.push_back(Asked{question, answer});
  return answer;
}

void OpenQuestion(HWND window) {
  auto s = Snapshot(window);
  if (!s) return;
  Question q;
  q.kind = QuestionKind::Window;
  q.owner = window;
  q.thread = s->thread;
  q.caption = s->text;
  Questions& all = TheQuestions();
  std::optional<Answer> waiting;
  {
    std::lock_guard hold(all.lock);
    waiting = all.Waiting();
    all.open.push_back(Open{all.nextId++, q, nullptr, waiting});
  }
  if (waiting) GiveToWindow(window, *waiting);
}

void CloseQuestion(HWND window) {
  Questions& all = TheQuestions();
  std::lock_guard hold(all.lock);
  auto it = std::find_if(all.open.begin(), all.open.end(), [&](const Open& q) {
    return !q.pending && q.question.owner == window;
  });
  if (it == all.open.end()) return;
  all.asked.push_back(Asked{it->question, it->given});
  all.open.erase(it);
}

std::vector<Question> OpenQuestions() {
  Questions& all = TheQuestions();
  std::lock_guard hold(all.lock);
  std::vector<Question> open;
  for (const Open& q : all.open) open.push_back(q.question);
  return open;
}

std::vector<Asked> TakeAsked() {
  Questions& all = TheQuestions();
  std::lock_guard hold(all.lock);
  std::vector<Asked> taken;
  taken.swap(all.asked);
  return taken;
}

namespace input {

bool AnswerQuestion(const Answer& answer) {
  Questions& all = TheQuestions();
  std::unique_lock hold(all.lock);
  // The newest question still open (an answered one is on its way out).
  auto newest = std::find_if(all.open.rbegin(), all.open.rend(), [](Open& q) { return !q.pending || !q.pending->Answered(); });
  if (newest == all.open.rend()) {
    all.queued.push_back(answer);
    return false;
  }
  if (!newest->pending) {
    newest->given = answer;
    HWND window = newest->question.owner;
    hold.unlock();
    return GiveToWindow(window, answer);
  }
  std::shared_ptr<Pending> pending = newest->pending;
  uint64_t id = newest->id;
  hold.unlock();
  pending->Give(answer);
  detail::ThePresenter().EndQuestion(id);
  return true;
}

void AnswerEvery(std::optional<Answer> answer) {
  Questions& all = TheQuestions();
  std::lock_guard hold(all.lock);
  all.every = std::move(answer);
}

void ForgetAnswers() {
  Questions& all = TheQuestions();
  std::lock_guard hold(all.lock);
  all.queued.clear();
  all.every.reset();
}

}  // namespace input

}  // namespace zq::ui
