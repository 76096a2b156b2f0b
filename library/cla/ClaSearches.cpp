// CLA exports: lengths, counts, searches and comparisons on the host's text.
#include <algorithm>

#include "cla/ClaExport.h"
#include "zqvantor/cla.h"

using namespace zqv;
using namespace zqv::cla;

namespace {

constexpr int32_t kNoByte = -7;
constexpr int32_t kBelowOne = -9;

void TrimBlanks(XSObject& s) {
  s.TrimRight(' ');
  s.TrimLeft(' ');
}

// The family's comparison mode as that of the string object.
int32_t CompareMode(int32_t mode) { return mode == 0 ? -1 : mode > 0 ? mode - 1 : -2; }

}  // namespace

// A null pointer is the empty text, so its length is 0.
ZQV_API int32_t CLATrueLen(int32_t length, const char* text) {
  return Number(length, text, [](XSObject& s) {
    TrimBlanks(s);
    return s.GetLength();
  });
}

ZQV_API int32_t CLAFieldCnt(int32_t length, const char* text, int32_t ch) {
  return Number(length, text, [&](XSObject& s) {
    TrimBlanks(s);
    return s.IsEmpty() ? 0 : s.CountChr(Byte(ch), 0) + 1;
  });
}

ZQV_API uint8_t CLAGetAt(int32_t length, const char* text, int32_t* err, int32_t position) {
  return Export(uint8_t{0}, [&]() -> uint8_t {
    std::string_view s = HostText(length, text);
    int32_t code = !text                              ? kNoByte
                   : position < 1                     ? kBelowOne
                   : std::size_t(position) > s.size() ? kNoByte
                                                      : 0;
    SetCode(err, code);
    return code == 0 ? static_cast<uint8_t>(s[position - 1]) : 0;
  });
}

ZQV_API int32_t CLAFindChr(int32_t length, const char* text, int32_t ch, int32_t start) {
  return Number(length, text, [&](XSObject& s) { return Found(s.Find(Byte(ch), Index(start))); });
}

ZQV_API int32_t CLAFindNCChr(int32_t length, const char* text, int32_t ch, int32_t start) {
  return Number(length, text, [&](XSObject& s) {
    s.MakeUpper();
    return Found(s.Find(UpperAscii(Byte(ch)), Index(start)));
  });
}

ZQV_API int32_t CLAFindStr(int32_t length, const char* text, int32_t findLength, const char* find,
                           int32_t start) {
  std::string_view what = HostText(findLength, find);
  return Number(length, text, [&](XSObject& s) { return Found(s.Find(what, Index(start))); });
}

ZQV_API int32_t CLAFindNCStr(int32_t length, const char* text, int32_t findLength, const char* find,
                             int32_t start) {
  std::string_view what = HostText(findLength, find);
  return Number(length, text, [&](XSObject& s) {
    XSObject upper(what);
    upper.MakeUpper();
    s.MakeUpper();
    return Found(s.Find(upper.Text(), Index(start)));
  });
}

ZQV_API int32_t CLAFindOneOf(int32_t length, const char* text, int32_t setLength, const char* set,
                             int32_t start) {
  std::string_view chars = HostText(setLength, set);
  return Number(length, text, [&](XSObject& s) { return Found(s.FindOneOf(chars, Index(start))); });
}

// Only the first length - (n - 1) bytes are searched.
ZQV_API int32_t CLAReverseFind(int32_t length, const char* text, int32_t ch, int32_t n) {
  return Export(kMemoryExhausted, [&]() -> int32_t {
    std::string_view whole = HostText(length, text);
    int64_t keep = int64_t(whole.size()) - (n < 1 ? 0 : int64_t(n) - 1);
    if (keep < 1) return -1;
    XSObject s(whole.substr(0, static_cast<std::size_t>(keep)));
    return Found(s.ReverseFindChr(Byte(ch), -1, 1));
  });
}

ZQV_API int32_t CLACompare(int32_t length, const char* text, int32_t otherLength, const char* other,
                           int32_t mode) {
  std::string_view with = HostText(otherLength, other);
  return Number(length, text, [&](XSObject& s) { return s.Compare(with, CompareMode(mode)); });
}

ZQV_API int32_t CLACompareNC(int32_t length, const char* text, int32_t otherLength, const char* other,
                             int32_t mode) {
  std::string_view with = HostText(otherLength, other);
  return Number(length, text, [&](XSObject& s) { return s.CompareNC(with, CompareMode(mode)); });
}
