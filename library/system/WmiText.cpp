#include "system/WmiText.h"

#include <cstring>

#include "zqplatform/codepage.h"

namespace zqv {

namespace {

constexpr char kSubvalueMark = static_cast<char>(0xFC);

bool IsDigitOrOpen(char c) { return (c >= '0' && c <= '9') || c == '*'; }

// "yyyymmddHHMMSS.ffffff" and a signed three-digit offset, digits possibly left open as "*".
bool IsCimForm(std::string_view t) {
  if (t.size() != 25 || t[14] != '.' || (t[21] != '+' && t[21] != '-')) return false;
  for (std::size_t i = 0; i < t.size(); ++i) {
    if (i != 14 && i != 21 && !IsDigitOrOpen(t[i])) return false;
  }
  return true;
}

// The text of a scalar variant; empty when the conversion refuses it.
std::string ScalarText(const VARIANT& value) {
  VARIANT text;
  VariantInit(&text);
  if (FAILED(VariantChangeType(&text, &value, 0, VT_BSTR))) return {};
  std::string ansi = zq::text::FromBstr(text.bstrVal);
  VariantClear(&text);
  return ansi;
}

std::string ElementTexts(SAFEARRAY* array, bool dateTimes) {
  VARTYPE vt = VT_EMPTY;
  int32_t low = 0, high = -1;
  if (FAILED(SafeArrayGetVartype(array, &vt)) || FAILED(SafeArrayGetLBound(array, 1, &low)) ||
      FAILED(SafeArrayGetUBound(array, 1, &high))) {
    return {};
  }
  std::string joined;
  for (int32_t i = low; i <= high; ++i) {
    if (i > low) joined += kSubvalueMark;
    VARIANT element;
    VariantInit(&element);
    // The element lands at the start of the union (a variant element fills the whole variant).
    void* slot = vt == VT_VARIANT ? static_cast<void*>(&element) : static_cast<void*>(&element.llVal);
    if (FAILED(SafeArrayGetElement(array, &i, slot))) continue;
    if (vt != VT_VARIANT) element.vt = vt;
    std::string text = ScalarText(element);
    joined += dateTimes ? ReadableDateTime(text) : text;
    VariantClear(&element);
  }
  return joined;
}

}  // namespace

std::string ReadableDateTime(std::string_view cim) {
  std::string t;
  if (IsCimForm(cim)) {
    t.append(cim.substr(0, 4)).append("-").append(cim.substr(4, 2)).append("-").append(cim.substr(6, 2));
    t.append(" ").append(cim.substr(8, 2)).append(":").append(cim.substr(10, 2)).append(":").append(cim.substr(12, 2));
    t.append(cim.substr(14));
  } else {
    t = cim;
  }
  std::string readable;
  for (char c : t) {
    if (c == '*' || c == '+') continue;
    if (c == '.') readable += "   ";
    else readable += c;
  }
  return readable;
}

std::string PropertyText(HRESULT readResult, const VARIANT& value, CIMTYPE type) {
  if (FAILED(readResult)) return {};
  if (value.vt == VT_EMPTY || value.vt == VT_NULL) return "NULL";
  bool dateTimes = (type & ~CIM_FLAG_ARRAY) == CIM_DATETIME;
  if (value.vt & VT_ARRAY) return ElementTexts(value.parray, dateTimes);
  std::string text = ScalarText(value);
  return dateTimes ? ReadableDateTime(text) : text;
}

}  // namespace zqv
