// The program's shared state: the queues the scan fills and the pass reads, the layout and
// extension tables, the settings group ST, the processing options of the main window's check
// boxes, the flags and thread data by which the main, scan, pass and explorer threads work
// together, the paths, handles and the program's events.
//
// Every global has one owner, who writes it; any other thread reads a copy or takes the lock
// the table names. "Start-up" is the main thread before it starts any other thread; a job
// takes what it reads once, at its start, and works on that copy (TAKESCANRULES,
// TAKEPASSSETTINGS).
//
// | global | written by | read by | guarded by |
// |---|---|---|---|
// | QDIR, MFQ | the scan, the pass (its rescan and its conversions); MFQ also the media list while no job runs | the main window's list, the media list, lazy mode | the queue's lock; other threads read through Peek; the pass and the catalogs work on copies of their records |
// | QSCRIPT | the main window's layout list, GETINI | the pass at its start | the queue's lock; read through Peek |
// | VEXTENSIONS, AEXTENSIONS, QNOSCAN | the settings window (main or explorer thread, one window at a time), GETINI | the scan and the pass at their start, the explorer | the queue's lock; read through Peek |
// | ST | the settings window (main or explorer thread), GETINI | every thread | Guarded: read as a copy, changed under its lock |
// | DEEPSCAN ... REMEMPTYA | the main window (its check boxes, GETINI) while no job runs | the scan and the pass at their start | the job's start: written before its thread starts, never while it runs |
// | ABORTALL ... T2ENDED, MWTHREAD, MWHANDLE, LWHANDLE | their windows and jobs | every thread | atomics |
// | T1GROUP, T2GROUP, MWPOS, MWWINPOS, MFSIZE | the main window | the main window (a job gets a copy of its group's bytes) | the main thread only |
// | INIPATH | start-up | every thread | set before any other thread starts, read-only after |
// | ROOTDIR | the main window (root, scan and start buttons), GETINI | the explorer, the pass at its start | Guarded |
// | LPPATH, RPPATH | the explorer while it runs, else the main window (SHOWINEXPLORER, GETINI) | PUTINI, lazy mode | Guarded |
// | EWPOS | the explorer as it closes, GETINI | the explorer as it opens, PUTINI once the explorer has ended | handed over by EXPRUNNING, cleared after the explorer's last write |
// | the status line | any thread (UPDATESTATUS) | the main window (STATUSNOW) | its own lock |
// | TI | the scan as it begins (START) | the scan's busy time (UPDATESTATUS -99) | the scan's thread only |
// | JOBTESTHOOK | tests, before a job starts | RUNJOB | the job's start |
#pragma once
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "app/Events.h"
#include "app/Guarded.h"
#include "app/Records.h"
#include "hostlib/WinPos.h"
#include "zqplatform/messages.h"
#include "zqruntime/queue.h"

// The queues, each of its view's records (app/Records.h).
extern zq::rt::Queue QDIR;         // the folder list (QDIRF)
extern zq::rt::Queue MFQ;          // the media list (MFQF)
extern zq::rt::Queue QSCRIPT;      // the layouts, row n = level n (QSCRIPTF)
extern zq::rt::Queue VEXTENSIONS;  // the video extensions (VEXTF)
extern zq::rt::Queue AEXTENSIONS;  // the audio extensions (AEXTF)
extern zq::rt::Queue QNOSCAN;      // the folder names the scan does not enter (QNOSCANF)

// The settings group. Texts are held without trailing blanks; a blank text is empty.
struct CATLAYOUT {
  std::string ALLIGN;  // "Top", "Center" or "Bot"
  int16_t DX = 0;
  int16_t DY = 0;
  double SCALE = 0;
  int16_t COLS = 0;
  int16_t ROWS = 0;
  int16_t TOP = 0;
  int16_t BOT = 0;
  int16_t TEXTBOT = 0;
  std::string FSIZE;  // "Normal" or "Small"
};
struct CATBACKGROUND {
  int16_t X = 0;
  int16_t Y = 0;
  int16_t W = 0;
  int16_t H = 0;
  uint8_t ACT = 0;  // 1: use the background pictures
};
struct PICTURERULE {
  std::string NAME;    // base name of the folder's picture file, CSTRING(64)
  std::string RESIZE;  // "None", "Bigger", "Smaller", "Both"
  uint8_t KEEPAR = 0;
  std::string FILTER;  // "Fast", "Bicubic", "Bilinear"
  int16_t WIDTH = 0;
  int16_t HEIGHT = 0;
};
struct BACKGROUNDRULE : PICTURERULE {
  int16_t DFX = 0;  // the default background box
  int16_t DFY = 0;
  int16_t DFW = 0;
  int16_t DFH = 0;
};
struct SETTINGSGROUP {
  CATLAYOUT CAT1;       // the catalog roots' layout
  CATLAYOUT CAT2;       // the catalogs' sub-folders
  CATBACKGROUND CATBG;
  PICTURERULE ACR;      // icons
  BACKGROUNDRULE ABR;   // backgrounds
  uint8_t DELAC = 0;          // delete a picture after converting it
  uint8_t EXPFONTSIZE = 0;    // the explorer's font size, 8 to 16
  uint8_t CONFIRMDELETE = 0;  // the explorer asks before deleting
  uint8_t RESIZEIMAGE = 0;    // the explorer's picture resize mode (0 none, 1 to 3, plus 4)
  uint8_t STRIPALPHA = 0;     // the explorer drops a picture's alpha channel
  uint8_t BACKGROUND = 0;     // 2 "Dune Prime", else "Dune Center"
};
extern Guarded<SETTINGSGROUP> ST;

// Media totals of the media list: the media of each type (MFQ's MTYPE) and their bytes, and
// the disk holding them.
struct MEDIATOTALS {
  int32_t CNTBD = 0;  // BD-Rips
  int32_t CNTDD = 0;  // DVD-Rips
  int32_t CNTMF = 0;  // video files
  int32_t CNTAF = 0;  // music files
  int32_t CNTUF = 0;  // media of unknown type
  int32_t CNTTF = 0;  // all of them
  double TOTMSIZE = 0;  // bytes of the video files
  double TOTASIZE = 0;  // of the music files
  double TOTBSIZE = 0;  // of the BD-Rips
  double TOTVSIZE = 0;  // of the DVD-Rips
  double TOTUSIZE = 0;  // of the unknown
  double TOTTSIZE = 0;  // of all
  double DISKT = 0;  // the disk's bytes, 0 while no medium is listed
  double DISKU = 0;  // its bytes in use
  double DISKF = 0;  // its bytes free for the user
};
extern MEDIATOTALS MFSIZE;

// Processing options, 0 or 1, bound to the main window's check boxes. DEEPSCAN is not stored.
extern uint8_t DEEPSCAN, RMC, DOICCONV, AUTOICRESIZE, DOBGCONV, AUTOBGRESIZE, DELSCRIPT, UPDSCRIPT;
extern uint8_t PROCESSV, DOINDEXV, REMEMPTYV, PROCESSA, DOINDEXA, REMEMPTYA;

// Coordination flags.
extern std::atomic<uint8_t> ABORTALL;    // the main window is closing; never cleared again
extern std::atomic<uint8_t> EXPRUNNING;  // the explorer thread runs
extern std::atomic<uint32_t> EXPTHREAD;  // its thread number, 0: none
extern std::atomic<uint8_t> T1RUNNING;   // the scan runs
extern std::atomic<uint8_t> T1ABORT;     // stop the scan
extern std::atomic<uint8_t> T2RUNNING;   // the processing pass runs
extern std::atomic<uint8_t> T2ABORT;     // stop the pass
// A job's end as the job marks it, besides posting its event: the main window reads it on
// its timer, so an end event another window took is never waited for.
extern std::atomic<uint8_t> T1ENDED;
extern std::atomic<uint8_t> T2ENDED;

// Thread parameters of the scan (T1GROUPF) and of the pass (T2GROUPF), passed to the job's
// thread as their bytes.
extern zq::rt::Record T1GROUP;
extern zq::rt::Record T2GROUP;

// A job's end: marks T1ENDED (event kScanEnded) or T2ENDED (kPassEnded), then posts the event
// to thread.
void POSTJOBEND(int32_t event, uint32_t thread);

// Runs a job's work on the calling thread and posts its end (POSTJOBEND) from a guard, as the
// work returns or as an exception leaves it, so the main window never waits for a job that has
// gone. Every job runs its work through this call.
void RUNJOB(int32_t event, uint32_t thread, const std::function<void()>& work);
// Called by RUNJOB before the work, when set (never in the program): a test's way to throw
// inside a job.
extern std::function<void(int32_t event)> JOBTESTHOOK;

extern std::atomic<uint32_t> MWTHREAD;  // the main window's thread
extern std::atomic<HWND> MWHANDLE;      // the main window, owner of the error dialogs
extern std::atomic<HWND> LWHANDLE;      // the media-list window

// Paths and positions.
extern std::string INIPATH;  // the folder current at start-up, ending with "\"
extern Guarded<std::string> ROOTDIR;  // the media root
extern Guarded<std::string> RPPATH;   // the explorer's right panel folder
extern Guarded<std::string> LPPATH;   // and its left one
// The longest folder a panel holds, in bytes: the settings file keeps it whole.
constexpr size_t kLongestPanelPath = 1023;
extern std::string MWPOS;    // main window position "x,y,width,height"
extern std::string EWPOS;    // explorer window position
extern WINPOSCLASS MWWINPOS;

// Back to the state of a fresh start: queues emptied, ST and every option, flag, path and
// handle 0 or empty, the two groups cleared. For tests of a second start in one process.
void RESETSTATE();
