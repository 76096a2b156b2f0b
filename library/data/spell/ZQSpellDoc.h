// One spell checker: a hunspell checker built once from an affix and a dictionary file,
// further dictionaries, and the list of the user's own words.
// Words and examples reach hunspell as the caller's bytes, up to their first NUL byte.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "arrays/RevArray.h"

class Hunspell;
class ZQSpell;

class ZQSpellDoc {
 public:
  explicit ZQSpellDoc(ZQSpell* registry);
  virtual ~ZQSpellDoc();
  ZQSpellDoc(const ZQSpellDoc&) = delete;
  ZQSpellDoc& operator=(const ZQSpellDoc&) = delete;

  ZQSpell& Owner() const { return *registry_; }
  bool Ready() const { return ready_; }

  // 0, -11 when already built, -12 when no checker could be made. An empty key is no key.
  int32_t Init(std::string_view affPath, std::string_view dicPath, std::string_view key);
  // 0, -10, -13.
  int32_t AddDict(std::string_view dicPath, std::string_view key);
  // 1 correct, 0 wrong, -10.
  int32_t Check(std::string_view word);
  // The suggestions joined by "|"; empty when none or not built.
  std::string Suggest(std::string_view word);
  // 0, -10, -14 / -15 / -16. Added words join the user-word list; removed ones stay in it.
  // A word or example holding 0xFE or 0xFD (the user-word file's separators) is refused.
  int32_t Add(std::string_view word);
  int32_t AddAffix(std::string_view word, std::string_view example);
  int32_t Remove(std::string_view word);

  // The user-word file (the user words in the array file format), through the file object.
  // Load: bytes read, or the array read's negative code (list and checker then unchanged);
  // the file's words replace the list and are added to the checker. Save: bytes written (0 for
  // an empty list, which leaves the file as it was), or the array write's code. Both -10.
  int32_t LoadUserDict(std::string_view path);
  int32_t SaveUserDict(std::string_view path);

 private:
  ZQSpell* registry_;
  bool ready_ = false;
  std::unique_ptr<Hunspell> checker_;
  int dictionaries_ = 0;
  RevArray userWords_;  // one field per added word: value 1 the word, value 2 the example
};
