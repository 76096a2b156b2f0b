// COM as a caller of the management service needs it: initialisation per thread, the
// process's security, creating an object of a known class, a connection's security, and the
// variants that carry property values (scalars, OLE strings and one-dimensional arrays).
//
// A thread's COM state counts its initialisations: the first CoInitializeEx chooses the
// thread's model, a later one in the same model answers S_FALSE and one in the other model
// RPC_E_CHANGED_MODE; each successful call is paired with one CoUninitialize. The process's
// security is set once: every later CoInitializeSecurity answers RPC_E_TOO_LATE.
#pragma once
#include <cstdint>

#include "zqplatform/hresult.h"
#include "zqplatform/oleauto.h"

constexpr HRESULT RPC_E_CHANGED_MODE = static_cast<HRESULT>(0x80010106);
constexpr HRESULT RPC_E_TOO_LATE = static_cast<HRESULT>(0x80010119);
constexpr HRESULT CO_E_NOTINITIALIZED = static_cast<HRESULT>(0x800401F0);
constexpr HRESULT REGDB_E_CLASSNOTREG = static_cast<HRESULT>(0x80040154);

struct GUID {
  uint32_t data1;
  uint16_t data2;
  uint16_t data3;
  uint8_t data4[8];
  bool operator==(const GUID&) const = default;
};
typedef GUID CLSID;
typedef GUID IID;

// What every COM object has: a reference count; the last Release deletes the object.
class IUnknown {
 public:
  virtual uint32_t AddRef() = 0;
  virtual uint32_t Release() = 0;

 protected:
  virtual ~IUnknown() = default;
};

constexpr uint32_t COINIT_MULTITHREADED = 0x0;
constexpr uint32_t COINIT_APARTMENTTHREADED = 0x2;

constexpr uint32_t CLSCTX_INPROC_SERVER = 0x1;

constexpr uint32_t RPC_C_AUTHN_LEVEL_DEFAULT = 0;
constexpr uint32_t RPC_C_AUTHN_LEVEL_CALL = 3;
constexpr uint32_t RPC_C_IMP_LEVEL_IMPERSONATE = 3;
constexpr uint32_t RPC_C_AUTHN_WINNT = 10;
constexpr uint32_t RPC_C_AUTHZ_NONE = 0;
constexpr uint32_t EOAC_NONE = 0;

HRESULT CoInitializeEx(void* reserved, uint32_t coInit);
// Ends one initialisation of the calling thread (nothing when it has none).
void CoUninitialize();
// The process's default security; CO_E_NOTINITIALIZED on a thread without COM.
HRESULT CoInitializeSecurity(void* descriptor, int32_t authServiceCount, void* authServices,
                             void* reserved1, uint32_t authnLevel, uint32_t impLevel, void* authList,
                             uint32_t capabilities, void* reserved3);
// A new object of the class with the interface iid (*object null on failure): the classes
// known are those of the management service (wmi.h); REGDB_E_CLASSNOTREG for any other.
HRESULT CoCreateInstance(const CLSID& clsid, IUnknown* outer, uint32_t context, const IID& iid,
                         void** object);
// The security of calls through a connection; E_INVALIDARG for a null proxy.
HRESULT CoSetProxyBlanket(IUnknown* proxy, uint32_t authnService, uint32_t authzService,
                          OLECHAR* serverPrincipal, uint32_t authnLevel, uint32_t impLevel,
                          void* authInfo, uint32_t capabilities);

// Variants.
typedef uint16_t VARTYPE;
typedef int16_t VARIANT_BOOL;
constexpr VARIANT_BOOL VARIANT_TRUE = -1;
constexpr VARIANT_BOOL VARIANT_FALSE = 0;

constexpr VARTYPE VT_EMPTY = 0;
constexpr VARTYPE VT_NULL = 1;
constexpr VARTYPE VT_I2 = 2;
constexpr VARTYPE VT_I4 = 3;
constexpr VARTYPE VT_R4 = 4;
constexpr VARTYPE VT_R8 = 5;
constexpr VARTYPE VT_BSTR = 8;
constexpr VARTYPE VT_BOOL = 11;
constexpr VARTYPE VT_VARIANT = 12;
constexpr VARTYPE VT_I1 = 16;
constexpr VARTYPE VT_UI1 = 17;
constexpr VARTYPE VT_UI2 = 18;
constexpr VARTYPE VT_UI4 = 19;
constexpr VARTYPE VT_I8 = 20;
constexpr VARTYPE VT_UI8 = 21;
constexpr VARTYPE VT_ARRAY = 0x2000;

// A one-dimensional array of elements of one type (BSTR, a number type or VARIANT).
struct SAFEARRAY;

struct VARIANT {
  VARTYPE vt;
  uint16_t reserved1;
  uint16_t reserved2;
  uint16_t reserved3;
  union {
    int8_t cVal;
    uint8_t bVal;
    int16_t iVal;
    uint16_t uiVal;
    int32_t lVal;
    uint32_t ulVal;
    int64_t llVal;
    uint64_t ullVal;
    float fltVal;
    double dblVal;
    VARIANT_BOOL boolVal;
    BSTR bstrVal;
    SAFEARRAY* parray;
  };
};

void VariantInit(VARIANT* v);
// Frees what the variant owns (its string or array) and makes it VT_EMPTY.
HRESULT VariantClear(VARIANT* v);
HRESULT VariantCopy(VARIANT* dest, const VARIANT* src);
// Converts to vt; only VT_BSTR is a target. Numbers are written without the locale ("1.5",
// "1E+20": up to 15 significant digits), booleans as "-1" and "0", strings are copied;
// arrays and VT_EMPTY/VT_NULL give DISP_E_TYPEMISMATCH, other targets DISP_E_BADVARTYPE.
// dest may be src. flags are not used.
HRESULT VariantChangeType(VARIANT* dest, const VARIANT* src, uint16_t flags, VARTYPE vt);

// A new array of count elements numbered from lowerBound, each empty (0, null or VT_EMPTY).
SAFEARRAY* SafeArrayCreateVector(VARTYPE vt, int32_t lowerBound, uint32_t count);
HRESULT SafeArrayDestroy(SAFEARRAY* array);
HRESULT SafeArrayGetVartype(SAFEARRAY* array, VARTYPE* vt);
HRESULT SafeArrayGetLBound(SAFEARRAY* array, uint32_t dimension, int32_t* bound);
HRESULT SafeArrayGetUBound(SAFEARRAY* array, uint32_t dimension, int32_t* bound);
// Copies an element out (a BSTR or VARIANT element as a new copy the caller frees) or in.
HRESULT SafeArrayGetElement(SAFEARRAY* array, const int32_t* index, void* element);
HRESULT SafeArrayPutElement(SAFEARRAY* array, const int32_t* index, const void* element);

namespace zq::com {

// Tests make one step of the next management query fail: the next call of that step on the
// calling thread answers result instead of doing its work.
enum class Step { Initialize, Security, CreateInstance, Connect, ProxyBlanket, Query };
void FailNextCall(Step step, HRESULT result);
// The injected failure of the step for the calling thread, taken once (S_OK when none).
HRESULT TakeInjectedFailure(Step step);

}  // namespace zq::com
