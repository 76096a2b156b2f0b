// The floating box's dialog: no caption, topmost, its text in a read-only edit; nothing
// inside it ends it (Esc, Return and the close command leave it open).
#pragma once
#include <atomic>
#include <string>

#include "windows/CReadOnlyEdit.h"
#include "zqplatform/uimodel.h"

class VtorDlg {
 public:
  static constexpr int32_t kEditId = 1004;
  static constexpr int32_t kCancelId = 2;

  VtorDlg(std::string text, COLORREF windowColour, COLORREF editColour, COLORREF textColour);

  // Runs the dialog on the calling thread until EndDialog; its result.
  intptr_t DoModal();
  // From any thread: ends the dialog, or keeps it from starting when it is not up yet.
  void EndDialog(intptr_t result);
  bool Up() const { return up_; }
  HWND Window() const { return hwnd_; }

 private:
  bool Build();
  bool OnInitDialog();
  void DestroyWindow();
  void OnCancel() {}
  LRESULT Procedure(HWND hwnd, uint32_t message, WPARAM wParam, LPARAM lParam);

  COLORREF windowColour_;
  COLORREF editColour_;
  COLORREF textColour_;
  std::atomic<bool> up_{false};
  std::atomic<bool> ended_{false};
  COLORREF brushColour_ = 0;
  CReadOnlyEdit edit_;
  std::string text_;
  std::atomic<HWND> hwnd_{0};
};
