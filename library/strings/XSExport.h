// How an XS export reaches its string object and answers a bad handle.
#pragma once
#include <algorithm>
#include <climits>
#include <cstdint>
#include <string_view>

#include "frame/CVantor.h"
#include "frame/Exports.h"
#include "strings/XSObject.h"

namespace zqv::xs {

constexpr int32_t kOutsideText = -5;
constexpr int32_t kNullFind = -7;
constexpr int32_t kWidthBelowOne = -8;
constexpr int32_t kSearchBadHandle = -99;
// The position XSFindWord gives for a bad handle.
constexpr int32_t kWordBadHandle = -2;

// An integer export without a code word: a bad handle gives the look-up code.
template <class Body>
int32_t OnString(int32_t h, Body&& body) {
  return Export(kMemoryExhausted, [&]() -> int32_t {
    int32_t code = 0;
    XSObject* s = CVantor::App().LookupString(h, &code);
    return s ? body(*s) : code;
  });
}

// A search export: a bad handle gives -99 with the look-up code in the code word.
template <class Body>
int32_t SearchString(int32_t h, int32_t* err, Body&& body) {
  return Export(kMemoryExhausted, [&]() -> int32_t {
    int32_t code = 0;
    SetCode(err, 0);
    XSObject* s = CVantor::App().LookupString(h, &code);
    if (!s) {
      SetCode(err, code);
      return kSearchBadHandle;
    }
    return body(*s);
  });
}

// A text export: the body's text becomes the BSTR; a bad handle gives an empty one with the
// look-up code in the code word.
template <class Body>
BSTR TextOfString(int32_t h, int32_t* err, Body&& body) {
  return ExportText(err, [&]() -> BSTR {
    int32_t code = 0;
    XSObject* s = CVantor::App().LookupString(h, &code);
    if (!s) return Fail(err, code);
    const auto& text = body(*s);
    return TextResult(text);
  });
}

}  // namespace zqv::xs
