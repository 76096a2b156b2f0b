// The program's window definitions, built into the program: the text of a definition by its
// name ("ErrorDialog", "MessageDialog", "TextBox"); empty for an unknown name.
#pragma once
#include <string_view>

namespace orvid::res {

std::string_view WindowText(std::string_view name);

}  // namespace orvid::res
