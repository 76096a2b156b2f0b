// The fixed US-English user locale of the date type: formatting and parsing.
#pragma once
#include <string>
#include <string_view>

#include "zqplatform/oledate.h"

namespace zq::db {

// "3/14/2009 10:20:30 AM"; the date alone at midnight; the time alone on 30 December 1899.
std::string FormatUsDate(const SYSTEMTIME& st);
// False when the text is not a date, a time or both.
bool ParseUsDate(std::string_view text, DATE& out);

}  // namespace zq::db
