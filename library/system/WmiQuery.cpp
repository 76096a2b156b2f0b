// UTDoWMIQuery: one management query on the caller's thread, its objects as an array's text.
// It takes no lock of the library and keeps the host's module state; the thread's COM state is
// set up and torn down inside the call.
#include <memory>
#include <string>

#include "arrays/RevArray.h"
#include "frame/Exports.h"
#include "strings/XSObject.h"
#include "system/WmiText.h"
#include "zqplatform/codepage.h"
#include "zqplatform/credui.h"
#include "zqplatform/system.h"
#include "zqplatform/wmi.h"
#include "zqvantor/system.h"

namespace {

constexpr int32_t kMostRows = 1024;
constexpr char kValueMark = static_cast<char>(0xFD);

struct Released {
  void operator()(IUnknown* object) const {
    if (object) object->Release();
  }
};
template <class T>
using ComRef = std::unique_ptr<T, Released>;

struct FreedBstr {
  void operator()(OLECHAR* text) const { SysFreeString(text); }
};
using Bstr = std::unique_ptr<OLECHAR, FreedBstr>;

Bstr MakeBstr(std::string_view ansi) {
  BSTR text = zq::text::AllocBstr(ansi);
  if (!text) throw std::bad_alloc();
  return Bstr(text);
}

// Ends the thread's COM initialisation when the call returns.
struct ComInitialised {
  ~ComInitialised() { CoUninitialize(); }
};

struct Credentials {
  std::string user;
  std::string password;
};

// Asks the user in the credentials dialog, the buffers filled with the given texts; false when
// the dialog was cancelled or failed.
bool AskCredentials(Credentials& c) {
  std::string user(CREDUI_MAX_USERNAME_LENGTH + 1, '\0');
  std::string password(CREDUI_MAX_PASSWORD_LENGTH + 1, '\0');
  user.replace(0, c.user.size(), c.user);
  password.replace(0, c.password.size(), c.password);
  CREDUI_INFOA info{sizeof(CREDUI_INFOA), 0, "Remote computer account information", "Enter Account Information",
                    nullptr};
  int32_t save = 0;
  DWORD result = CredUIPromptForCredentialsA(
      &info, "", nullptr, 0, user.data(), static_cast<uint32_t>(user.size()), password.data(),
      static_cast<uint32_t>(password.size()), &save,
      CREDUI_FLAGS_GENERIC_CREDENTIALS | CREDUI_FLAGS_ALWAYS_SHOW_UI | CREDUI_FLAGS_DO_NOT_PERSIST);
  if (result != NO_ERROR) return false;
  c.user = zqv::ToNul(user);
  c.password = zqv::ToNul(password);
  return true;
}

// The credentials for a remote computer: the given ones, the calling user's name in place of a
// missing user name, a password "NONE..." as none; the dialog when one of them is still empty.
// The code -4 when they do not fit the dialog's buffers or the dialog was not confirmed, else 0.
int32_t RemoteCredentials(std::string_view user, std::string_view password, Credentials& c) {
  if (user.size() > CREDUI_MAX_USERNAME_LENGTH || password.size() > CREDUI_MAX_PASSWORD_LENGTH) return -4;
  c.user = user.empty() ? zq::sys::UserName().value_or("") : std::string(user);
  c.password = password;
  if (!user.empty() && XSObject(password.substr(0, 4)).CompareNC("NONE", -1) == 0) c.password.clear();
  if (c.user.size() > CREDUI_MAX_USERNAME_LENGTH) c.user.clear();
  if ((c.user.empty() || c.password.empty()) && !AskCredentials(c)) return -4;
  return 0;
}

// The row of one object: the listed properties' texts as items separated by the value mark.
// keyValue becomes the text of the key property when the list names it.
std::string RowOf(IWbemClassObject& object, const XSObject& properties, int32_t count, const XSObject& key,
                  std::string& keyValue) {
  XSObject row;
  for (int32_t i = 1; i <= count; ++i) {
    XSObject name(properties.GetSubString(i, '|'));
    name.TrimAll(' ');
    std::u16string wide = zq::text::ToWide(name.Text());
    VARIANT value;
    VariantInit(&value);
    CIMTYPE type = 0;
    HRESULT read = object.Get(wide.c_str(), 0, &value, &type, nullptr);
    std::string text = zqv::PropertyText(read, value, type);
    VariantClear(&value);
    row.SetSubString(i, kValueMark, text);
    if (!key.IsEmpty() && name.CompareNC(key.Text(), -1) == 0) keyValue = text;
  }
  return row.Text();
}

std::string Walk(IEnumWbemClassObject& walk, std::string_view propertyList, std::string_view keyName) {
  RevArray array;
  XSObject properties(propertyList);
  int32_t count = properties.CountItems('|');
  XSObject key(keyName);
  key.TrimLeft(' ');
  key.TrimRight(' ');
  std::string previous, current;
  int32_t row = 1;
  while (row <= kMostRows) {
    IWbemClassObject* next = nullptr;
    uint32_t returned = 0;
    walk.Next(WBEM_INFINITE, 1, &next, &returned);
    ComRef<IWbemClassObject> object(returned ? next : nullptr);
    if (!object) break;
    std::string text = RowOf(*object, properties, count, key, current);
    if (!key.IsEmpty() && XSObject(current).CompareNC(previous, -1) == 0) continue;
    array.Set(row, 0, 0, text);
    if (!key.IsEmpty()) previous = current;
    ++row;
  }
  return std::string(array.Get(0, 0, 0));
}

BSTR Query(std::string_view query, std::string_view properties, int32_t* err, std::string_view key,
           std::string_view computer, std::string_view user, std::string_view password) {
  if (FAILED(CoInitializeEx(nullptr, COINIT_MULTITHREADED))) return zqv::Fail(err, -1);
  ComInitialised initialised;
  HRESULT security = CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_DEFAULT,
                                          RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE, nullptr);
  // The process's security is set once; a later call finds it set.
  if (FAILED(security) && security != RPC_E_TOO_LATE) return zqv::Fail(err, -2);
  IWbemLocator* created = nullptr;
  if (FAILED(CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER, IID_IWbemLocator,
                              reinterpret_cast<void**>(&created)))) {
    return zqv::Fail(err, -3);
  }
  ComRef<IWbemLocator> locator(created);
  IWbemServices* connected = nullptr;
  HRESULT connection;
  if (!computer.empty()) {
    Credentials c;
    if (int32_t code = RemoteCredentials(user, password, c)) return zqv::Fail(err, code);
    std::string path = "\\\\" + std::string(computer) + "\\root\\cimv2";
    connection = locator->ConnectServer(MakeBstr(path).get(), MakeBstr(c.user).get(), MakeBstr(c.password).get(),
                                        MakeBstr("MS_409").get(), 0, MakeBstr("ntlmdomain:domain").get(), nullptr,
                                        &connected);
  } else {
    connection = locator->ConnectServer(MakeBstr("root\\cimv2").get(), nullptr, nullptr, nullptr, 0, nullptr,
                                        nullptr, &connected);
  }
  ComRef<IWbemServices> services(connected);
  if (FAILED(connection) || !services) return zqv::Fail(err, -5);
  if (FAILED(CoSetProxyBlanket(services.get(), RPC_C_AUTHN_WINNT, RPC_C_AUTHZ_NONE, nullptr, RPC_C_AUTHN_LEVEL_CALL,
                               RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE))) {
    return zqv::Fail(err, -6);
  }
  IEnumWbemClassObject* found = nullptr;
  HRESULT ran = services->ExecQuery(MakeBstr("WQL").get(), MakeBstr(query).get(),
                                    WBEM_FLAG_FORWARD_ONLY | WBEM_FLAG_RETURN_IMMEDIATELY, nullptr, &found);
  ComRef<IEnumWbemClassObject> walk(found);
  if (FAILED(ran) || !walk) return zqv::Fail(err, -7);
  BSTR result = zqv::TextResult(Walk(*walk, properties, key));
  if (err) *err = 0;
  return result;
}

}  // namespace

ZQV_API BSTR UTDoWMIQuery(int32_t queryLen, const char* query, int32_t propertiesLen, const char* properties,
                          int32_t* err, int32_t keyLen, const char* key, int32_t computerLen, const char* computer,
                          int32_t userLen, const char* user, int32_t passwordLen, const char* password) {
  std::string_view text = zqv::HostText(queryLen, query);
  if (text.empty()) return zqv::Fail(err, -999);
  try {
    return Query(text, zqv::HostText(propertiesLen, properties), err, zqv::HostText(keyLen, key),
                 zqv::HostText(computerLen, computer), zqv::HostText(userLen, user),
                 zqv::HostText(passwordLen, password));
  } catch (...) {
    return zqv::Fail(err, -1);  // memory exhausted, as every export reports it
  }
}
