// The media list as the text of its CSV file, both ways, without the file dialogs and files.
#pragma once
#include <string>
#include <string_view>

namespace medialist {

// The whole file: header, one line per record of MFQ with progress, two empty lines, the
// totals. MFSIZE is counted from the same records on the way.
std::string ListText();

// MFQ and MFSIZE from a file's text: the header skipped, records up to the first line whose
// first value is empty, empty lines skipped, then the totals.
void ReadList(std::string_view text);

}  // namespace medialist
