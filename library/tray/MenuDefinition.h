// The tray's popup-menu definition: items separated by "|", each "text;number".
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "zqplatform/uimodel.h"

namespace zqv {

// The entries the definition gives: separators (a text starting with "-"), and the other
// items whose number is 1024 or more; the rest are left out.
std::vector<zq::ui::MenuItem> ReadMenuDefinition(std::string_view definition);

}  // namespace zqv
