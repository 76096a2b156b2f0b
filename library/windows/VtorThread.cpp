#include "windows/VtorThread.h"

#include <chrono>
#include <thread>

namespace {
void SleepMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
}  // namespace

VtorThread::VtorThread() : ZQThread(kStopTimeout, 0) {}

VtorThread::~VtorThread() { Close(); }

bool VtorThread::Open(std::string text, COLORREF textColour, COLORREF editColour, COLORREF windowColour) {
  dlg_ = std::make_shared<VtorDlg>(std::move(text), windowColour, editColour, textColour);
  if (Start(false, 0, 0) == 0) return false;
  for (uint32_t waited = 0; !dlg_->Up(); waited += 5) {
    if (waited >= kUpTimeoutMs || !IsAlive()) {
      Close();
      return false;
    }
    SleepMs(5);
  }
  SleepMs(50);
  return true;
}

void VtorThread::Close() {
  if (!dlg_) return;
  dlg_->EndDialog(0);
  // The body ends once the dialog has; a body given up on by Stop keeps its own reference.
  const auto giveUp = std::chrono::steady_clock::now() + std::chrono::milliseconds(kStopTimeout);
  while (IsAlive() && std::chrono::steady_clock::now() < giveUp) SleepMs(10);
  Stop(false);
}

HWND VtorThread::Window() const { return dlg_ ? dlg_->Window() : 0; }

int32_t VtorThread::ThreadCore() {
  std::shared_ptr<VtorDlg> dlg = dlg_;
  dlg->DoModal();
  dlg.reset();  // the dialog object goes with its thread's reference
  SleepMs(100);
  return 0;
}
