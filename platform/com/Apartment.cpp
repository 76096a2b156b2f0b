// Each thread's COM state, the process's security, object creation and connection security.
#include <array>
#include <atomic>

#include "../wmi/Locator.h"
#include "zqplatform/com.h"
#include "zqplatform/wmi.h"

namespace {

struct ThreadCom {
  int32_t initialisations = 0;
  uint32_t model = COINIT_MULTITHREADED;
};
thread_local ThreadCom threadCom;

std::atomic<bool> securitySet{false};

constexpr std::size_t kSteps = 6;
thread_local std::array<HRESULT, kSteps> injected{};

bool Initialised() { return threadCom.initialisations > 0; }

}  // namespace

namespace zq::com {

void FailNextCall(Step step, HRESULT result) { injected[static_cast<std::size_t>(step)] = result; }

HRESULT TakeInjectedFailure(Step step) {
  HRESULT result = injected[static_cast<std::size_t>(step)];
  injected[static_cast<std::size_t>(step)] = S_OK;
  return result;
}

}  // namespace zq::com

using zq::com::Step;
using zq::com::TakeInjectedFailure;

HRESULT CoInitializeEx(void*, uint32_t coInit) {
  if (HRESULT failure = TakeInjectedFailure(Step::Initialize)) return failure;
  uint32_t model = coInit & COINIT_APARTMENTTHREADED;
  if (Initialised()) {
    if (model != threadCom.model) return RPC_E_CHANGED_MODE;
    ++threadCom.initialisations;
    return S_FALSE;
  }
  threadCom.model = model;
  threadCom.initialisations = 1;
  return S_OK;
}

void CoUninitialize() {
  if (Initialised()) --threadCom.initialisations;
}

HRESULT CoInitializeSecurity(void*, int32_t, void*, void*, uint32_t, uint32_t, void*, uint32_t, void*) {
  if (HRESULT failure = TakeInjectedFailure(Step::Security)) return failure;
  if (!Initialised()) return CO_E_NOTINITIALIZED;
  return securitySet.exchange(true) ? RPC_E_TOO_LATE : S_OK;
}

HRESULT CoCreateInstance(const CLSID& clsid, IUnknown* outer, uint32_t, const IID& iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (HRESULT failure = TakeInjectedFailure(Step::CreateInstance)) return failure;
  if (!Initialised()) return CO_E_NOTINITIALIZED;
  if (outer) return E_NOINTERFACE;
  if (!(clsid == CLSID_WbemLocator)) return REGDB_E_CLASSNOTREG;
  if (!(iid == IID_IWbemLocator)) return E_NOINTERFACE;
  *object = zq::wmi::NewLocator();
  return S_OK;
}

HRESULT CoSetProxyBlanket(IUnknown* proxy, uint32_t, uint32_t, OLECHAR*, uint32_t, uint32_t, void*, uint32_t) {
  if (HRESULT failure = TakeInjectedFailure(Step::ProxyBlanket)) return failure;
  return proxy ? S_OK : E_INVALIDARG;
}
