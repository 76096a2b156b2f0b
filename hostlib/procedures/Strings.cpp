// The string procedures over the library's functions on host strings.
#include "ZQ_Vantor.h"
#include "hostlib/Procedures.h"
#include "wrappers/HostArgs.h"
#include "zqplatform/codepage.h"

using namespace hostlib::detail;

std::string FIX(BSTR text) {
  std::string own = zq::text::FromBstr(text);
  SysFreeString(text);
  return own;
}

std::string GETITEM(std::string_view text, int32_t n, std::string_view delimiter) {
  return FIX(CLAGetSubString(Len(text), Ptr(text), n, CharOf(delimiter, kItemDelimiter)));
}

int32_t CNTITEM(std::string_view text, std::string_view delimiter) {
  return CLAFieldCnt(Len(text), Ptr(text), CharOf(delimiter, kItemDelimiter));
}

int32_t TLEN(std::string_view text) {
  const size_t last = text.find_last_not_of(' ');
  return last == std::string_view::npos ? 0 : static_cast<int32_t>(last + 1);
}

int32_t COMPARENC(std::string_view first, std::string_view second, int32_t count) {
  return CLACompareNC(Len(first), Ptr(first), Len(second), Ptr(second), count);
}

std::string TRIM(std::string_view text, std::string_view characters) {
  if (characters.empty()) return FIX(CLATrim(Len(text), Ptr(text), kBlank));
  if (characters.size() == 1) {
    return FIX(CLATrim(Len(text), Ptr(text), static_cast<unsigned char>(characters.front())));
  }
  return FIX(CLATrimM(Len(text), Ptr(text), Len(characters), Ptr(characters)));
}

std::string SWAP(std::string_view text, std::string_view find, std::string_view replacement) {
  if (find.size() == 1 && replacement.size() == 1) {
    return FIX(CLAReplaceChr(Len(text), Ptr(text), static_cast<unsigned char>(find.front()),
                             static_cast<unsigned char>(replacement.front())));
  }
  return FIX(CLAReplaceStr(Len(text), Ptr(text), Len(find), Ptr(find), Len(replacement), Ptr(replacement)));
}

std::string MID(std::string_view text, int32_t start, int32_t count) {
  return FIX(CLASub(Len(text), Ptr(text), start, count));
}

std::string GETAT(std::string_view text, int32_t position) {
  int32_t error = 0;
  const uint8_t c = CLAGetAt(Len(text), Ptr(text), &error, position);
  if (error != 0) return {};
  return std::string(1, static_cast<char>(c));
}
