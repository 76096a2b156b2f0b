// XS exports: searching, counting, comparing.
#include "strings/XSExport.h"
#include "zqvantor/strings.h"

using namespace zqv;
using namespace zqv::xs;

namespace {

// A text to find: cut at its first NUL byte; an empty one means one blank.
std::string_view FindOrBlank(int32_t length, const char* text) {
  std::string_view what = ToNul(HostText(length, text));
  return what.empty() ? std::string_view(" ", 1) : what;
}

}  // namespace

ZQV_API int32_t XSFindChr(int32_t h, int32_t* err, int32_t ch, int32_t start) {
  return SearchString(h, err, [&](XSObject& s) { return s.Find(Byte(ch), start); });
}

ZQV_API int32_t XSFindChrNC(int32_t h, int32_t* err, int32_t ch, int32_t start) {
  return SearchString(h, err, [&](XSObject& s) {
    XSObject upper(s.Text());
    upper.MakeUpper();
    return upper.Find(UpperAscii(Byte(ch)), start);
  });
}

ZQV_API int32_t XSFindStr(int32_t h, int32_t* err, int32_t length, const char* find, int32_t start) {
  std::string_view what = FindOrBlank(length, find);
  return SearchString(h, err, [&](XSObject& s) { return s.Find(what, start); });
}

ZQV_API int32_t XSFindStrNC(int32_t h, int32_t* err, int32_t length, const char* find, int32_t start) {
  std::string_view text = FindOrBlank(length, find);
  return SearchString(h, err, [&](XSObject& s) {
    XSObject what(text);
    what.MakeUpper();
    XSObject upper(s.Text());
    upper.MakeUpper();
    return upper.Find(what.Text(), start);
  });
}

ZQV_API int32_t XSFindOneOf(int32_t h, int32_t* err, int32_t length, const char* set, int32_t start) {
  std::string_view chars = HostText(length, set);
  if (ToNul(chars).empty()) chars = std::string_view(" ", 1);
  return SearchString(h, err, [&](XSObject& s) { return s.FindOneOf(chars, start < 0 ? 0 : start); });
}

ZQV_API int32_t XSReverseFind(int32_t h, int32_t* err, int32_t ch, int32_t position, int32_t fromEnd) {
  return SearchString(h, err, [&](XSObject& s) { return s.ReverseFindChr(Byte(ch), position, fromEnd); });
}

ZQV_API int32_t XSCount(int32_t h, int32_t ch, int32_t start) {
  return OnString(h, [&](XSObject& s) { return s.CountChr(Byte(ch), start); });
}

ZQV_API int32_t XSReverseCount(int32_t h, int32_t ch, int32_t position) {
  return OnString(h, [&](XSObject& s) { return s.ReverseCount(Byte(ch), position); });
}

ZQV_API int32_t XSItemCount(int32_t h, int32_t ch) {
  return OnString(h, [&](XSObject& s) { return s.IsEmpty() ? 0 : s.CountChr(Byte(ch), 0) + 1; });
}

ZQV_API int32_t XSCompare(int32_t h, int32_t* err, int32_t length, const char* other, int32_t mode,
                          int32_t count) {
  std::string_view text = HostText(length, other, count);
  return SearchString(h, err, [&](XSObject& s) { return s.Compare(text, mode); });
}

ZQV_API int32_t XSCompareNC(int32_t h, int32_t* err, int32_t length, const char* other, int32_t mode,
                            int32_t count) {
  std::string_view text = HostText(length, other, count);
  return SearchString(h, err, [&](XSObject& s) { return s.CompareNC(text, mode); });
}
