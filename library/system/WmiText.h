// The texts of the WMI query's property values.
//
// A date-time (CIM type 101) arrives as "yyyymmddHHMMSS.ffffff" followed by the offset from UTC
// in minutes with its sign ("+060"). It is rewritten for reading: "-" between year, month and
// day, one blank between the date and the time, ":" between hour, minute and second, the point
// replaced by three blanks, every "*" (a part the source leaves open) and every "+" removed, so
// "20261210155512.000000+060" reads "2026-12-10 15:55:12   000000060" and a negative offset
// keeps its "-" ("...   000000-300"). A value of another form only loses its "*" and "+" and
// has each point replaced by three blanks.
#pragma once
#include <string>
#include <string_view>

#include "zqplatform/wmi.h"

namespace zqv {

// The readable form of a date-time text, as above.
std::string ReadableDateTime(std::string_view cim);

// The text of a property as read: empty when the read failed; "NULL" for VT_EMPTY and VT_NULL;
// a date-time rewritten; an array's elements each converted and joined by the subvalue mark
// 0xFC; anything else by the variant conversion to text, in the thread's ANSI code page. A
// value the conversion refuses gives the empty text.
std::string PropertyText(HRESULT readResult, const VARIANT& value, CIMTYPE type);

}  // namespace zqv
