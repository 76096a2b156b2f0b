// Display pictures and number texts, independent of the process locale.
//
// Number pictures: "@N" [fill] width [grouping] [decimal places] ["B"] ["@"]
//   fill      "_" blanks (also when absent) or "0" zeros before the number;
//   width     the number of characters; the number is right-aligned in it, and a number that
//             does not fit shows as width "#" characters;
//   grouping  ".", "," or "-" between groups of three digits (a mark followed by a digit is
//             the decimal mark instead);
//   decimals  a decimal mark ("." or ",") and the number of places, rounded half away from 0;
//   "B"       blank (width blanks) when the value is 0.
//   "@N_16.B@": up to 16 characters with "." between groups of three digits, blank when 0;
//   "@N_10,.2": ten characters, "," between groups of three, two decimals: "  1,023.00".
// Time picture: "@T" — hh:mm:ss of a number of hundredths of a second, as a time of day.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace zq::rt {

// A whole number in plain decimal: no leading zeros or blanks.
std::string WholeText(int64_t value);
// A real with at most 15 significant digits, in plain decimal, without trailing zeros and
// without a trailing decimal point ("1.5", "0", "100000000000000000000").
std::string RealText(double value);

// value formatted by a picture; an unknown picture gives the value's plain text.
std::string FormatPicture(std::string_view picture, double value);
// Whether FormatPicture knows the picture (a number or a time picture).
bool IsValuePicture(std::string_view picture);

// "hh:mm:ss" of a count of hundredths of a second, as a time of day (hours wrap at 24).
std::string TimeOfHundredths(int64_t hundredths);

}  // namespace zq::rt
