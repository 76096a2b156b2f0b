// The spell checkers' own result codes (the registry's -1 to -3 come from the frame).
#pragma once
#include <cstdint>

namespace zqv::spell {

constexpr int32_t kDone = 0;
constexpr int32_t kTextMissing = -1;
constexpr int32_t kNoDictionaryPath = -2;
constexpr int32_t kNotBuilt = -10;
constexpr int32_t kAlreadyBuilt = -11;
constexpr int32_t kMakeFailed = -12;
constexpr int32_t kDictionaryRefused = -13;
constexpr int32_t kAddRefused = -14;
constexpr int32_t kAddAffixRefused = -15;
constexpr int32_t kRemoveRefused = -16;

// A checker holds at most this many dictionaries, the first included.
constexpr int kMaxDictionaries = 20;

}  // namespace zqv::spell
