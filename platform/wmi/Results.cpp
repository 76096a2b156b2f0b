// The objects of a query and the walk over them.
#include "Results.h"

#include "FoldedText.h"
#include "zqplatform/codepage.h"

namespace zq::wmi {

namespace {

BSTR Utf8Bstr(std::string_view utf8) {
  std::u16string wide = zq::text::ToWide(utf8, CP_UTF8);
  return SysAllocStringLen(wide.data(), static_cast<uint32_t>(wide.size()));
}

// The value as a variant of the type the class gives its CIM type.
HRESULT ToVariant(const Value& value, CIMTYPE type, VARIANT* out) {
  VariantInit(out);
  if (value.IsNull()) {
    out->vt = VT_NULL;
    return S_OK;
  }
  if (const auto* list = std::get_if<TextList>(&value.data)) {
    SAFEARRAY* array = SafeArrayCreateVector(VT_BSTR, 0, static_cast<uint32_t>(list->size()));
    if (!array) return E_OUTOFMEMORY;
    for (int32_t i = 0; i < static_cast<int32_t>(list->size()); ++i) {
      BSTR element = Utf8Bstr((*list)[static_cast<std::size_t>(i)]);
      HRESULT hr = element ? SafeArrayPutElement(array, &i, &element) : E_OUTOFMEMORY;
      SysFreeString(element);
      if (FAILED(hr)) {
        SafeArrayDestroy(array);
        return hr;
      }
    }
    out->vt = VT_ARRAY | VT_BSTR;
    out->parray = array;
    return S_OK;
  }
  long double n = 0;
  value.Number(n);
  switch (type) {
    case CIM_BOOLEAN: out->vt = VT_BOOL; out->boolVal = n != 0 ? VARIANT_TRUE : VARIANT_FALSE; return S_OK;
    case CIM_UINT8: out->vt = VT_UI1; out->bVal = static_cast<uint8_t>(n); return S_OK;
    case CIM_UINT16: out->vt = VT_UI2; out->uiVal = static_cast<uint16_t>(n); return S_OK;
    case CIM_UINT32: out->vt = VT_UI4; out->ulVal = static_cast<uint32_t>(n); return S_OK;
    case CIM_SINT16: out->vt = VT_I2; out->iVal = static_cast<int16_t>(n); return S_OK;
    case CIM_SINT32: out->vt = VT_I4; out->lVal = static_cast<int32_t>(n); return S_OK;
    case CIM_REAL64: out->vt = VT_R8; out->dblVal = static_cast<double>(n); return S_OK;
    default: break;
  }
  out->vt = VT_BSTR;
  out->bstrVal = Utf8Bstr(value.Text());  // texts, date-times and 64-bit numbers
  return out->bstrVal ? S_OK : E_OUTOFMEMORY;
}

class ResultObject final : public ComObject<IWbemClassObject> {
 public:
  ResultObject(std::shared_ptr<const Results> results, std::size_t row) : results_(std::move(results)), row_(row) {}

  HRESULT Get(const OLECHAR* name, int32_t, VARIANT* value, CIMTYPE* type, int32_t* flavor) override {
    if (!name) return WBEM_E_INVALID_PARAMETER;
    std::u16string_view wide(name);
    int at = results_->cls->Find(zq::text::ToMulti(wide, CP_UTF8));
    if (at < 0 || !results_->selected[static_cast<std::size_t>(at)]) return WBEM_E_NOT_FOUND;
    const PropertyDef& property = results_->cls->properties[static_cast<std::size_t>(at)];
    if (type) *type = property.type;
    if (flavor) *flavor = 0;
    if (!value) return S_OK;
    return ToVariant(results_->records[row_][static_cast<std::size_t>(at)], property.type, value);
  }

 private:
  std::shared_ptr<const Results> results_;
  std::size_t row_;
};

class ResultWalk final : public ComObject<IEnumWbemClassObject> {
 public:
  explicit ResultWalk(std::shared_ptr<const Results> results) : results_(std::move(results)) {}

  HRESULT Next(int32_t, uint32_t count, IWbemClassObject** objects, uint32_t* returned) override {
    if (!objects || !returned) return WBEM_E_INVALID_PARAMETER;
    uint32_t given = 0;
    while (given < count && next_ < results_->records.size()) objects[given++] = new ResultObject(results_, next_++);
    *returned = given;
    return given == count ? WBEM_S_NO_ERROR : WBEM_S_FALSE;
  }

 private:
  std::shared_ptr<const Results> results_;
  std::size_t next_ = 0;
};

}  // namespace

IEnumWbemClassObject* NewResultWalk(std::shared_ptr<const Results> results) { return new ResultWalk(std::move(results)); }

}  // namespace zq::wmi
