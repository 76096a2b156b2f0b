// Stand-ins of the windows still to come: each says that it is still to come.
#include "app/Explorer.h"
#include "app/MediaList.h"
#include "app/SettingsWindow.h"
#include "app/State.h"
#include "hostlib/Dialogs.h"

void SHOWLOG() { MBOX("The media list comes with a later version of Orvid.", 3000, 0, MWHANDLE); }

void SETTINGS() { MBOX("The settings window comes with a later version of Orvid.", 3000, 0, MWHANDLE); }

void DUNECOMMANDER(std::string_view) {
  MBOX("The explorer comes with a later version of Orvid.", 3000, 0, 0);
  EXPTHREAD = 0;
  EXPRUNNING = 0;
}
