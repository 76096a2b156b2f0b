// The folder-file editor of the explorer.
#pragma once
#include <cstdint>

#include "app/Explorer.h"
#include "zqplatform/messages.h"

// Edits the "dune_folder.txt" at the row of the panel in a form owned by the explorer window
// (owner) and laid over the other panel's list (otherList, its window handle); other entries
// are left alone.
void VIEWDF(const ExplorerPanel& panel, int32_t row, HWND owner, HWND otherList);
