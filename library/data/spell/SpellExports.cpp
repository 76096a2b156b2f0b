// The SP exports of checking and the run-time dictionary.
#include "data/spell/SpellCodes.h"
#include "data/spell/SpellExport.h"
#include "frame/Exports.h"
#include "zqvantor/spell.h"

using namespace zqv::spell;

ZQV_API int32_t SPCreate(void) {
  return zqv::Export<int32_t>(zqv::kNoFreeHandle, [] { return ZQSpell::Of().Create(); });
}

ZQV_API int32_t SPDestroy(int32_t handle) {
  return zqv::Export<int32_t>(kTextMissing, [&] { return ZQSpell::Of().Destroy(handle); });
}

ZQV_API int32_t SPInit(int32_t handle, int32_t affLen, const char* aff, int32_t dicLen,
                       const char* dic, int32_t keyLen, const char* key) {
  return zqv::Export<int32_t>(kMakeFailed, [&] {
    return OnChecker(handle, [&](ZQSpellDoc& doc) {
      std::string_view affPath = zqv::HostText(affLen, aff);
      std::string_view dicPath = zqv::HostText(dicLen, dic);
      if (Missing(affPath)) return kTextMissing;
      if (Missing(dicPath)) return kNoDictionaryPath;
      return doc.Init(affPath, dicPath, zqv::HostText(keyLen, key));
    });
  });
}

ZQV_API int32_t SPAddDict(int32_t handle, int32_t dicLen, const char* dic, int32_t keyLen,
                          const char* key) {
  return zqv::Export<int32_t>(kDictionaryRefused, [&] {
    return OnChecker(handle, [&](ZQSpellDoc& doc) {
      std::string_view dicPath = zqv::HostText(dicLen, dic);
      if (Missing(dicPath)) return kTextMissing;
      return doc.AddDict(dicPath, zqv::HostText(keyLen, key));
    });
  });
}

ZQV_API int32_t SPCheck(int32_t handle, int32_t wordLen, const char* word) {
  return OnCheckerWithText(kTextMissing, handle, wordLen, word,
                           [](ZQSpellDoc& doc, std::string_view text) { return doc.Check(text); });
}

ZQV_API BSTR SPSuggest(int32_t handle, int32_t wordLen, const char* word) {
  return zqv::ExportText(nullptr, [&] {
    int32_t code = 0;
    ZQSpellDoc* doc = ZQSpell::Of().Lookup(handle, &code);
    std::string_view text = zqv::HostText(wordLen, word);
    if (!doc || Missing(text)) return zqv::EmptyResult();
    return zqv::TextResult(doc->Suggest(text));
  });
}

ZQV_API int32_t SPAdd(int32_t handle, int32_t wordLen, const char* word) {
  return OnCheckerWithText(kAddRefused, handle, wordLen, word,
                           [](ZQSpellDoc& doc, std::string_view text) { return doc.Add(text); });
}

ZQV_API int32_t SPAddAffix(int32_t handle, int32_t wordLen, const char* word, int32_t exampleLen,
                           const char* example) {
  return zqv::Export<int32_t>(kAddAffixRefused, [&] {
    return OnChecker(handle, [&](ZQSpellDoc& doc) {
      std::string_view text = zqv::HostText(wordLen, word);
      std::string_view model = zqv::HostText(exampleLen, example);
      if (Missing(text) || Missing(model)) return kTextMissing;
      return doc.AddAffix(text, model);
    });
  });
}

ZQV_API int32_t SPRemove(int32_t handle, int32_t wordLen, const char* word) {
  return OnCheckerWithText(kRemoveRefused, handle, wordLen, word,
                           [](ZQSpellDoc& doc, std::string_view text) { return doc.Remove(text); });
}
