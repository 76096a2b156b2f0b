// The processing pass.
#pragma once
#include <string_view>

// The processing thread: group holds the bytes of T2GROUP (the folder queue and the thread to
// notify). Ends with POSTJOBEND(kPassEnded, THREADNR), whatever the outcome.
void WRITESCRIPTTH(std::string_view group);
