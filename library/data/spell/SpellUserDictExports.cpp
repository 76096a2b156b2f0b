// The SP exports of the user-word file.
#include "data/spell/SpellCodes.h"
#include "data/spell/SpellExport.h"
#include "frame/Exports.h"
#include "zqvantor/spell.h"

using namespace zqv::spell;

ZQV_API int32_t SPLoadUserDict(int32_t handle, int32_t pathLen, const char* path) {
  return zqv::Export<int32_t>(kTextMissing, [&] {
    return OnChecker(handle, [&](ZQSpellDoc& doc) {
      std::string_view name = zqv::HostText(pathLen, path);
      return Missing(name) ? kTextMissing : doc.LoadUserDict(name);
    });
  });
}

ZQV_API int32_t SPSaveUserDict(int32_t handle, int32_t pathLen, const char* path) {
  return zqv::Export<int32_t>(kTextMissing, [&] {
    return OnChecker(handle, [&](ZQSpellDoc& doc) {
      std::string_view name = zqv::HostText(pathLen, path);
      return Missing(name) ? kTextMissing : doc.SaveUserDict(name);
    });
  });
}
