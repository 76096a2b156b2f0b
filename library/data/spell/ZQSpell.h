// The spell-checker registry: checkers by handle (1 to 65534 given out, 1 to 65535 accepted).
// Its destruction deletes every checker still registered.
#pragma once
#include <cstdint>

#include "data/spell/ZQSpellDoc.h"
#include "frame/Registry.h"

class ZQSpell {
 public:
  ZQSpell() = default;
  virtual ~ZQSpell() = default;
  ZQSpell(const ZQSpell&) = delete;
  ZQSpell& operator=(const ZQSpell&) = delete;

  // The registry of the application object, made on first use.
  static ZQSpell& Of();

  int32_t Create() { return docs_.Create(this); }
  ZQSpellDoc* Lookup(int32_t handle, int32_t* code) { return docs_.Lookup(handle, code); }
  int32_t Destroy(int32_t handle) { return docs_.Destroy(handle); }

 private:
  zqv::Registry<ZQSpellDoc, zqv::kSpellRules> docs_;
};
