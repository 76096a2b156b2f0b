#include "UnicodeCase.h"

#include <locale.h>
#include <wctype.h>

namespace zq::text {
namespace {

// The C library's Unicode case tables, through a locale object of our own (the process
// locale is never consulted). Without a UTF-8 locale only A to Z and a to z map.
locale_t Utf8Locale() {
  static const locale_t locale = [] {
    locale_t made = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t{});
    if (!made) made = newlocale(LC_CTYPE_MASK, "C.utf8", locale_t{});
    return made;
  }();
  return locale;
}

char32_t Map(char32_t cp, bool upper) {
  if (cp < 0x80) {
    if (upper && cp >= 'a' && cp <= 'z') return cp - 0x20;
    if (!upper && cp >= 'A' && cp <= 'Z') return cp + 0x20;
    return cp;
  }
  locale_t locale = Utf8Locale();
  if (!locale) return cp;
  wint_t mapped = upper ? towupper_l(static_cast<wint_t>(cp), locale)
                        : towlower_l(static_cast<wint_t>(cp), locale);
  return mapped <= 0x10FFFF && (mapped < 0xD800 || mapped > 0xDFFF) ? char32_t(mapped) : cp;
}

}  // namespace

char32_t UnicodeUpper(char32_t cp) { return Map(cp, true); }
char32_t UnicodeLower(char32_t cp) { return Map(cp, false); }

}  // namespace zq::text
