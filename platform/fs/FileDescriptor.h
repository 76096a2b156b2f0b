// The descriptor behind a file handle, for calls of the layer that work on both.
#pragma once
#include "zqplatform/handles.h"

namespace zq::fs {

// -1 when the handle is not an open file. Valid while the handle stays open.
int DescriptorOf(HANDLE h);

}  // namespace zq::fs
