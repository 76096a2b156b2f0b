// Lazy mode: the explorer's right panel steps through the scanned media folders.
#pragma once
#include <cstdint>

// -99 starts lazy mode (its options, a new list of folders, the first one), -1 steps to the
// previous folder, 1 to the next; 1 when a step was made, else 0.
int16_t SETDESTDIR(int32_t direction);
