// Hunspell's flat function interface under hunspell's own names, over its checker class.
// A handle is a checker of this interface (not one of libhunspell's own C handles); lists are
// malloc'd as hunspell's are. These never call the C functions of the same names, and the
// shared library binds its own definitions locally, so neither side can loop into the other.
// No module-state switch. Null arguments and exhausted memory give null, 0 (1 for a refused
// change) or an empty list instead of a crash; so does an affix file that declares UTF-8 but
// is not valid UTF-8, on which hunspell reads past its buffers.
#include <hunspell.hxx>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "data/spell/DictionaryFiles.h"
#include "zqvantor/spell.h"

namespace {

Hunspell* Checker(Hunhandle* handle) { return reinterpret_cast<Hunspell*>(handle); }

// A list as hunspell hands it out: malloc'd array of malloc'd texts, null when empty.
int ToList(const std::vector<std::string>& items, char*** slst) {
  *slst = nullptr;
  if (items.empty()) return 0;
  auto* list = static_cast<char**>(std::malloc(items.size() * sizeof(char*)));
  if (!list) return 0;
  for (std::size_t i = 0; i < items.size(); ++i) {
    list[i] = static_cast<char*>(std::malloc(items[i].size() + 1));
    if (!list[i]) {
      while (i > 0) std::free(list[--i]);
      std::free(list);
      return 0;
    }
    std::memcpy(list[i], items[i].c_str(), items[i].size() + 1);
  }
  *slst = list;
  return static_cast<int>(items.size());
}

template <class Fn>
int ListCall(Hunhandle* handle, char*** slst, bool argsGiven, Fn&& fn) noexcept {
  if (!slst) return 0;
  *slst = nullptr;
  if (!handle || !argsGiven) return 0;
  try {
    return ToList(fn(*Checker(handle)), slst);
  } catch (...) {
    return 0;
  }
}

// failed: what the call gives when it cannot run (0 = wrong word; 1 = refused change).
template <class Fn>
int WordCall(Hunhandle* handle, bool argsGiven, int failed, Fn&& fn) noexcept {
  if (!handle || !argsGiven) return failed;
  try {
    return fn(*Checker(handle));
  } catch (...) {
    return failed;
  }
}

Hunhandle* Make(const char* affpath, const char* dpath, const char* key) noexcept {
  if (!affpath || !dpath) return nullptr;
  try {
    if (!zqv::spell::AffixUsable(affpath)) return nullptr;
    return reinterpret_cast<Hunhandle*>(new Hunspell(affpath, dpath, key));
  } catch (...) {
    return nullptr;
  }
}

}  // namespace

ZQV_API Hunhandle* Hunspell_create(const char* affpath, const char* dpath) {
  return Make(affpath, dpath, nullptr);
}

ZQV_API Hunhandle* Hunspell_create_key(const char* affpath, const char* dpath, const char* key) {
  return Make(affpath, dpath, key);
}

ZQV_API void Hunspell_destroy(Hunhandle* pHunspell) { delete Checker(pHunspell); }

ZQV_API int Hunspell_spell(Hunhandle* pHunspell, const char* word) {
  return WordCall(pHunspell, word, 0, [&](Hunspell& h) { return h.spell(std::string(word)) ? 1 : 0; });
}

ZQV_API char* Hunspell_get_dic_encoding(Hunhandle* pHunspell) {
  return pHunspell ? Checker(pHunspell)->get_dic_encoding() : nullptr;
}

ZQV_API int Hunspell_suggest(Hunhandle* pHunspell, char*** slst, const char* word) {
  return ListCall(pHunspell, slst, word, [&](Hunspell& h) { return h.suggest(std::string(word)); });
}

ZQV_API int Hunspell_analyze(Hunhandle* pHunspell, char*** slst, const char* word) {
  return ListCall(pHunspell, slst, word, [&](Hunspell& h) { return h.analyze(std::string(word)); });
}

ZQV_API int Hunspell_stem(Hunhandle* pHunspell, char*** slst, const char* word) {
  return ListCall(pHunspell, slst, word, [&](Hunspell& h) { return h.stem(std::string(word)); });
}

ZQV_API int Hunspell_generate(Hunhandle* pHunspell, char*** slst, const char* word,
                              const char* word2) {
  return ListCall(pHunspell, slst, word && word2,
                  [&](Hunspell& h) { return h.generate(std::string(word), std::string(word2)); });
}

ZQV_API int Hunspell_add(Hunhandle* pHunspell, const char* word) {
  return WordCall(pHunspell, word, 1, [&](Hunspell& h) { return h.add(std::string(word)); });
}

ZQV_API int Hunspell_add_with_affix(Hunhandle* pHunspell, const char* word, const char* example) {
  return WordCall(pHunspell, word && example, 1, [&](Hunspell& h) {
    return h.add_with_affix(std::string(word), std::string(example));
  });
}

ZQV_API int Hunspell_remove(Hunhandle* pHunspell, const char* word) {
  return WordCall(pHunspell, word, 1, [&](Hunspell& h) { return h.remove(std::string(word)); });
}

ZQV_API void Hunspell_free_list(Hunhandle*, char*** slst, int n) {
  if (!slst || !*slst) return;
  for (int i = 0; i < n; ++i) std::free((*slst)[i]);
  std::free(*slst);
  *slst = nullptr;
}
