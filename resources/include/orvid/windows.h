// The program's window definitions, built into the program: the text of a definition by its
// name ("ErrorDialog", "MessageDialog", "TextBox"), empty for an unknown name, and every name.
// The numbers of their named controls come with the generated header "orvid/controlnumbers.h"
// (orvid::res::ErrorDialog::Message).
#pragma once
#include <string_view>
#include <vector>

namespace orvid::res {

std::string_view WindowText(std::string_view name);
std::vector<std::string_view> WindowNames();

}  // namespace orvid::res
