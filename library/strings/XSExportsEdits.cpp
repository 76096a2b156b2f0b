// XS exports: editing in place.
#include "strings/XSExport.h"
#include "zqvantor/strings.h"

using namespace zqv;
using namespace zqv::xs;

namespace {

// An edit that answers 0.
template <class Edit>
int32_t Edit0(int32_t h, Edit&& edit) {
  return OnString(h, [&](XSObject& s) {
    edit(s);
    return 0;
  });
}

// A set argument where an empty set means one blank.
std::string_view SetOrBlank(int32_t length, const char* set) {
  std::string_view chars = HostText(length, set);
  return chars.empty() ? std::string_view(" ", 1) : chars;
}

}  // namespace

ZQV_API int32_t XSSetAt(int32_t h, int32_t index, int32_t ch) {
  return OnString(h, [&](XSObject& s) { return s.SetAt(index, Byte(ch)) ? 0 : kOutsideText; });
}

ZQV_API int32_t XSInsertChr(int32_t h, int32_t index, int32_t ch) {
  return OnString(h, [&](XSObject& s) { return s.Insert(index, Byte(ch)); });
}

ZQV_API int32_t XSInsertStr(int32_t h, int32_t index, int32_t length, const char* insert, int32_t count) {
  std::string_view text = HostText(length, insert, count);
  return OnString(h, [&](XSObject& s) { return s.Insert(index, text); });
}

ZQV_API int32_t XSDelete(int32_t h, int32_t index, int32_t count) {
  return OnString(h, [&](XSObject& s) { return s.Delete(index, count); });
}

ZQV_API int32_t XSDelChr(int32_t h, int32_t ch) {
  return OnString(h, [&](XSObject& s) { return s.Remove(Byte(ch)); });
}

ZQV_API int32_t XSReplaceChr(int32_t h, int32_t oldCh, int32_t newCh) {
  return OnString(h, [&](XSObject& s) { return s.Replace(Byte(oldCh), Byte(newCh)); });
}

ZQV_API int32_t XSReplace(int32_t h, int32_t position, int32_t count, int32_t length,
                          const char* replacement) {
  std::string_view text = HostText(length, replacement);
  return Edit0(h, [&](XSObject& s) { s.ReplaceRange(position, count, text); });
}

ZQV_API int32_t XSReplaceStr(int32_t h, int32_t findLength, const char* find, int32_t replacementLength,
                             const char* replacement, int32_t start) {
  if (!find) return Export(kNullFind, [] { return kNullFind; });
  std::string_view what = HostText(findLength, find);
  std::string_view with = HostText(replacementLength, replacement);
  return OnString(h, [&](XSObject& s) { return s.ReplaceStr(what, with, start); });
}

ZQV_API int32_t XSMakeUpper(int32_t h) { return Edit0(h, [](XSObject& s) { s.MakeUpper(); }); }
ZQV_API int32_t XSMakeLower(int32_t h) { return Edit0(h, [](XSObject& s) { s.MakeLower(); }); }
ZQV_API int32_t XSMakeReverse(int32_t h) { return Edit0(h, [](XSObject& s) { s.MakeReverse(); }); }
ZQV_API int32_t XSInvertCase(int32_t h) { return Edit0(h, [](XSObject& s) { s.InvertCase(); }); }
ZQV_API int32_t XSCapitalize(int32_t h) { return Edit0(h, [](XSObject& s) { s.Capitalize(); }); }

ZQV_API int32_t XSTrim(int32_t h, int32_t ch) {
  return Edit0(h, [&](XSObject& s) {
    s.TrimRight(Byte(ch));
    s.TrimLeft(Byte(ch));
  });
}

ZQV_API int32_t XSTrimLeft(int32_t h, int32_t ch) {
  return Edit0(h, [&](XSObject& s) { s.TrimLeft(Byte(ch)); });
}

ZQV_API int32_t XSTrimRight(int32_t h, int32_t ch) {
  return Edit0(h, [&](XSObject& s) { s.TrimRight(Byte(ch)); });
}

ZQV_API int32_t XSTrimLeftN(int32_t h) { return Edit0(h, [](XSObject& s) { s.TrimLeft(); }); }
ZQV_API int32_t XSTrimRightN(int32_t h) { return Edit0(h, [](XSObject& s) { s.TrimRight(); }); }

ZQV_API int32_t XSTrimLeftM(int32_t h, int32_t length, const char* set) {
  std::string_view chars = SetOrBlank(length, set);
  return Edit0(h, [&](XSObject& s) { s.TrimLeft(chars); });
}

ZQV_API int32_t XSTrimRightM(int32_t h, int32_t length, const char* set) {
  std::string_view chars = SetOrBlank(length, set);
  return Edit0(h, [&](XSObject& s) { s.TrimRight(chars); });
}

ZQV_API int32_t XSTrimAll(int32_t h, int32_t ch) {
  return Edit0(h, [&](XSObject& s) { s.TrimAll(Byte(ch)); });
}

ZQV_API void XSTextFormat(int32_t h, int32_t* err, int32_t width, int32_t ch) {
  int32_t code = Export(kMemoryExhausted, [&]() -> int32_t {
    if (width < 1) return kWidthBelowOne;
    int32_t lookup = 0;
    XSObject* s = CVantor::App().LookupString(h, &lookup);
    if (!s) return lookup;
    s->TextFormat(width, Byte(ch));
    return 0;
  });
  SetCode(err, code);
}

ZQV_API int32_t XSToAnsi(int32_t h) { return Edit0(h, [](XSObject& s) { s.ToAnsi(); }); }

ZQV_API BSTR XSSetSubString(int32_t h, int32_t* err, int32_t length, const char* text, int32_t item,
                            int32_t ch) {
  std::string_view value = HostText(length, text);
  return TextOfString(h, err, [&](XSObject& s) -> const std::string& {
    s.SetSubString(item, Byte(ch), value);
    return s.Text();
  });
}

ZQV_API BSTR XSInsSubString(int32_t h, int32_t* err, int32_t length, const char* text, int32_t item,
                            int32_t ch) {
  std::string_view value = HostText(length, text);
  return TextOfString(h, err, [&](XSObject& s) -> const std::string& {
    s.InsSubString(item, Byte(ch), value);
    return s.Text();
  });
}

ZQV_API BSTR XSDelSubString(int32_t h, int32_t* err, int32_t item, int32_t ch) {
  return TextOfString(h, err, [&](XSObject& s) -> const std::string& {
    s.DelSubString(item, Byte(ch));
    return s.Text();
  });
}

ZQV_API BSTR XSMultiToWide(int32_t h, int32_t* err) {
  return TextOfString(h, err, [](XSObject& s) -> const std::string& {
    s.Utf8ToAnsi();
    return s.Text();
  });
}

ZQV_API BSTR XSWideToMulti(int32_t h, int32_t* err) {
  return TextOfString(h, err, [](XSObject& s) -> const std::string& {
    s.AnsiToUtf8();
    return s.Text();
  });
}
