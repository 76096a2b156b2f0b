/* The library frame. */
#ifndef ZQVANTOR_FRAME_H
#define ZQVANTOR_FRAME_H

#include "zqvantor/common.h"

/* Enters and leaves the library's module state; does nothing else. */
ZQV_API void KVRTest(int32_t ignored);

#endif
