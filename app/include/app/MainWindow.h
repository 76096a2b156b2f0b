// The entry procedure, the main window and the status line every long job reports to.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "hostlib/Wrappers.h"

// The program's entry procedure: clears ABORTALL, EXPRUNNING and EXPTHREAD and runs MAIN.
namespace orvid {
void _main();
}

// The main window, on the calling thread, until it has closed.
void MAIN();

// Status and progress from any thread: pct 0 to 100 with a text that replaces the status line
// when not blank; -1 clears the line and the bar; -2 sets the line even to a blank text; -99
// shows the text with " - Busy: " and the time since TI started. Posts kStatusChanged to
// MWTHREAD.
void UPDATESTATUS(int32_t pct, std::string_view msg);

// Starts the explorer thread, or shows that it already runs.
void STARTEXPLORER();

// The status line and the progress bar's value, copied together under their lock.
struct STATUSLINE {
  std::string PROCSTAT;  // at most 63 characters
  int16_t SPROGRESS = 0;
};
STATUSLINE STATUSNOW();

// The root folder as the main window's entry shows it.
extern std::string SCRROOT;

// The main window's timer of the busy time, started when a scan starts.
extern TIMER TI;
