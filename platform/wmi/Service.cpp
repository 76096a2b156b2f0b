// The locator, the connection to "root\cimv2" and running a query.
#include <mutex>
#include <stdexcept>

#include <unistd.h>

#include "FoldedText.h"
#include "Locator.h"
#include "Results.h"
#include "Wql.h"
#include "zqplatform/codepage.h"
#include "zqplatform/system.h"

const CLSID CLSID_WbemLocator = {0x4590F811, 0x1D3A, 0x11D0, {0x89, 0x1F, 0x00, 0xAA, 0x00, 0x4B, 0x2E, 0x24}};
const IID IID_IWbemLocator = {0xDC12A687, 0x737F, 0x11CF, {0x88, 0x4D, 0x00, 0xAA, 0x00, 0x4B, 0x2E, 0x24}};

namespace zq::wmi {

namespace {

std::mutex rootLock;
std::string systemRoot;

std::string Utf8(BSTR text) { return text ? zq::text::ToMulti(std::u16string_view(text, SysStringLen(text)), CP_UTF8) : ""; }

HRESULT RunQuery(std::string_view text, std::shared_ptr<Results>& results) {
  auto query = ParseWql(text);
  if (!query) return WBEM_E_INVALID_QUERY;
  const ClassDef* cls = FindClass(query->className);
  if (!cls) return WBEM_E_INVALID_CLASS;
  if (!Bind(*query, *cls)) return WBEM_E_INVALID_QUERY;
  results = std::make_shared<Results>();
  results->cls = cls;
  results->selected.assign(cls->properties.size(), query->allProperties);
  for (const std::string& p : query->properties) results->selected[static_cast<std::size_t>(cls->Find(p))] = true;
  for (Record& r : cls->read(SystemFiles(SystemRoot()), *cls)) {
    if (Matches(*query, r)) results->records.push_back(std::move(r));
  }
  return WBEM_S_NO_ERROR;
}

class Services final : public ComObject<IWbemServices> {
 public:
  HRESULT ExecQuery(BSTR language, BSTR query, int32_t, IWbemContext*, IEnumWbemClassObject** result) override {
    if (!result) return WBEM_E_INVALID_PARAMETER;
    *result = nullptr;
    if (HRESULT failure = zq::com::TakeInjectedFailure(zq::com::Step::Query)) return failure;
    if (!query) return WBEM_E_INVALID_PARAMETER;
    if (!EqualNoCase(Utf8(language), "WQL")) return WBEM_E_INVALID_QUERY_TYPE;
    try {
      std::shared_ptr<Results> results;
      if (HRESULT hr = RunQuery(Utf8(query), results); FAILED(hr)) return hr;
      *result = NewResultWalk(std::move(results));
      return WBEM_S_NO_ERROR;
    } catch (const std::bad_alloc&) {
      return E_OUTOFMEMORY;
    } catch (const std::exception&) {
      return WBEM_E_FAILED;
    }
  }
};

// The namespace's computer ("." for "root\cimv2" alone), or nothing for another namespace.
std::optional<std::string> ComputerOf(std::string path) {
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  std::string computer = ".";
  if (path.starts_with("\\\\")) {
    std::size_t end = path.find('\\', 2);
    if (end == std::string::npos) return std::nullopt;
    computer = path.substr(2, end - 2);
    path = path.substr(end + 1);
  }
  if (!EqualNoCase(path, "root\\cimv2")) return std::nullopt;
  return computer;
}

class Locator final : public ComObject<IWbemLocator> {
 public:
  HRESULT ConnectServer(BSTR path, BSTR, BSTR, BSTR, int32_t, BSTR, IWbemContext*, IWbemServices** services) override {
    if (!services) return WBEM_E_INVALID_PARAMETER;
    *services = nullptr;
    if (HRESULT failure = zq::com::TakeInjectedFailure(zq::com::Step::Connect)) return failure;
    auto computer = ComputerOf(Utf8(path));
    if (!computer) return WBEM_E_INVALID_NAMESPACE;
    if (!IsLocalComputer(*computer)) return RPC_S_SERVER_UNAVAILABLE;
    *services = new Services;
    return WBEM_S_NO_ERROR;
  }
};

}  // namespace

IWbemLocator* NewLocator() { return new Locator; }

void SetSystemRoot(std::string root) {
  std::lock_guard hold(rootLock);
  systemRoot = std::move(root);
}

std::string SystemRoot() {
  std::lock_guard hold(rootLock);
  return systemRoot;
}

bool IsLocalComputer(std::string_view name) {
  if (name.empty() || name == "." || EqualNoCase(name, "localhost")) return true;
  if (auto own = zq::sys::ComputerName(); own && EqualNoCase(name, zq::text::AnsiToUtf8(*own))) return true;
  char host[256] = {};
  return gethostname(host, sizeof host - 1) == 0 && EqualNoCase(name, host);
}

}  // namespace zq::wmi
