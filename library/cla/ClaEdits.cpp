// CLA exports: edits of a copy of the host's text.
#include "cla/ClaExport.h"
#include "zqvantor/cla.h"

using namespace zqv;
using namespace zqv::cla;

ZQV_API BSTR CLADelete(int32_t length, const char* text, int32_t position, int32_t count) {
  return EditedText(length, text, [&](XSObject& s) {
    // -1 stands for the host string's length; any other negative count deletes one byte.
    int32_t n = count == -1 ? s.GetLength() : count < 0 ? 1 : count;
    s.Delete(Index(position), n);
  });
}

ZQV_API BSTR CLAInsertChr(int32_t length, const char* text, int32_t position, int32_t ch) {
  return EditedText(length, text, [&](XSObject& s) { s.Insert(Index(position), Byte(ch)); });
}

ZQV_API BSTR CLAInsertStr(int32_t length, const char* text, int32_t position, int32_t insertLength,
                          const char* insert) {
  std::string_view what = HostText(insertLength, insert);
  return EditedText(length, text, [&](XSObject& s) { s.Insert(Index(position), what); });
}

ZQV_API BSTR CLARemoveChr(int32_t length, const char* text, int32_t ch) {
  return EditedText(length, text, [&](XSObject& s) { s.Remove(Byte(ch)); });
}

ZQV_API BSTR CLAReplaceChr(int32_t length, const char* text, int32_t oldCh, int32_t newCh) {
  return EditedText(length, text, [&](XSObject& s) { s.Replace(Byte(oldCh), Byte(newCh)); });
}

ZQV_API BSTR CLAReplace(int32_t length, const char* text, int32_t position, int32_t count,
                        int32_t replacementLength, const char* replacement) {
  std::string_view with = HostText(replacementLength, replacement);
  return EditedText(length, text,
                    [&](XSObject& s) { s.ReplaceRange(Index(position), count < 0 ? 0 : count, with); });
}

ZQV_API BSTR CLAReplaceStr(int32_t length, const char* text, int32_t findLength, const char* find,
                           int32_t replacementLength, const char* replacement) {
  std::string_view what = HostText(findLength, find);
  std::string_view with = HostText(replacementLength, replacement);
  return EditedText(length, text, [&](XSObject& s) { s.ReplaceStr(what, with, 0); });
}

ZQV_API BSTR CLAMakeReverse(int32_t length, const char* text) {
  return EditedText(length, text, [](XSObject& s) { s.MakeReverse(); });
}

ZQV_API BSTR CLAInvertCase(int32_t length, const char* text) {
  return EditedText(length, text, [](XSObject& s) { s.InvertCase(); });
}

ZQV_API BSTR CLACapitalize(int32_t length, const char* text) {
  return EditedText(length, text, [](XSObject& s) { s.Capitalize(); });
}

ZQV_API BSTR CLATextFormat(int32_t length, const char* text, int32_t width, int32_t ch) {
  return EditedText(length, text, [&](XSObject& s) {
    if (width >= 1) s.TextFormat(width, Byte(ch));
  });
}
