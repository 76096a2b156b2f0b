/* ZQ_Vantor: every export of the library, for host programs. */
#ifndef ZQ_VANTOR_H
#define ZQ_VANTOR_H

#include "zqvantor/common.h"
#include "zqvantor/frame.h"
#include "zqvantor/strings.h"
#include "zqvantor/cla.h"
#include "zqvantor/arrays.h"
#include "zqvantor/files.h"
#include "zqvantor/timers.h"
#include "zqvantor/tray.h"
#include "zqvantor/windows.h"
#include "zqvantor/system.h"
#include "zqvantor/data.h"
#include "zqvantor/spell.h"

#endif
