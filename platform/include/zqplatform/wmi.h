// The management service of the local computer: a locator connects to the namespace
// "root\cimv2" and runs queries in a subset of its query language (WQL) over classes whose
// objects are read from the Linux system when the query runs.
//
// The language: SELECT * or a list of properties FROM one class, with an optional WHERE of
// comparisons (=, <>, !=, <, >, <=, >=, LIKE with %, _ and [...] sets, IS NULL, IS NOT NULL)
// between a property and a literal (a number, TRUE, FALSE, NULL, or a text in single or double
// quotes, "\" escaping the next character), joined by AND, OR, NOT and parentheses. Keywords,
// class and property names and text comparisons are case-blind. Anything else (other query
// kinds, unknown classes or properties, syntax errors) is refused with WBEM_E_INVALID_QUERY or
// WBEM_E_INVALID_CLASS by ExecQuery.
//
// The classes: Win32_Process, Win32_OperatingSystem, Win32_ComputerSystem, Win32_Processor,
// Win32_LogicalDisk (the drive letters of files.h), Win32_BIOS, Win32_BaseBoard,
// Win32_Environment, Win32_UserAccount, Win32_LocalTime and Win32_UTCTime. A property Linux
// cannot give has no value (VT_NULL). Values: texts as VT_BSTR, date-times as VT_BSTR of
// CIM type 101 ("yyyymmddHHMMSS.ffffff" and the offset from UTC in minutes with its sign,
// "+060"), 64-bit numbers as VT_BSTR of their decimal text (CIM_UINT64 and CIM_SINT64),
// other numbers as VT_UI1, VT_UI2, VT_UI4, VT_I2, VT_I4 or VT_R8 by their CIM type, booleans
// as VT_BOOL, text lists as VT_ARRAY | VT_BSTR.
//
// Only the local computer is reached: a namespace path naming another computer
// ("\\nas\root\cimv2") fails with the remote procedure call's "server unavailable".
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "zqplatform/com.h"

typedef int32_t CIMTYPE;
constexpr CIMTYPE CIM_SINT16 = 2;
constexpr CIMTYPE CIM_SINT32 = 3;
constexpr CIMTYPE CIM_REAL64 = 5;
constexpr CIMTYPE CIM_STRING = 8;
constexpr CIMTYPE CIM_BOOLEAN = 11;
constexpr CIMTYPE CIM_UINT8 = 17;
constexpr CIMTYPE CIM_UINT16 = 18;
constexpr CIMTYPE CIM_UINT32 = 19;
constexpr CIMTYPE CIM_SINT64 = 20;
constexpr CIMTYPE CIM_UINT64 = 21;
constexpr CIMTYPE CIM_DATETIME = 101;
constexpr CIMTYPE CIM_FLAG_ARRAY = 0x2000;

constexpr int32_t WBEM_FLAG_RETURN_IMMEDIATELY = 0x10;
constexpr int32_t WBEM_FLAG_FORWARD_ONLY = 0x20;
constexpr int32_t WBEM_INFINITE = -1;

constexpr HRESULT WBEM_S_NO_ERROR = 0;
constexpr HRESULT WBEM_S_FALSE = 1;
constexpr HRESULT WBEM_E_FAILED = static_cast<HRESULT>(0x80041001);
constexpr HRESULT WBEM_E_NOT_FOUND = static_cast<HRESULT>(0x80041002);
constexpr HRESULT WBEM_E_INVALID_PARAMETER = static_cast<HRESULT>(0x80041008);
constexpr HRESULT WBEM_E_INVALID_NAMESPACE = static_cast<HRESULT>(0x8004100E);
constexpr HRESULT WBEM_E_INVALID_CLASS = static_cast<HRESULT>(0x80041010);
constexpr HRESULT WBEM_E_INVALID_QUERY = static_cast<HRESULT>(0x80041017);
constexpr HRESULT WBEM_E_INVALID_QUERY_TYPE = static_cast<HRESULT>(0x80041018);
constexpr HRESULT RPC_S_SERVER_UNAVAILABLE = static_cast<HRESULT>(0x800706BA);

class IWbemContext;

// One result object.
class IWbemClassObject : public IUnknown {
 public:
  // The property's value (a new copy the caller clears) and CIM type; WBEM_E_NOT_FOUND for a
  // name the object does not carry (a property the query did not select included).
  virtual HRESULT Get(const OLECHAR* name, int32_t flags, VARIANT* value, CIMTYPE* type,
                      int32_t* flavor) = 0;
};

// The objects of a query, forward only.
class IEnumWbemClassObject : public IUnknown {
 public:
  // Up to count objects into objects[]; WBEM_S_FALSE when fewer than count were left.
  virtual HRESULT Next(int32_t timeout, uint32_t count, IWbemClassObject** objects,
                       uint32_t* returned) = 0;
};

class IWbemServices : public IUnknown {
 public:
  // language must be "WQL"; the objects are read when the query runs.
  virtual HRESULT ExecQuery(BSTR language, BSTR query, int32_t flags, IWbemContext* context,
                            IEnumWbemClassObject** result) = 0;
};

class IWbemLocator : public IUnknown {
 public:
  // path "root\cimv2" (case-blind), or "\\computer\root\cimv2" where computer is ".",
  // "localhost" or this computer's name; user, password, locale and authority are accepted
  // and not checked.
  virtual HRESULT ConnectServer(BSTR path, BSTR user, BSTR password, BSTR locale, int32_t flags,
                                BSTR authority, IWbemContext* context, IWbemServices** services) = 0;
};

extern const CLSID CLSID_WbemLocator;
extern const IID IID_IWbemLocator;

namespace zq::wmi {

// Where the classes read the system: "" (the default) reads /proc, /sys and /etc; tests give
// the folder of a fake tree holding proc/, sys/ and etc/ in their place.
void SetSystemRoot(std::string root);
std::string SystemRoot();

// Whether a computer name names this computer: empty, ".", "localhost" or its own name
// (case-blind).
bool IsLocalComputer(std::string_view name);

}  // namespace zq::wmi
