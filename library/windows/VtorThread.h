// The floating box's thread: it runs the box's dialog and deletes it when the dialog ends.
#pragma once
#include <memory>
#include <string>

#include "timers/ZQThread.h"
#include "windows/VtorDlg.h"

class VtorThread : public ZQThread {
 public:
  static constexpr uint32_t kStopTimeout = 10000;
  static constexpr uint32_t kUpTimeoutMs = 5000;  // how long a box may take to come up

  VtorThread();
  ~VtorThread() override;

  // Makes the dialog, starts the thread and waits until the dialog is up; false when the
  // thread cannot start or the dialog does not come up in time (it is then ended).
  bool Open(std::string text, COLORREF textColour, COLORREF editColour, COLORREF windowColour);
  // Ends the dialog and waits for the thread.
  void Close();
  HWND Window() const;

 protected:
  int32_t ThreadCore() override;

 private:
  std::shared_ptr<VtorDlg> dlg_;
};
