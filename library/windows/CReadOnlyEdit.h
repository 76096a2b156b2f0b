// The floating box's text: a read-only edit that never shows a caret or a selection and
// always shows its first line.
#pragma once
#include "zqplatform/uimodel.h"

class CReadOnlyEdit {
 public:
  void Attach(HWND hwnd) { hwnd_ = hwnd; }
  HWND Window() const { return hwnd_; }
  void SetBackColour(COLORREF colour);
  void SetTextColour(COLORREF colour);
  // The answer to every colour request: selection at the start, nothing selected, no caret,
  // scrolled to the first line, and the edit's colours.
  void CtlColor();

 private:
  HWND hwnd_ = 0;
  COLORREF textColour_ = 0;
  COLORREF backColour_ = 0;
};
