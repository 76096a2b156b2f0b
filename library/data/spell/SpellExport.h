// What the SP exports share: the handle is looked up first, then the texts are tested.
#pragma once
#include <cstdint>
#include <string_view>

#include "data/spell/SpellCodes.h"
#include "data/spell/ZQSpell.h"
#include "frame/Exports.h"

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

// An export of body(doc, text) on the checker under the handle and one required text: a bad
// handle gives the look-up's code, then a missing text kTextMissing, an exception onFailure.
template <class Body>
int32_t OnCheckerWithText(int32_t onFailure, int32_t handle, int32_t len, const char* text, Body&& body) {
  return zqv::Export<int32_t>(onFailure, [&] {
    return OnChecker(handle, [&](ZQSpellDoc& doc) {
      std::string_view given = zqv::HostText(len, text);
      return Missing(given) ? kTextMissing : body(doc, given);
    });
  });
}

}  // namespace zqv::spell
