// Questions to the user and their answers, one seam for every dialog. The window model's
// message box (and with it the runtime's and the library's), the file, save and folder dialogs,
// and the program's own dialog windows all ask here, and every answer comes back the same way:
// a button, a path or a cancel. The user gives it through the presenter (a button pressed, a
// file chosen, the dialog closed); tests, and anything else that stands in for the user, give it
// through input::AnswerQuestion with either presenter. An answer given while questions are open
// ends the newest of them; given while none is open, it waits for the next question asked
// (answers queue in order); AnswerEvery answers each question no queued answer takes until it is
// cleared. A program window is answered as input into it: a button clicks the control of that
// number, a path is typed into its focused entry and Enter pressed, a cancel is a close request. Every question is recorded with the answer it got
// (TakeAsked). A question that nothing answers is the presenter's to show: the Qt presenter shows
// its dialog, modal to the owner's window only, and waits for the user; the null presenter, with
// nobody there, answers a message box with its first button and a file or folder dialog with a
// cancel, and leaves a program window to its own loop.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "zqplatform/messages.h"

namespace zq::ui {

enum class QuestionKind : uint8_t { Message, Open, Save, Folder, Window };

struct Question {
  QuestionKind kind = QuestionKind::Message;
  HWND owner = 0;        // the window it belongs to; for a program window the window itself
  DWORD thread = 0;      // the asking thread
  std::string caption;   // the title (ANSI)
  std::string text;      // a message box's text (ANSI)
  uint32_t type = 0;     // a message box's MB_ bits
  std::string extension;  // a file dialog's default extension (".csv"; empty: any file)
  std::string folder;     // a file or folder dialog's start folder (POSIX, UTF-8; empty: the current one)
};

struct Answer {
  enum class Kind : uint8_t { Button, Path, Cancel };
  Kind kind = Kind::Cancel;
  int32_t button = 0;  // IDOK ... IDNO for a message box; a control number for a program window
  std::string path;    // as a user types it: a POSIX path (UTF-8) or a Windows-view path (ANSI)

  static Answer Pressed(int32_t button) { return Answer{Kind::Button, button, {}}; }
  static Answer Chosen(std::string path) { return Answer{Kind::Path, 0, std::move(path)}; }
  static Answer Cancelled() { return Answer{}; }
  bool operator==(const Answer&) const = default;
};

// Asks on the calling thread and waits for the answer, still handling what other threads send
// it. A message box's cancel is IDCANCEL when it has a Cancel button, else its first button.
Answer Ask(const Question& question);

// A program's dialog window is a question from its opening to its closing; an answer given
// meanwhile (or queued before) becomes input into it.
void OpenQuestion(HWND window);
void CloseQuestion(HWND window);

// The questions open now, oldest first.
std::vector<Question> OpenQuestions();

struct Asked {
  Question question;
  std::optional<Answer> answer;  // none for a program window that input other than an answer ended
};
// The questions asked since the last call (oldest first), and cleared.
std::vector<Asked> TakeAsked();

}  // namespace zq::ui

namespace zq::ui::input {

// Answers the newest open question; when none is open, the answer waits for the next one.
// True when it answered an open question.
bool AnswerQuestion(const Answer& answer);
// Answers every question that no queued answer takes (none: stop).
void AnswerEvery(std::optional<Answer> answer);
// Drops the queued answers and the standing one.
void ForgetAnswers();

}  // namespace zq::ui::input
