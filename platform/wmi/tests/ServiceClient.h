// Runs queries through the service's COM calls as a client does, for the tests.
#pragma once
#include <map>
#include <string>
#include <vector>

#include "zqplatform/codepage.h"
#include "zqplatform/wmi.h"

namespace wmitest {

// A property's text as a client would show it: "NULL" without value, "<missing>" when the
// object lacks it, elements of a list joined by "|".
inline std::string TextOf(IWbemClassObject& object, const std::string& name) {
  std::u16string wide = zq::text::ToWide(name, CP_UTF8);
  VARIANT v;
  VariantInit(&v);
  if (FAILED(object.Get(wide.c_str(), 0, &v, nullptr, nullptr))) return "<missing>";
  std::string text;
  if (v.vt == VT_NULL) {
    text = "NULL";
  } else if (v.vt & VT_ARRAY) {
    int32_t low = 0, high = -1;
    SafeArrayGetLBound(v.parray, 1, &low);
    SafeArrayGetUBound(v.parray, 1, &high);
    for (int32_t i = low; i <= high; ++i) {
      BSTR element = nullptr;
      SafeArrayGetElement(v.parray, &i, &element);
      text += (i > low ? "|" : "") + zq::text::ToMulti(std::u16string_view(element, SysStringLen(element)), CP_UTF8);
      SysFreeString(element);
    }
  } else {
    VariantChangeType(&v, &v, 0, VT_BSTR);
    text = zq::text::ToMulti(std::u16string_view(v.bstrVal, SysStringLen(v.bstrVal)), CP_UTF8);
  }
  VariantClear(&v);
  return text;
}

struct Outcome {
  HRESULT result = S_OK;
  std::vector<std::map<std::string, std::string>> rows;  // the asked properties by name
};

// Runs the query on the calling thread and reads the properties of every object.
inline Outcome Run(const std::string& query, const std::vector<std::string>& properties = {}) {
  Outcome out;
  CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  IWbemLocator* locator = nullptr;
  CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER, IID_IWbemLocator, reinterpret_cast<void**>(&locator));
  IWbemServices* services = nullptr;
  std::u16string path = u"root\\cimv2", wql = u"WQL", text = zq::text::ToWide(query, CP_UTF8);
  BSTR p = SysAllocStringLen(path.data(), path.size()), l = SysAllocStringLen(wql.data(), wql.size());
  BSTR q = SysAllocStringLen(text.data(), text.size());
  locator->ConnectServer(p, nullptr, nullptr, nullptr, 0, nullptr, nullptr, &services);
  IEnumWbemClassObject* walk = nullptr;
  out.result = services->ExecQuery(l, q, WBEM_FLAG_FORWARD_ONLY | WBEM_FLAG_RETURN_IMMEDIATELY, nullptr, &walk);
  for (IWbemClassObject* object = nullptr; walk;) {
    uint32_t returned = 0;
    walk->Next(WBEM_INFINITE, 1, &object, &returned);
    if (returned == 0) break;
    std::map<std::string, std::string> row;
    for (const std::string& name : properties) row[name] = TextOf(*object, name);
    out.rows.push_back(std::move(row));
    object->Release();
  }
  if (walk) walk->Release();
  services->Release();
  locator->Release();
  SysFreeString(p);
  SysFreeString(l);
  SysFreeString(q);
  CoUninitialize();
  return out;
}

// One property of every object.
inline std::vector<std::string> Column(const std::string& query, const std::string& property) {
  std::vector<std::string> column;
  for (auto& row : Run(query, {property}).rows) column.push_back(row[property]);
  return column;
}

}  // namespace wmitest
