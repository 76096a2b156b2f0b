// What the catalog's procedures share: the error dialog with its Abort-only button set and the
// folder files of the catalog and index folders.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "app/FolderFile.h"
#include "app/Helpers.h"
#include "app/State.h"
#include "app/Text.h"

namespace orvid::catalogs {

// An error of the catalogs: shown with Abort only, its answer not looked at, and put on the
// status line. False, for the callers that end on it.
bool Report(std::string_view message, std::string_view procedure, std::string_view details, int32_t code);
// How many errors this thread has reported so far, and the last one's message.
uint32_t ReportsMade();
const std::string& LastReported();

// A catalog or index folder's record: its icon and the layout's view fields.
DUNEFILE IndexRecord(std::string_view icon, const CATLAYOUT& layout);
// The catalog background box into the record, with its picture.
void AddBackground(DUNEFILE& record, std::string_view picture, const CATBACKGROUND& box);

}  // namespace orvid::catalogs
