/* ZQ_Vantor: every export of the library, for host programs. */
#ifndef ZQ_VANTOR_H
#define ZQ_VANTOR_H

#include "zqvantor/common.h"
#include "zqvantor/frame.h"
#include "zqvantor/strings.h"

#endif
