#include "ZQ_Vantor.h"
#include "hostlib/Procedures.h"
#include "hostlib/Wrappers.h"
#include "wrappers/Created.h"
#include "wrappers/HostArgs.h"

using namespace hostlib::detail;

XSTRING::XSTRING()
    : XSHANDLE(Created(XSCreate(), {"Critical System Error Creating XString Object.", "XString.Construct"},
                       INTERROR)) {}

void XSTRING::DESTRUCT() { Destructed(XSHANDLE, INTERROR, XSDestroy); }

int32_t XSTRING::SET(std::string_view text, int32_t count) {
  return Status(INTERROR, XSSet(XSHANDLE, Len(text), Ptr(text), count));
}

int32_t XSTRING::SET(CStringArg text, int32_t count) {
  return Status(INTERROR, XSCSet(XSHANDLE, text.text, count));
}

int32_t XSTRING::APPEND(std::string_view text, int32_t count) {
  return Status(INTERROR, XSAppend(XSHANDLE, Len(text), Ptr(text), count));
}

int32_t XSTRING::DELETE(int32_t start, int32_t count) { return Value(INTERROR, XSDelete(XSHANDLE, start, count)); }

int32_t XSTRING::REPLACESTR(std::string_view find, std::string_view replace, int32_t start) {
  return Value(INTERROR, XSReplaceStr(XSHANDLE, Len(find), Ptr(find), Len(replace), Ptr(replace), start));
}

int32_t XSTRING::MAKEUPPER() { return Status(INTERROR, XSMakeUpper(XSHANDLE)); }

int32_t XSTRING::TRIM(std::string_view character) {
  return Status(INTERROR, XSTrim(XSHANDLE, CharOf(character, kBlank)));
}

std::string XSTRING::GET(int32_t start, int32_t count) { return FIX(XSGet(XSHANDLE, &INTERROR, start, count)); }

std::string XSTRING::MID(int32_t start, int32_t count) { return FIX(XSMid(XSHANDLE, &INTERROR, start, count)); }

std::string XSTRING::FROMTO(int32_t from, int32_t to) { return FIX(XSFromTo(XSHANDLE, &INTERROR, from, to)); }

std::string XSTRING::GETAT(int32_t position) {
  const uint8_t c = XSGetAt(XSHANDLE, &INTERROR, position);
  if (INTERROR < 0) return {};
  return std::string(1, static_cast<char>(c));
}

std::string XSTRING::WTOM() { return FIX(XSWideToMulti(XSHANDLE, &INTERROR)); }

std::string XSTRING::MTOW() { return FIX(XSMultiToWide(XSHANDLE, &INTERROR)); }

int32_t XSTRING::COMPARENC(std::string_view text, int32_t mode, int32_t count) {
  return XSCompareNC(XSHANDLE, &INTERROR, Len(text), Ptr(text), mode, count);
}

int32_t XSTRING::FINDCHR(std::string_view character, int32_t start) {
  return XSFindChr(XSHANDLE, &INTERROR, CharOf(character, kBlank), start);
}

int32_t XSTRING::FINDCHRNC(std::string_view character, int32_t start) {
  return XSFindChrNC(XSHANDLE, &INTERROR, CharOf(character, kBlank), start);
}

int32_t XSTRING::FINDSTRNC(std::string_view text, int32_t start) {
  return XSFindStrNC(XSHANDLE, &INTERROR, Len(text), Ptr(text), start);
}

int32_t XSTRING::REVERSEFIND(std::string_view character, int32_t position, int32_t fromEnd) {
  return XSReverseFind(XSHANDLE, &INTERROR, CharOf(character, kBlank), position, fromEnd);
}

int32_t XSTRING::GETLENGTH() { return Value(INTERROR, XSGetLength(XSHANDLE)); }

int32_t XSTRING::ITEMCNT(std::string_view delimiter) {
  return XSItemCount(XSHANDLE, CharOf(delimiter, kItemDelimiter));
}

std::string XSTRING::ITEMGET(int32_t n, std::string_view delimiter) {
  return FIX(XSGetSubString(XSHANDLE, &INTERROR, n, CharOf(delimiter, kItemDelimiter)));
}

std::string XSTRING::ITEMDEL(int32_t n, std::string_view delimiter) {
  return FIX(XSDelSubString(XSHANDLE, &INTERROR, n, CharOf(delimiter, kItemDelimiter)));
}
