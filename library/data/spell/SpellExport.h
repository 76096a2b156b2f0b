// What the SP exports share: the handle is looked up first, then the texts are tested.
#pragma once
#include <cstdint>
#include <string_view>

#include "data/spell/ZQSpell.h"

namespace zqv::spell {

// Runs body(doc) on the checker under the handle, or gives the look-up's code (-2, -3).
template <class Body>
int32_t OnChecker(int32_t handle, Body&& body) {
  int32_t code = 0;
  ZQSpellDoc* doc = ZQSpell::Of().Lookup(handle, &code);
  return doc ? body(*doc) : code;
}

// A required text is missing when its pointer is null or its length 0 or less.
inline bool Missing(std::string_view text) { return text.empty(); }

}  // namespace zqv::spell
