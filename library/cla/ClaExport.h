// How a CLA export works on a temporary string object made from the host's text.
#pragma once
#include <cstdint>
#include <string_view>

#include "frame/Exports.h"
#include "strings/XSObject.h"

namespace zqv::cla {

// A 1-based position as a 0-based one; a position below 1 counts as 1.
inline int32_t Index(int32_t position) { return position < 1 ? 0 : position - 1; }

// A 0-based position found as a 1-based one; -1 stays.
inline int32_t Found(int32_t at) { return at < 0 ? -1 : at + 1; }

// A text export: edit changes a copy of the host's text, which becomes the BSTR.
template <class Edit>
BSTR EditedText(int32_t length, const char* text, Edit&& edit) {
  return ExportText(nullptr, [&]() -> BSTR {
    XSObject s(HostText(length, text));
    edit(s);
    return TextResult(s.Text());
  });
}

// A text export whose body makes a new text from the temporary object.
template <class Piece>
BSTR PieceText(int32_t length, const char* text, Piece&& piece) {
  return ExportText(nullptr, [&]() -> BSTR {
    const XSObject s(HostText(length, text));
    return TextResult(piece(s));
  });
}

// An integer export on the temporary object.
template <class Body>
int32_t Number(int32_t length, const char* text, Body&& body) {
  return Export(kMemoryExhausted, [&]() -> int32_t {
    XSObject s(HostText(length, text));
    return body(s);
  });
}

}  // namespace zqv::cla
