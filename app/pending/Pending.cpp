// Stand-ins of the windows still to come: each says that it is still to come.
#include "app/MediaList.h"
#include "app/State.h"
#include "hostlib/Dialogs.h"

void SHOWLOG() { MBOX("The media list comes with a later version of Orvid.", 3000, 0, MWHANDLE); }

