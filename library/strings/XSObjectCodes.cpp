// Code conversions: the UTF-16 text form, UTF-8 and the ANSI code page.
#include "strings/XSObject.h"
#include "zqplatform/codepage.h"

std::string ByteToHex(unsigned char byte) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  return {kDigits[byte >> 4], kDigits[byte & 0x0F]};
}

void XSObject::ToAnsi() {
  std::size_t n = text_.size();
  if (n < 2 || static_cast<unsigned char>(text_[0]) != 0xFF ||
      static_cast<unsigned char>(text_[1]) != 0xFE || text_[n - 1] != '\0') {
    return;
  }
  std::string result;
  result.reserve(n / 2);
  for (std::size_t i = 2; i + 1 < n; i += 2) {
    auto low = static_cast<unsigned char>(text_[i]);
    auto high = static_cast<unsigned char>(text_[i + 1]);
    if (high == 0) result.push_back(static_cast<char>(low));
    else result.append("<").append(ByteToHex(high)).append(ByteToHex(low)).append(">");
  }
  Edit().swap(result);
}

void XSObject::Utf8ToAnsi() {
  if (text_.empty()) return;
  std::string converted = zq::text::ToMulti(zq::text::ToWide(ToNul(), CP_UTF8), CP_THREAD_ACP);
  Edit().swap(converted);
}

void XSObject::AnsiToUtf8() {
  if (text_.empty()) return;
  std::string converted = zq::text::ToMulti(zq::text::ToWide(ToNul(), CP_THREAD_ACP), CP_UTF8);
  Edit().swap(converted);
}
