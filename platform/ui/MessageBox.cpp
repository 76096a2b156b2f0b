// The plain message box: a question whose answer is the button pressed.
#include "zqplatform/msgbox.h"
#include "zqplatform/questions.h"

namespace {

// What a cancel presses: the Cancel button, else the button that closes the box.
int32_t CancelButton(uint32_t type) {
  switch (type & 0xF) {
    case MB_OK: return IDOK;
    case MB_YESNO: return IDNO;
    case MB_ABORTRETRYIGNORE: return IDABORT;
    default: return IDCANCEL;
  }
}

}  // namespace

int32_t MessageBoxA(HWND owner, const char* text, const char* caption, uint32_t type) {
  zq::ui::Question q;
  q.kind = zq::ui::QuestionKind::Message;
  q.owner = owner;
  q.thread = GetCurrentThreadId();
  q.caption = caption ? caption : "Error";
  q.text = text ? text : "";
  q.type = type;
  zq::ui::Answer a = zq::ui::Ask(q);
  return a.kind == zq::ui::Answer::Kind::Button ? a.button : CancelButton(type);
}
