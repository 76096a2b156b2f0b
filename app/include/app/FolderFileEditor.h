// The folder-file editor of the explorer.
#pragma once
#include <cstdint>

#include "zqplatform/messages.h"

// Edits the "dune_folder.txt" at the row of the side's panel (0 left, 1 right) in a form laid
// over the other panel's list (otherList, its window handle); other entries are left alone.
void VIEWDF(uint8_t side, int32_t row, HWND otherList);
