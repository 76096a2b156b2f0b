// One-dimensional arrays of strings, numbers or variants.
#include "SafeArray.h"

#include <cstring>
#include <new>

namespace zq::com {

std::size_t ElementSize(VARTYPE vt) {
  switch (vt) {
    case VT_I1: case VT_UI1: return 1;
    case VT_I2: case VT_UI2: case VT_BOOL: return 2;
    case VT_I4: case VT_UI4: case VT_R4: return 4;
    case VT_I8: case VT_UI8: case VT_R8: return 8;
    case VT_BSTR: return sizeof(BSTR);
    case VT_VARIANT: return sizeof(VARIANT);
    default: return 0;
  }
}

}  // namespace zq::com

namespace {

VARIANT* ElementAt(SAFEARRAY* array, const int32_t* index) {
  if (!array || !index) return nullptr;
  int64_t at = int64_t{*index} - array->lowerBound;
  if (at < 0 || at >= static_cast<int64_t>(array->elements.size())) return nullptr;
  return &array->elements[static_cast<std::size_t>(at)];
}

}  // namespace

SAFEARRAY* SafeArrayCreateVector(VARTYPE vt, int32_t lowerBound, uint32_t count) {
  if (zq::com::ElementSize(vt) == 0) return nullptr;
  auto* array = new (std::nothrow) SAFEARRAY;
  if (!array) return nullptr;
  try {
    VARIANT empty;
    VariantInit(&empty);
    if (vt != VT_VARIANT) empty.vt = vt;
    array->elements.assign(count, empty);
  } catch (const std::bad_alloc&) {
    delete array;
    return nullptr;
  }
  array->vt = vt;
  array->lowerBound = lowerBound;
  return array;
}

HRESULT SafeArrayDestroy(SAFEARRAY* array) {
  if (!array) return S_OK;
  for (VARIANT& element : array->elements) VariantClear(&element);
  delete array;
  return S_OK;
}

HRESULT SafeArrayGetVartype(SAFEARRAY* array, VARTYPE* vt) {
  if (!array || !vt) return E_INVALIDARG;
  *vt = array->vt;
  return S_OK;
}

HRESULT SafeArrayGetLBound(SAFEARRAY* array, uint32_t dimension, int32_t* bound) {
  if (!array || !bound) return E_INVALIDARG;
  if (dimension != 1) return DISP_E_BADINDEX;
  *bound = array->lowerBound;
  return S_OK;
}

HRESULT SafeArrayGetUBound(SAFEARRAY* array, uint32_t dimension, int32_t* bound) {
  if (!array || !bound) return E_INVALIDARG;
  if (dimension != 1) return DISP_E_BADINDEX;
  *bound = static_cast<int32_t>(array->lowerBound + static_cast<int64_t>(array->elements.size()) - 1);
  return S_OK;
}

HRESULT SafeArrayGetElement(SAFEARRAY* array, const int32_t* index, void* element) {
  if (!element) return E_INVALIDARG;
  VARIANT* stored = ElementAt(array, index);
  if (!stored) return DISP_E_BADINDEX;
  if (array->vt == VT_VARIANT) return VariantCopy(static_cast<VARIANT*>(element), stored);
  VARIANT copy;
  VariantInit(&copy);
  if (HRESULT hr = VariantCopy(&copy, stored); FAILED(hr)) return hr;
  std::memcpy(element, &copy.llVal, zq::com::ElementSize(array->vt));  // the string now belongs to the caller
  return S_OK;
}

HRESULT SafeArrayPutElement(SAFEARRAY* array, const int32_t* index, const void* element) {
  if (!element) return E_INVALIDARG;
  VARIANT* stored = ElementAt(array, index);
  if (!stored) return DISP_E_BADINDEX;
  VARIANT given;
  VariantInit(&given);
  if (array->vt == VT_VARIANT) {
    given = *static_cast<const VARIANT*>(element);
  } else {
    given.vt = array->vt;
    std::memcpy(&given.llVal, element, zq::com::ElementSize(array->vt));
  }
  VARIANT copy;
  VariantInit(&copy);
  if (HRESULT hr = VariantCopy(&copy, &given); FAILED(hr)) return hr;
  VariantClear(stored);
  *stored = copy;
  return S_OK;
}
