// A spell checker handle for tests: made on construction, destroyed with the object;
// texts pass as (length, pointer) exactly as a host passes them.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "zqtest/HostCalls.h"
#include "zqvantor/spell.h"

namespace spelltest {

using zqtest::Len;

class Checker {
 public:
  Checker() : handle_(SPCreate()) {}
  ~Checker() { SPDestroy(handle_); }
  Checker(const Checker&) = delete;
  Checker& operator=(const Checker&) = delete;

  int32_t handle() const { return handle_; }

  int32_t Init(std::string_view aff, std::string_view dic, std::string_view key = {}) const {
    return SPInit(handle_, Len(aff), aff.data(), Len(dic), dic.data(), Len(key), key.data());
  }
  int32_t AddDict(std::string_view dic) const { return SPAddDict(handle_, Len(dic), dic.data(), 0, nullptr); }
  int32_t Check(std::string_view w) const { return SPCheck(handle_, Len(w), w.data()); }
  int32_t Add(std::string_view w) const { return SPAdd(handle_, Len(w), w.data()); }
  int32_t AddAffix(std::string_view w, std::string_view ex) const {
    return SPAddAffix(handle_, Len(w), w.data(), Len(ex), ex.data());
  }
  int32_t Remove(std::string_view w) const { return SPRemove(handle_, Len(w), w.data()); }
  // The suggestions as the host sees them: the BSTR's bytes, freed.
  std::string Suggest(std::string_view w) const {
    return zqtest::TakeBstr(SPSuggest(handle_, Len(w), w.data()));
  }

 private:
  int32_t handle_;
};

// True when word is one of the "|"-joined suggestions.
inline bool Suggests(const std::string& joined, std::string_view word) {
  std::string_view rest = joined;
  while (true) {
    std::size_t bar = rest.find('|');
    if (rest.substr(0, bar) == word) return true;
    if (bar == std::string_view::npos) return false;
    rest.remove_prefix(bar + 1);
  }
}

}  // namespace spelltest
