// Case-blind texts: UTF-8 decoded to code points and lower-cased (a byte that starts no valid
// sequence stands for itself as 0xDC00 + byte, as the code-page conversion does).
#pragma once
#include <string>
#include <string_view>

namespace zq::wmi {

std::u32string Fold(std::string_view utf8);
// Negative, 0 or positive, comparing the folded code points.
int CompareNoCase(std::string_view a, std::string_view b);
inline bool EqualNoCase(std::string_view a, std::string_view b) { return CompareNoCase(a, b) == 0; }

}  // namespace zq::wmi
