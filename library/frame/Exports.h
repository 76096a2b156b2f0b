// What every export shares: the module-state switch, reading host strings, string results,
// and never letting a C++ exception cross the interface.
#pragma once
#include <cstdint>
#include <exception>
#include <string_view>

#include "frame/ModuleState.h"
#include "zqplatform/oleauto.h"
#include "zqvantor/common.h"

namespace zqv {

// The empty text: what a null text pointer reads as.
inline constexpr char kEmptyText[1] = {0};

// What every family answers when memory is exhausted.
inline constexpr int32_t kMemoryExhausted = -1;

// Puts code into the host's code word, when the host gave one.
inline void SetCode(int32_t* word, int32_t code) {
  if (word) *word = code;
}

// A host's character argument: its low byte.
inline char Byte(int32_t ch) { return static_cast<char>(ch & 0xFF); }
// An ASCII letter in upper case; every other byte as it is.
inline char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 0x20) : c; }

// A host string (length, pointer): a null pointer, or a length of 0 or less, is the empty text.
std::string_view HostText(int32_t len, const char* text);
// The same with the count rule: a count above 0 and below the length takes the first count bytes.
std::string_view HostText(int32_t len, const char* text, int32_t count);
// A NUL-terminated text; a null pointer is the empty text.
std::string_view CText(const char* text);
// A text up to its first NUL byte.
std::string_view ToNul(std::string_view text);

// A new BSTR from ANSI bytes (exact length). Throws std::bad_alloc when it cannot be made,
// so the export's frame answers with an empty BSTR and kMemoryExhausted in the code word.
BSTR TextResult(std::string_view bytes);
// The result of a failed call: an empty BSTR made from the library's empty string. Never
// throws; null only when not even an empty string can be allocated.
BSTR EmptyResult() noexcept;
// A failed text call: the code goes into the code word, the result is empty.
BSTR Fail(int32_t* err, int32_t code) noexcept;

// Runs an export's body in the library's module state. An exception (exhausted memory, a
// broken invariant) ends the call with onFailure instead of crossing into the host.
template <class R, class Body>
R Export(R onFailure, Body&& body) noexcept {
  ModuleStateGuard state;
  try {
    return body();
  } catch (...) {
    return onFailure;
  }
}

// Runs a text export's body; an exception gives an empty BSTR with kMemoryExhausted in the
// code word.
template <class Body>
BSTR ExportText(int32_t* err, Body&& body) noexcept {
  ModuleStateGuard state;
  SetCode(err, 0);
  try {
    return body();
  } catch (...) {
    return Fail(err, kMemoryExhausted);
  }
}

}  // namespace zqv
