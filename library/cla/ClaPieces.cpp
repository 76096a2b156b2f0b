// CLA exports: pieces, words and delimited items of the host's text.
#include "cla/ClaExport.h"
#include "zqvantor/cla.h"

using namespace zqv;
using namespace zqv::cla;

ZQV_API BSTR CLASub(int32_t length, const char* text, int32_t start, int32_t count) {
  return PieceText(length, text, [&](const XSObject& s) {
    if (start == -1) return s.Right(count);
    return count > 0 ? s.Mid(Index(start), count) : s.Mid(Index(start));
  });
}

ZQV_API BSTR CLASpanIncluding(int32_t length, const char* text, int32_t setLength, const char* set) {
  std::string_view chars = HostText(setLength, set);
  return PieceText(length, text, [&](const XSObject& s) { return s.SpanIncluding(chars, 0); });
}

ZQV_API BSTR CLASpanExcluding(int32_t length, const char* text, int32_t setLength, const char* set) {
  std::string_view chars = HostText(setLength, set);
  return PieceText(length, text, [&](const XSObject& s) { return s.SpanExcluding(chars, 0); });
}

// The position is 0-based here; a null position pointer scans from the start.
ZQV_API BSTR CLAFindWord(int32_t length, const char* text, int32_t* position, int32_t setLength,
                         const char* set) {
  std::string_view chars = HostText(setLength, set);
  return PieceText(length, text, [&](const XSObject& s) -> std::string {
    int32_t at = position ? *position : 0;
    std::string word;
    if (s.IsEmpty() || chars.empty())
      at = -1;
    else
      word = s.FindWord(at, chars);
    if (position) *position = at;
    return word;
  });
}

ZQV_API BSTR CLAGetSubString(int32_t length, const char* text, int32_t item, int32_t ch) {
  return PieceText(length, text, [&](const XSObject& s) { return s.GetSubString(item, Byte(ch)); });
}

ZQV_API BSTR CLASetSubString(int32_t length, const char* text, int32_t newLength, const char* newText,
                             int32_t item, int32_t ch) {
  std::string_view with = HostText(newLength, newText);
  return EditedText(length, text, [&](XSObject& s) { s.SetSubString(item, Byte(ch), with); });
}

ZQV_API BSTR CLAInsSubString(int32_t length, const char* text, int32_t newLength, const char* newText,
                             int32_t item, int32_t ch) {
  std::string_view with = HostText(newLength, newText);
  return EditedText(length, text, [&](XSObject& s) { s.InsSubString(item, Byte(ch), with); });
}

ZQV_API BSTR CLADelSubString(int32_t length, const char* text, int32_t item, int32_t ch) {
  return EditedText(length, text, [&](XSObject& s) { s.DelSubString(item, Byte(ch)); });
}
