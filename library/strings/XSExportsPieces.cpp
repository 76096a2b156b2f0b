// XS exports: pieces of the text (the object is not changed).
#include "strings/XSExport.h"
#include "zqvantor/strings.h"

using namespace zqv;
using namespace zqv::xs;

ZQV_API BSTR XSMid(int32_t h, int32_t* err, int32_t first, int32_t count) {
  return TextOfString(h, err, [&](XSObject& s) { return count == 0 ? s.Mid(first) : s.Mid(first, count); });
}

ZQV_API BSTR XSLeft(int32_t h, int32_t* err, int32_t count) {
  return TextOfString(h, err, [&](XSObject& s) { return s.Left(count); });
}

ZQV_API BSTR XSRight(int32_t h, int32_t* err, int32_t count) {
  return TextOfString(h, err, [&](XSObject& s) { return s.Right(count); });
}

ZQV_API BSTR XSFromTo(int32_t h, int32_t* err, int32_t first, int32_t last) {
  int64_t count = int64_t(last) - first + 1;
  int32_t n = static_cast<int32_t>(std::clamp<int64_t>(count, 0, INT32_MAX));
  return TextOfString(h, err, [&](XSObject& s) { return s.Mid(first, n); });
}

ZQV_API uint8_t XSGetAt(int32_t h, int32_t* err, int32_t index) {
  return Export(uint8_t{0}, [&]() -> uint8_t {
    int32_t code = 0;
    SetCode(err, 0);
    XSObject* s = CVantor::App().LookupString(h, &code);
    if (!s) {
      SetCode(err, code);
      return 0;
    }
    if (index < 0 || index >= s->GetLength()) {
      SetCode(err, kOutsideText);
      return 0;
    }
    return static_cast<uint8_t>(s->Text()[index]);
  });
}

ZQV_API BSTR XSSpanIncluding(int32_t h, int32_t* err, int32_t length, const char* set, int32_t start) {
  std::string_view chars = HostText(length, set);
  return TextOfString(h, err, [&](XSObject& s) { return s.SpanIncluding(chars, start); });
}

ZQV_API BSTR XSSpanExcluding(int32_t h, int32_t* err, int32_t length, const char* set, int32_t start) {
  std::string_view chars = HostText(length, set);
  return TextOfString(h, err, [&](XSObject& s) { return s.SpanExcluding(chars, start); });
}

ZQV_API BSTR XSGetSubString(int32_t h, int32_t* err, int32_t item, int32_t ch) {
  return TextOfString(h, err, [&](XSObject& s) { return s.GetSubString(item, Byte(ch)); });
}

ZQV_API BSTR XSFindWord(int32_t h, int32_t* err, int32_t* position, const char* set) {
  std::string_view chars = CText(set);
  return ExportText(err, [&]() -> BSTR {
    int32_t code = 0;
    XSObject* s = CVantor::App().LookupString(h, &code);
    if (!s) {
      if (position) *position = kWordBadHandle;
      return Fail(err, code);
    }
    int32_t at = position ? *position : 0;
    std::string word = s->FindWord(at, chars);
    if (position) *position = at;
    return TextResult(word);
  });
}
