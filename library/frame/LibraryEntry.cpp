// Exports of the frame itself.
#include "frame/Exports.h"
#include "zqvantor/frame.h"

ZQV_API void KVRTest(int32_t) { zqv::ModuleStateGuard state; }
