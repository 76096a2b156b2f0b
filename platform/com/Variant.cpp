// Variants: lifetime, copies and the conversion to text.
#include <cctype>
#include <charconv>
#include <cstring>
#include <string>

#include "SafeArray.h"
#include "zqplatform/codepage.h"

namespace {

BSTR CopyBstr(BSTR text) { return SysAllocStringLen(text, SysStringLen(text)); }

BSTR BstrFromAscii(std::string_view text) {
  std::u16string wide(text.begin(), text.end());
  return SysAllocStringLen(wide.data(), static_cast<uint32_t>(wide.size()));
}

template <class Number>
std::string IntegerText(Number n) {
  char buffer[24];
  return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, n).ptr);
}

// As printf's "%.<digits>G", without the locale.
std::string RealText(double value, int digits) {
  char buffer[40];
  char* end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, digits).ptr;
  std::string text(buffer, end);
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

// The text of a scalar variant; false for a type without one.
bool ScalarText(const VARIANT& v, std::string& text) {
  switch (v.vt) {
    case VT_I1: text = IntegerText(v.cVal); return true;
    case VT_UI1: text = IntegerText(v.bVal); return true;
    case VT_I2: text = IntegerText(v.iVal); return true;
    case VT_UI2: text = IntegerText(v.uiVal); return true;
    case VT_I4: text = IntegerText(v.lVal); return true;
    case VT_UI4: text = IntegerText(v.ulVal); return true;
    case VT_I8: text = IntegerText(v.llVal); return true;
    case VT_UI8: text = IntegerText(v.ullVal); return true;
    case VT_BOOL: text = IntegerText(v.boolVal); return true;
    case VT_R4: text = RealText(v.fltVal, 7); return true;
    case VT_R8: text = RealText(v.dblVal, 15); return true;
    default: return false;
  }
}

SAFEARRAY* CopyArray(const SAFEARRAY* array) {
  auto* copy = SafeArrayCreateVector(array->vt, array->lowerBound, static_cast<uint32_t>(array->elements.size()));
  if (!copy) return nullptr;
  for (std::size_t i = 0; i < array->elements.size(); ++i) {
    if (FAILED(VariantCopy(&copy->elements[i], &array->elements[i]))) {
      SafeArrayDestroy(copy);
      return nullptr;
    }
  }
  return copy;
}

}  // namespace

void VariantInit(VARIANT* v) {
  if (!v) return;
  std::memset(v, 0, sizeof *v);
  v->vt = VT_EMPTY;
}

HRESULT VariantClear(VARIANT* v) {
  if (!v) return E_INVALIDARG;
  if (v->vt == VT_BSTR) SysFreeString(v->bstrVal);
  else if (v->vt & VT_ARRAY) SafeArrayDestroy(v->parray);
  VariantInit(v);
  return S_OK;
}

HRESULT VariantCopy(VARIANT* dest, const VARIANT* src) {
  if (!dest || !src) return E_INVALIDARG;
  VARIANT copy = *src;
  if (src->vt == VT_BSTR) {
    copy.bstrVal = src->bstrVal ? CopyBstr(src->bstrVal) : nullptr;
    if (src->bstrVal && !copy.bstrVal) return E_OUTOFMEMORY;
  } else if (src->vt & VT_ARRAY) {
    copy.parray = src->parray ? CopyArray(src->parray) : nullptr;
    if (src->parray && !copy.parray) return E_OUTOFMEMORY;
  }
  if (dest != src) VariantClear(dest);
  *dest = copy;
  return S_OK;
}

HRESULT VariantChangeType(VARIANT* dest, const VARIANT* src, uint16_t, VARTYPE vt) {
  if (!dest || !src) return E_INVALIDARG;
  if (vt != VT_BSTR) return DISP_E_BADVARTYPE;
  BSTR text = nullptr;
  if (src->vt == VT_BSTR) {
    text = CopyBstr(src->bstrVal);
  } else {
    std::string ascii;
    if (!ScalarText(*src, ascii)) return DISP_E_TYPEMISMATCH;
    text = BstrFromAscii(ascii);
  }
  if (!text) return E_OUTOFMEMORY;
  VariantClear(dest);
  dest->vt = VT_BSTR;
  dest->bstrVal = text;
  return S_OK;
}
