// Starting the explorer's thread once.
#include "app/Explorer.h"
#include "app/MainWindow.h"
#include "app/State.h"
#include "hostlib/Dialogs.h"
#include "zqruntime/threads.h"

void STARTEXPLORER() {
  uint8_t idle = 0;
  if (!EXPRUNNING.compare_exchange_strong(idle, 1)) {
    MBOX("Orvid Explorer is already Running !", 0, 0, 0);
    return;
  }
  uint32_t thread = zq::rt::StartThread(DUNECOMMANDER);
  if (thread == 0) {
    EXPRUNNING = 0;
    return;
  }
  EXPTHREAD = thread;
  // An explorer that already ended has cleared its flag: its number is not kept.
  if (!EXPRUNNING) EXPTHREAD = 0;
}
