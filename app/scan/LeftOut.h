// The scan's report of the entries it left out.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/Scan.h"

void CLEARLEFTOUT();
void LEAVEOUT(std::string_view folder, std::string_view name, LeftOutReason reason);

// The file in the program folder (INIPATH) that lists the entries the last scan left out.
inline constexpr std::string_view kLeftOutFile = "ScanLeftOut.txt";

// "1 entry", "2 entries".
std::string LEFTOUTCOUNT(size_t count);

// Replaces the left-out file by the list of entries, or removes it when there are none. The
// text (ANSI, every line ending in CR LF): a line with the count and the root, then one line
// per entry: its reason, a tab and its path, control characters written as their code in
// angle brackets ("<0A>"). 1 when done, else the negative result of the write.
int32_t WRITELEFTOUT(std::string_view root, const std::vector<LEFTOUTENTRY>& entries);
