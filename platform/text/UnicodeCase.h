// Simple case mapping of Unicode code points (no change for a code point without one).
#pragma once

namespace zq::text {

char32_t UnicodeUpper(char32_t cp);
char32_t UnicodeLower(char32_t cp);

}  // namespace zq::text
