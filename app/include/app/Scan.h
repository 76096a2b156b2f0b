// The folder scan.
#pragma once
#include <string_view>

// The scan thread: group holds the bytes of T1GROUP (the root to scan and the thread to
// notify). Ends with POSTJOBEND(kScanEnded, THREADNR).
void SCANDIRTH(std::string_view group);
