// The program's window definitions, built into the program: the text of a definition by its
// name ("ErrorDialog", "MessageDialog", "TextBox"), empty for an unknown name, every name, and
// a definition parsed as the program's windows open with it.
// The numbers of their named controls come with the generated header "orvid/controlnumbers.h"
// (orvid::res::ErrorDialog::Message).
#pragma once
#include <string_view>
#include <vector>

#include "zqruntime/windef.h"

namespace orvid::res {

std::string_view WindowText(std::string_view name);
std::vector<std::string_view> WindowNames();
// The definition of that name; an empty one for an unknown name.
zq::rt::WindowDef WindowDefinition(std::string_view name);

}  // namespace orvid::res
