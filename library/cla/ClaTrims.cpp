// CLA exports: trims of a copy of the host's text.
#include "cla/ClaExport.h"
#include "zqvantor/cla.h"

using namespace zqv;
using namespace zqv::cla;

ZQV_API BSTR CLATrim(int32_t length, const char* text, int32_t ch) {
  return EditedText(length, text, [&](XSObject& s) {
    s.TrimRight(Byte(ch));
    s.TrimLeft(Byte(ch));
  });
}

ZQV_API BSTR CLATrimLeft(int32_t length, const char* text, int32_t ch) {
  return EditedText(length, text, [&](XSObject& s) { s.TrimLeft(Byte(ch)); });
}

ZQV_API BSTR CLATrimRight(int32_t length, const char* text, int32_t ch) {
  return EditedText(length, text, [&](XSObject& s) { s.TrimRight(Byte(ch)); });
}

ZQV_API BSTR CLATrimLeftTab(int32_t length, const char* text) {
  return EditedText(length, text, [](XSObject& s) { s.TrimLeft(); });
}

ZQV_API BSTR CLATrimRightTab(int32_t length, const char* text) {
  return EditedText(length, text, [](XSObject& s) { s.TrimRight(); });
}

ZQV_API BSTR CLATrimM(int32_t length, const char* text, int32_t setLength, const char* set) {
  std::string_view chars = HostText(setLength, set);
  return EditedText(length, text, [&](XSObject& s) {
    s.TrimRight(chars);
    s.TrimLeft(chars);
  });
}

ZQV_API BSTR CLATrimLeftMulti(int32_t length, const char* text, int32_t setLength, const char* set) {
  std::string_view chars = HostText(setLength, set);
  return EditedText(length, text, [&](XSObject& s) { s.TrimLeft(chars); });
}

ZQV_API BSTR CLATrimRightMulti(int32_t length, const char* text, int32_t setLength, const char* set) {
  std::string_view chars = HostText(setLength, set);
  return EditedText(length, text, [&](XSObject& s) { s.TrimRight(chars); });
}

ZQV_API BSTR CLATrimAll(int32_t length, const char* text, int32_t ch) {
  return EditedText(length, text, [&](XSObject& s) { s.TrimAll(Byte(ch)); });
}

// Blanks trimmed; nothing but zeros left gives the empty text ("007" stays).
ZQV_API BSTR CLATrimNull(int32_t length, const char* text) {
  return EditedText(length, text, [](XSObject& s) {
    s.TrimRight(' ');
    s.TrimLeft(' ');
    if (s.Text().find_first_not_of('0') == std::string::npos) s.Empty();
  });
}
