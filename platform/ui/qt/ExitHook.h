// The one place where the process's exit stops the presenter, before any static object goes.
#pragma once
#include <functional>

namespace zq::ui::qt {

// Runs hook once when the process exits. An exit on the main thread runs it first of all, as
// the main thread's thread-local objects go before any handler or static destructor; an exit
// on another thread runs it from the exit handlers, registered at this call.
void SetExitHook(std::function<void()> hook);

}  // namespace zq::ui::qt
