#include "zqplatform/codepage.h"

#include <cstdlib>
#include <cstring>
#include <limits>
#include <string_view>

#include "Cp1252.h"
#include "Utf8.h"

namespace zq::text {
namespace {

uint32_t ReadAcp() {
  const char* chosen = std::getenv("ZQ_ACP");
  return chosen && std::string_view(chosen) == "1252" ? CP_1252 : CP_UTF8;
}

bool Known(uint32_t codePage) { return codePage == CP_1252 || codePage == CP_UTF8; }

// Calls put(unit) for every UTF-16 unit of the bytes.
template <class Put>
void Widen(uint32_t codePage, std::string_view bytes, Put&& put) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  std::size_t n = bytes.size();
  if (codePage == CP_1252) {
    for (std::size_t i = 0; i < n; ++i) put(cp1252::ToUnit(p[i]));
    return;
  }
  for (std::size_t i = 0; i < n;) {
    std::size_t len = utf8::SequenceLength(p + i, n - i);
    if (len == 0) {
      put(char16_t(0xDC00 + p[i]));  // a byte outside valid UTF-8 travels as a lone low surrogate
      ++i;
      continue;
    }
    char32_t cp = utf8::Decode(p + i, len);
    if (cp >= 0x10000) {
      cp -= 0x10000;
      put(char16_t(0xD800 + (cp >> 10)));
      put(char16_t(0xDC00 + (cp & 0x3FF)));
    } else {
      put(char16_t(cp));
    }
    i += len;
  }
}

// Calls put(byte) for every byte of the units; returns whether the default character was used.
template <class Put>
bool Narrow(uint32_t codePage, std::u16string_view wide, char defaultChar, Put&& put) {
  bool usedDefault = false;
  std::size_t n = wide.size();
  if (codePage == CP_1252) {
    for (char16_t unit : wide) {
      auto byte = cp1252::FromUnit(unit);
      if (!byte) usedDefault = true;
      put(byte ? static_cast<char>(*byte) : defaultChar);
    }
    return usedDefault;
  }
  unsigned char seq[4];
  for (std::size_t i = 0; i < n; ++i) {
    char32_t cp = wide[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < n && wide[i + 1] >= 0xDC00 && wide[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (wide[i + 1] - 0xDC00);
      ++i;
    } else if (cp >= 0xDC80 && cp <= 0xDCFF) {
      put(static_cast<char>(cp - 0xDC00));
      continue;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = 0xFFFD;
      usedDefault = true;
    }
    std::size_t len = utf8::Encode(cp, seq);
    for (std::size_t k = 0; k < len; ++k) put(static_cast<char>(seq[k]));
  }
  return usedDefault;
}

std::size_t WideLength(uint32_t codePage, std::string_view bytes) {
  if (codePage == CP_1252) return bytes.size();
  std::size_t count = 0;
  Widen(codePage, bytes, [&](char16_t) { ++count; });
  return count;
}

}  // namespace

uint32_t Resolve(uint32_t codePage) {
  return codePage == CP_ACP || codePage == CP_THREAD_ACP ? GetACP() : codePage;
}

std::u16string ToWide(std::string_view bytes, uint32_t codePage) {
  codePage = Resolve(codePage);
  std::u16string wide;
  if (!Known(codePage)) return wide;
  wide.reserve(bytes.size());
  Widen(codePage, bytes, [&](char16_t unit) { wide.push_back(unit); });
  return wide;
}

std::string ToMulti(std::u16string_view wide, uint32_t codePage, bool* usedDefault) {
  codePage = Resolve(codePage);
  std::string bytes;
  bool used = false;
  if (Known(codePage)) {
    bytes.reserve(wide.size());
    used = Narrow(codePage, wide, '?', [&](char byte) { bytes.push_back(byte); });
  }
  if (usedDefault) *usedDefault = used;
  return bytes;
}

BSTR AllocBstr(std::string_view ansiBytes) {
  uint32_t codePage = GetACP();
  std::size_t units = WideLength(codePage, ansiBytes);
  if (units > std::numeric_limits<int32_t>::max()) return nullptr;
  BSTR result = SysAllocStringLen(nullptr, static_cast<uint32_t>(units));
  if (!result) return nullptr;
  OLECHAR* out = result;
  Widen(codePage, ansiBytes, [&](char16_t unit) { *out++ = unit; });
  return result;
}

std::string FromBstr(BSTR bstr) {
  if (!bstr) return {};
  return ToMulti(std::u16string_view(bstr, SysStringLen(bstr)));
}

std::string AnsiToUtf8(std::string_view ansi) {
  if (GetACP() == CP_UTF8) return std::string(ansi);
  return ToMulti(ToWide(ansi), CP_UTF8);
}

std::string Utf8ToAnsi(std::string_view utf8) {
  if (GetACP() == CP_UTF8) return std::string(utf8);
  return ToMulti(ToWide(utf8, CP_UTF8));
}

}  // namespace zq::text

using zq::text::Known;
using zq::text::Resolve;

extern "C" {

uint32_t GetACP(void) {
  static const uint32_t acp = zq::text::ReadAcp();
  return acp;
}

int32_t MultiByteToWideChar(uint32_t codePage, uint32_t, const char* src, int32_t srcLen,
                            OLECHAR* dst, int32_t dstLen) {
  codePage = Resolve(codePage);
  if (!Known(codePage) || srcLen < -1 || dstLen < 0 || (!src && srcLen != 0) || (!dst && dstLen > 0)) {
    return 0;
  }
  std::string_view bytes;
  if (srcLen == -1) bytes = std::string_view(src, std::strlen(src) + 1);
  else if (srcLen > 0) bytes = std::string_view(src, static_cast<std::size_t>(srcLen));
  std::size_t needed = zq::text::WideLength(codePage, bytes);
  if (dstLen == 0) return static_cast<int32_t>(needed);
  if (needed > static_cast<std::size_t>(dstLen)) return 0;
  zq::text::Widen(codePage, bytes, [&](char16_t unit) { *dst++ = unit; });
  return static_cast<int32_t>(needed);
}

int32_t WideCharToMultiByte(uint32_t codePage, uint32_t, const OLECHAR* src, int32_t srcLen,
                            char* dst, int32_t dstLen, const char* defaultChar, int32_t* usedDefault) {
  codePage = Resolve(codePage);
  if (usedDefault) *usedDefault = 0;
  if (!Known(codePage) || srcLen < -1 || dstLen < 0 || (!src && srcLen != 0) || (!dst && dstLen > 0)) {
    return 0;
  }
  std::u16string_view wide;
  if (srcLen == -1) wide = std::u16string_view(src, std::char_traits<char16_t>::length(src) + 1);
  else if (srcLen > 0) wide = std::u16string_view(src, static_cast<std::size_t>(srcLen));
  char fallback = defaultChar ? defaultChar[0] : '?';
  std::size_t needed = 0;
  bool used = zq::text::Narrow(codePage, wide, fallback, [&](char) { ++needed; });
  if (needed > static_cast<std::size_t>(std::numeric_limits<int32_t>::max())) return 0;
  if (dstLen > 0) {
    if (needed > static_cast<std::size_t>(dstLen)) return 0;
    zq::text::Narrow(codePage, wide, fallback, [&](char byte) { *dst++ = byte; });
  }
  if (usedDefault) *usedDefault = used ? 1 : 0;
  return static_cast<int32_t>(needed);
}

}  // extern "C"
