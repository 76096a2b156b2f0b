#include "orvid/windows.h"

namespace orvid::res {

zq::rt::WindowDef WindowDefinition(std::string_view name) {
  return zq::rt::ParseWindowDefinition(WindowText(name)).window.value_or(zq::rt::WindowDef{});
}

}  // namespace orvid::res
