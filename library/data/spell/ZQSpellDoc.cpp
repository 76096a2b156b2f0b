#include "data/spell/ZQSpellDoc.h"

#include <hunspell.hxx>

#include "data/spell/DictionaryFiles.h"
#include "data/spell/SpellCodes.h"
#include "frame/Exports.h"

using namespace zqv::spell;

namespace {
std::string Word(std::string_view text) { return std::string(zqv::ToNul(text)); }

// The user-word file separates words by 0xFE and a word from its example by 0xFD, so a text
// holding either byte would be saved as other words; such a word is refused, not half-added.
bool Keepable(std::string_view text) {
  return text.find_first_of("\xFE\xFD") == std::string_view::npos;
}
}  // namespace

ZQSpellDoc::ZQSpellDoc(ZQSpell* registry) : registry_(registry) {}

ZQSpellDoc::~ZQSpellDoc() = default;

int32_t ZQSpellDoc::Init(std::string_view affPath, std::string_view dicPath, std::string_view key) {
  if (ready_) return kAlreadyBuilt;
  std::string aff = HunspellPath(affPath);
  std::string dic = HunspellPath(dicPath);
  // Hunspell makes a checker that knows no word from a file it cannot read, and reads past its
  // buffers on a broken UTF-8 affix file; refuse both instead.
  if (!Readable(aff) || !Readable(dic) || !AffixUsable(aff)) return kMakeFailed;
  std::string k = Word(key);
  checker_ = std::make_unique<Hunspell>(aff.c_str(), dic.c_str(), k.empty() ? nullptr : k.c_str());
  dictionaries_ = 1;
  ready_ = true;
  return kDone;
}

int32_t ZQSpellDoc::AddDict(std::string_view dicPath, std::string_view key) {
  if (!ready_) return kNotBuilt;
  std::string dic = HunspellPath(dicPath);
  if (dictionaries_ >= kMaxDictionaries || !Readable(dic)) return kDictionaryRefused;
  std::string k = Word(key);
  if (checker_->add_dic(dic.c_str(), k.empty() ? nullptr : k.c_str()) != 0) return kDictionaryRefused;
  ++dictionaries_;
  return kDone;
}

int32_t ZQSpellDoc::Check(std::string_view word) {
  if (!ready_) return kNotBuilt;
  return checker_->spell(Word(word)) ? 1 : 0;
}

std::string ZQSpellDoc::Suggest(std::string_view word) {
  std::string joined;
  if (!ready_) return joined;
  bool first = true;
  for (const std::string& suggestion : checker_->suggest(Word(word))) {
    if (!first) joined += '|';
    joined += suggestion;
    first = false;
  }
  return joined;
}

int32_t ZQSpellDoc::Add(std::string_view word) {
  if (!ready_) return kNotBuilt;
  std::string text = Word(word);
  if (!Keepable(text) || checker_->add(text) != 0) return kAddRefused;
  userWords_.Set(-1, 0, 0, text);
  return kDone;
}

int32_t ZQSpellDoc::AddAffix(std::string_view word, std::string_view example) {
  if (!ready_) return kNotBuilt;
  std::string text = Word(word);
  std::string model = Word(example);
  if (!Keepable(text) || !Keepable(model) || checker_->add_with_affix(text, model) != 0)
    return kAddAffixRefused;
  userWords_.Set(-1, 0, 0, text);
  userWords_.Set(userWords_.FieldCount(), 2, 0, model);
  return kDone;
}

int32_t ZQSpellDoc::Remove(std::string_view word) {
  if (!ready_) return kNotBuilt;
  if (checker_->remove(Word(word)) != 0) return kRemoveRefused;
  return kDone;
}
