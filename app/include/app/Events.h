// The program's events, posted to a thread's active window: numbers from the runtime's first
// event of the program's own on.
#pragma once
#include <cstdint>

#include "zqruntime/window.h"

// The scan thread has ended. The text box (MBOX) closes on this same number: one open on the
// main thread as a scan ends closes and takes the event, and the main window sees the end by
// T1ENDED.
constexpr int32_t kScanEnded = zq::rt::kUserEvent + 0x00;
constexpr int32_t kPassEnded = zq::rt::kUserEvent + 0x01;        // the processing thread has ended
constexpr int32_t kStatusChanged = zq::rt::kUserEvent + 0x10;    // UPDATESTATUS stored a new status line
// The explorer shows the folder SHOWINEXPLORER handed over (TAKESHOWNFOLDER) in its right panel.
constexpr int32_t kShowInExplorer = zq::rt::kUserEvent + 0x20;
constexpr int32_t kTrayDoubleClick = zq::rt::kUserEvent + 0x31;  // the tray icon was double-clicked
constexpr int32_t kPreviewReady = zq::rt::kUserEvent + 0x40;     // the explorer's newest preview is decoded
