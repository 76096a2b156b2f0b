#include "windows/CReadOnlyEdit.h"

void CReadOnlyEdit::SetBackColour(COLORREF colour) {
  backColour_ = colour;
  CtlColor();
}

void CReadOnlyEdit::SetTextColour(COLORREF colour) {
  textColour_ = colour;
  CtlColor();
}

void CReadOnlyEdit::CtlColor() {
  zq::ui::Update(hwnd_, [this](zq::ui::WindowState& s) {
    s.selStart = 0;
    s.selEnd = 0;
    s.caretVisible = false;
    s.textColour = textColour_;
    s.backColour = backColour_;
  });
}
