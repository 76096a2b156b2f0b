// The status line: written by any thread, read by the main window on kStatusChanged.
#include <cstdio>
#include <mutex>

#include "app/MainWindow.h"
#include "app/State.h"
#include "app/Text.h"
#include "zqruntime/window.h"

TIMER TI;

namespace {

constexpr size_t kStatusLength = 63;

std::mutex statusLock;
STATUSLINE status;


// At most the line's length, never ending inside a multi-byte character.
std::string Cut(std::string text) {
  if (text.size() <= kStatusLength) return text;
  size_t end = kStatusLength;
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  text.resize(end);
  return text;
}

// Milliseconds as "hh:mm:ss", the hours counted modulo 24.
std::string BusyTime(int32_t milliseconds) {
  int32_t seconds = milliseconds < 0 ? 0 : milliseconds / 1000;
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d", seconds / 3600 % 24, seconds / 60 % 60, seconds % 60);
  return text;
}

}  // namespace

void UPDATESTATUS(int32_t pct, std::string_view msg) {
  {
    std::lock_guard lock(statusLock);
    if (pct == -1) {
      status.PROCSTAT.clear();
      status.SPROGRESS = 0;
    } else if (pct == -99) {
      status.PROCSTAT = Cut(WithoutTrailingBlanks(msg) + " - Busy: " + BusyTime(TI.ELAPSED()));
    } else {
      if (!WithoutTrailingBlanks(msg).empty() || pct == -2) status.PROCSTAT = Cut(std::string(msg));
      status.SPROGRESS = static_cast<int16_t>(pct);
    }
  }
  zq::rt::Post(kStatusChanged, 0, MWTHREAD);
}

STATUSLINE STATUSNOW() {
  std::lock_guard lock(statusLock);
  return status;
}
