// The user-word file: read and written whole, in the array file format, with the file
// object's open form for data files (read and write, no sharing, open always, write-through).
#include <hunspell.hxx>

#include "data/spell/SpellCodes.h"
#include "data/spell/ZQSpellDoc.h"
#include "frame/Exports.h"

using namespace zqv::spell;

namespace {
constexpr uint32_t kReadWrite = 0xC0000000;
constexpr uint32_t kNoSharing = 0;
constexpr uint32_t kOpenAlways = 4;
constexpr uint32_t kNormalWriteThrough = 0x80000080;
}  // namespace

int32_t ZQSpellDoc::LoadUserDict(std::string_view path) {
  if (!ready_) return kNotBuilt;
  std::string name(zqv::ToNul(path));
  int32_t read = userWords_.ReadFromFile(name.c_str(), 0, 0, kReadWrite, kNoSharing, kOpenAlways,
                                         kNormalWriteThrough);
  if (read < 1) return read;
  for (int32_t field = 1; field <= userWords_.FieldCount(); ++field) {
    std::string word(userWords_.Get(field, 1, 0));
    if (word.empty()) continue;
    std::string example(userWords_.Get(field, 2, 0));
    // Hunspell's answers are ignored: a word it refuses stays in the list.
    if (example.empty())
      checker_->add(word);
    else
      checker_->add_with_affix(word, example);
  }
  return read;
}

int32_t ZQSpellDoc::SaveUserDict(std::string_view path) {
  if (!ready_) return kNotBuilt;
  std::string name(zqv::ToNul(path));
  return userWords_.WriteToFile(name.c_str(), 0, 0, kReadWrite, kNoSharing, kOpenAlways,
                                kNormalWriteThrough);
}
