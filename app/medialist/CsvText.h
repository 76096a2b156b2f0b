// The pieces of the media list's CSV text: its fixed lines, the quoting of values, the split
// of a text into lines and of a line into values, the file name's extension and the kind a
// type text names.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/Records.h"

namespace medialist {

inline constexpr std::string_view kHeader = "Path;Folder;MediaName;Combined;Extension;Category;Type;Size;R-Size";
inline constexpr std::string_view kLineEnd = "\r\n";
// Every total line starts with nine ";", so its label is the 10th value.
inline constexpr std::string_view kTotalLead = ";;;;;;;;;";
inline constexpr std::array<std::string_view, 8> kTotalLabels = {
    "Total BD-Rip",     "Total DVD-Rip",    "Total MediaFile",  "Total MusicFile",
    "Total Unknown",    "Total Disk Space", "Used  Disk Space", "Free  Disk Space"};
// Where a total line holds its number and its second value (from 0).
inline constexpr size_t kTotalNumber = 10;
inline constexpr size_t kTotalSecond = 11;

// Appends a value as the file holds it: in double quotes with each inner quote doubled when
// it holds ";" or a double quote, else as it is.
void AppendValue(std::string& line, std::string_view value);

// The values of a line, split at each ";" outside double quotes. A value that starts with a
// double quote is read up to its closing quote, a doubled quote inside standing for one; any
// other value is taken as it is, quotes included.
std::vector<std::string> SplitValues(std::string_view line);

// The name with ".csv" appended, unless its extension is "CSV" in any letter case.
std::string WithCsvExtension(std::string_view name);

// The MTYPE of a kind text without its trailing blanks (MediumTypeOfText).
MediumType KindOfType(std::string_view type);

}  // namespace medialist
