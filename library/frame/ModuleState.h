// The library's module state: made current for the calling thread by every export on entry
// and put back on every return.
#pragma once

namespace zqv {

struct ModuleState {
  const char* name;
};

// The state current on this thread (the host's, null, outside the library).
const ModuleState* CurrentModuleState();

class ModuleStateGuard {
 public:
  ModuleStateGuard();
  ~ModuleStateGuard();
  ModuleStateGuard(const ModuleStateGuard&) = delete;
  ModuleStateGuard& operator=(const ModuleStateGuard&) = delete;

 private:
  const ModuleState* saved_;
};

}  // namespace zqv
