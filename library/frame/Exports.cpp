#include "frame/Exports.h"

#include <cstring>
#include <new>

#include "zqplatform/codepage.h"

namespace zqv {

std::string_view HostText(int32_t len, const char* text) {
  if (!text || len <= 0) return {};
  return {text, static_cast<std::size_t>(len)};
}

std::string_view HostText(int32_t len, const char* text, int32_t count) {
  std::string_view whole = HostText(len, text);
  if (count > 0 && static_cast<std::size_t>(count) < whole.size()) return whole.substr(0, count);
  return whole;
}

std::string_view CText(const char* text) { return text ? std::string_view(text) : std::string_view(); }

std::string_view ToNul(std::string_view text) {
  std::size_t nul = text.find('\0');
  return nul == std::string_view::npos ? text : text.substr(0, nul);
}

BSTR TextResult(std::string_view bytes) {
  BSTR result = zq::text::AllocBstr(bytes);
  if (!result) throw std::bad_alloc();
  return result;
}

BSTR EmptyResult() noexcept { return zq::text::AllocBstr(std::string_view(kEmptyText, 0)); }

BSTR Fail(int32_t* err, int32_t code) noexcept {
  SetCode(err, code);
  return EmptyResult();
}

}  // namespace zqv
