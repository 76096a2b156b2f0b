// The SP exports of the user-word file.
#include "data/spell/SpellCodes.h"
#include "data/spell/SpellExport.h"
#include "frame/Exports.h"
#include "zqvantor/spell.h"

using namespace zqv::spell;

ZQV_API int32_t SPLoadUserDict(int32_t handle, int32_t pathLen, const char* path) {
  return OnCheckerWithText(kTextMissing, handle, pathLen, path,
                           [](ZQSpellDoc& doc, std::string_view name) { return doc.LoadUserDict(name); });
}

ZQV_API int32_t SPSaveUserDict(int32_t handle, int32_t pathLen, const char* path) {
  return OnCheckerWithText(kTextMissing, handle, pathLen, path,
                           [](ZQSpellDoc& doc, std::string_view name) { return doc.SaveUserDict(name); });
}
