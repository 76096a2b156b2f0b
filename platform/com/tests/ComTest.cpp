#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <thread>

#include "zqplatform/codepage.h"
#include "zqplatform/oledate.h"  // the result codes are shared
#include "zqplatform/wmi.h"

namespace {

std::string Text(const VARIANT& v) { return zq::text::ToMulti(std::u16string_view(v.bstrVal, SysStringLen(v.bstrVal)), CP_UTF8); }

TEST(ComThreads, CountInitialisationsAndRefuseTheOtherModel) {
  std::thread([] {
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_FALSE);
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), RPC_E_CHANGED_MODE);
    CoUninitialize();
    CoUninitialize();
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);  // ended: a new model may start
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), RPC_E_CHANGED_MODE);
    CoUninitialize();
    CoUninitialize();  // one too many changes nothing
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
    CoUninitialize();
  }).join();
}

TEST(ComThreads, ObjectsNeedAnInitialisedThread) {
  std::thread([] {
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER, IID_IWbemLocator, &object),
              CO_E_NOTINITIALIZED);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(CoInitializeSecurity(nullptr, -1, nullptr, nullptr, 0, 3, nullptr, 0, nullptr), CO_E_NOTINITIALIZED);
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    EXPECT_EQ(CoCreateInstance(IID_IWbemLocator, nullptr, CLSCTX_INPROC_SERVER, IID_IWbemLocator, &object),
              REGDB_E_CLASSNOTREG);
    EXPECT_EQ(CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER, CLSID_WbemLocator, &object),
              E_NOINTERFACE);
    ASSERT_EQ(CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER, IID_IWbemLocator, &object), S_OK);
    static_cast<IWbemLocator*>(object)->Release();
    CoUninitialize();
  }).join();
}

TEST(ComSecurity, IsSetOnceForTheProcess) {
  CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  HRESULT first = CoInitializeSecurity(nullptr, -1, nullptr, nullptr, 0, 3, nullptr, 0, nullptr);
  EXPECT_TRUE(first == S_OK || first == RPC_E_TOO_LATE);
  EXPECT_EQ(CoInitializeSecurity(nullptr, -1, nullptr, nullptr, 0, 3, nullptr, 0, nullptr), RPC_E_TOO_LATE);
  CoUninitialize();
}

TEST(ComConnections, ReachOnlyThisComputer) {
  CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  IWbemLocator* locator = nullptr;
  ASSERT_EQ(CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER, IID_IWbemLocator,
                             reinterpret_cast<void**>(&locator)), S_OK);
  const std::pair<std::u16string, HRESULT> cases[] = {
      {u"root\\cimv2", S_OK},           {u"ROOT\\CIMV2", S_OK},
      {u"\\\\.\\root\\cimv2", S_OK},    {u"\\\\localhost\\root\\cimv2", S_OK},
      {u"//./root/cimv2", S_OK},        {u"\\\\zq-nowhere-host\\root\\cimv2", RPC_S_SERVER_UNAVAILABLE},
      {u"root\\default", WBEM_E_INVALID_NAMESPACE}, {u"", WBEM_E_INVALID_NAMESPACE},
      {u"\\\\host-without-namespace", WBEM_E_INVALID_NAMESPACE},
  };
  for (const auto& [path, expected] : cases) {
    SCOPED_TRACE(zq::text::ToMulti(path, CP_UTF8));
    BSTR p = SysAllocStringLen(path.data(), static_cast<uint32_t>(path.size()));
    IWbemServices* services = nullptr;
    EXPECT_EQ(locator->ConnectServer(p, nullptr, nullptr, nullptr, 0, nullptr, nullptr, &services), expected);
    EXPECT_EQ(services != nullptr, expected == S_OK);
    if (services) {
      EXPECT_EQ(CoSetProxyBlanket(services, RPC_C_AUTHN_WINNT, RPC_C_AUTHZ_NONE, nullptr, RPC_C_AUTHN_LEVEL_CALL,
                                  RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE), S_OK);
      services->Release();
    }
    SysFreeString(p);
  }
  EXPECT_TRUE(zq::wmi::IsLocalComputer(zq::text::ToMulti(u"LocalHost", CP_UTF8)));
  locator->Release();
  CoUninitialize();
}

TEST(Variants, TurnIntoTextWithoutTheLocale) {
  auto make = [](VARTYPE vt, auto set) {
    VARIANT v;
    VariantInit(&v);
    v.vt = vt;
    set(v);
    return v;
  };
  const std::pair<VARIANT, const char*> cases[] = {
      {make(VT_BOOL, [](VARIANT& v) { v.boolVal = VARIANT_TRUE; }), "-1"},
      {make(VT_BOOL, [](VARIANT& v) { v.boolVal = VARIANT_FALSE; }), "0"},
      {make(VT_I4, [](VARIANT& v) { v.lVal = -2147483647 - 1; }), "-2147483648"},
      {make(VT_UI4, [](VARIANT& v) { v.ulVal = 4294967295u; }), "4294967295"},
      {make(VT_I8, [](VARIANT& v) { v.llVal = std::numeric_limits<int64_t>::min(); }), "-9223372036854775808"},
      {make(VT_UI8, [](VARIANT& v) { v.ullVal = std::numeric_limits<uint64_t>::max(); }), "18446744073709551615"},
      {make(VT_UI1, [](VARIANT& v) { v.bVal = 200; }), "200"},
      {make(VT_I2, [](VARIANT& v) { v.iVal = -5; }), "-5"},
      {make(VT_R8, [](VARIANT& v) { v.dblVal = 1.5; }), "1.5"},
      {make(VT_R8, [](VARIANT& v) { v.dblVal = 0.1; }), "0.1"},
      {make(VT_R8, [](VARIANT& v) { v.dblVal = 1e20; }), "1E+20"},
      {make(VT_R8, [](VARIANT& v) { v.dblVal = 1.0 / 3; }), "0.333333333333333"},
      {make(VT_R8, [](VARIANT& v) { v.dblVal = 2.5e-7; }), "2.5E-07"},
      {make(VT_R4, [](VARIANT& v) { v.fltVal = 0.1f; }), "0.1"},
  };
  std::setlocale(LC_ALL, "de_DE.UTF-8");  // a decimal comma where the locale is used
  for (auto [v, expected] : cases) {
    SCOPED_TRACE(expected);
    VARIANT text;
    VariantInit(&text);
    ASSERT_EQ(VariantChangeType(&text, &v, 0, VT_BSTR), S_OK);
    EXPECT_EQ(Text(text), expected);
    VariantClear(&text);
  }
  std::setlocale(LC_ALL, "C");
}

TEST(Variants, RefuseWhatHasNoText) {
  VARIANT v, text;
  VariantInit(&v);
  VariantInit(&text);
  EXPECT_EQ(VariantChangeType(&text, &v, 0, VT_BSTR), DISP_E_TYPEMISMATCH);
  v.vt = VT_NULL;
  EXPECT_EQ(VariantChangeType(&text, &v, 0, VT_BSTR), DISP_E_TYPEMISMATCH);
  v.vt = VT_ARRAY | VT_BSTR;
  v.parray = SafeArrayCreateVector(VT_BSTR, 0, 2);
  EXPECT_EQ(VariantChangeType(&text, &v, 0, VT_BSTR), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(VariantChangeType(&text, &v, 0, VT_I4), DISP_E_BADVARTYPE);
  VariantClear(&v);
  EXPECT_EQ(v.vt, VT_EMPTY);
}

TEST(Variants, AStringConvertsInPlaceAndCopiesDeep) {
  std::u16string word = u"W\u00f6rter";
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_BSTR;
  v.bstrVal = SysAllocStringLen(word.data(), static_cast<uint32_t>(word.size()));
  VARIANT copy;
  VariantInit(&copy);
  ASSERT_EQ(VariantCopy(&copy, &v), S_OK);
  EXPECT_NE(copy.bstrVal, v.bstrVal);
  ASSERT_EQ(VariantChangeType(&v, &v, 0, VT_BSTR), S_OK);
  EXPECT_EQ(Text(v), "W\xC3\xB6rter");
  EXPECT_EQ(Text(copy), "W\xC3\xB6rter");
  VariantClear(&v);
  VariantClear(&copy);
}

TEST(SafeArrays, HoldElementsBetweenTheirBounds) {
  SAFEARRAY* array = SafeArrayCreateVector(VT_BSTR, 3, 2);
  ASSERT_NE(array, nullptr);
  int32_t low = 0, high = 0;
  ASSERT_EQ(SafeArrayGetLBound(array, 1, &low), S_OK);
  ASSERT_EQ(SafeArrayGetUBound(array, 1, &high), S_OK);
  EXPECT_EQ(low, 3);
  EXPECT_EQ(high, 4);
  EXPECT_EQ(SafeArrayGetLBound(array, 2, &low), DISP_E_BADINDEX);
  std::u16string word = u"four";
  BSTR in = SysAllocStringLen(word.data(), 4);
  int32_t index = 4;
  ASSERT_EQ(SafeArrayPutElement(array, &index, &in), S_OK);
  SysFreeString(in);
  BSTR out = nullptr;
  ASSERT_EQ(SafeArrayGetElement(array, &index, &out), S_OK);
  EXPECT_EQ(std::u16string(out, SysStringLen(out)), u"four");
  SysFreeString(out);
  index = 5;
  EXPECT_EQ(SafeArrayGetElement(array, &index, &out), DISP_E_BADINDEX);
  index = 2;
  EXPECT_EQ(SafeArrayPutElement(array, &index, &in), DISP_E_BADINDEX);
  VARTYPE vt = VT_EMPTY;
  SafeArrayGetVartype(array, &vt);
  EXPECT_EQ(vt, VT_BSTR);
  EXPECT_EQ(SafeArrayCreateVector(VT_NULL, 0, 1), nullptr);
  SafeArrayDestroy(array);
}

}  // namespace
