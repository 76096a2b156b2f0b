// DUNECOMMANDER: the explorer object on the explorer thread, and the folder the main window
// sends it.
#include <mutex>
#include <utility>

#include "ExplorerWindow.h"
#include "app/Explorer.h"
#include "app/MainWindow.h"
#include "app/Records.h"
#include "app/State.h"
#include "app/Events.h"
#include "zqruntime/window.h"

namespace {

std::mutex shownLock;
std::string shownFolder;

std::atomic<Explorer*> openExplorer{nullptr};

// Clears EXPTHREAD, then EXPRUNNING when the loop ends, however it ends.
struct RunningFlags {
  ~RunningFlags() {
    EXPTHREAD = 0;
    EXPRUNNING = 0;
  }
};

// Makes the explorer the open one while it lives.
struct OpenWhile {
  explicit OpenWhile(Explorer& explorer) { openExplorer = &explorer; }
  ~OpenWhile() { openExplorer = nullptr; }
};

}  // namespace

Explorer::Explorer() : left_(LPPATH), right_(RPPATH), drives_(SharedLayout(QDRIVEF.Layout())) {}

Explorer* OPENEXPLORER() { return openExplorer; }

void DUNECOMMANDER(std::string_view) {
  Explorer explorer;
  ExplorerWindow window(explorer);
  {
    RunningFlags flags;
    OpenWhile open(explorer);
    window.Run();
  }
  window.Close();
}

void SHOWINEXPLORER(std::string_view folder) {
  if (EXPRUNNING) {
    {
      std::lock_guard<std::mutex> hold(shownLock);
      shownFolder = folder;
    }
    if (const uint32_t thread = EXPTHREAD; thread != 0) zq::rt::Post(kShowInExplorer, 0, thread);
    return;
  }
  RPPATH.Set(std::string(folder));
  STARTEXPLORER();
}

std::string TAKESHOWNFOLDER() {
  std::lock_guard<std::mutex> hold(shownLock);
  return std::exchange(shownFolder, {});
}
