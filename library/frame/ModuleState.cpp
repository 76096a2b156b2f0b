#include "frame/ModuleState.h"

namespace zqv {
namespace {
constexpr ModuleState kLibraryState{"ZQ_Vantor"};
thread_local const ModuleState* current = nullptr;
}  // namespace

const ModuleState* CurrentModuleState() { return current; }

ModuleStateGuard::ModuleStateGuard() : saved_(current) { current = &kLibraryState; }

ModuleStateGuard::~ModuleStateGuard() { current = saved_; }

}  // namespace zqv
