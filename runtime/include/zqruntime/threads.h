// Threads started by procedure, with one string parameter that carries any bytes (zero
// bytes included), numbered as the platform numbers threads (GetCurrentThreadId), so a
// thread started here can receive posted events at once. A thread ends when its procedure
// returns.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace zq::rt {

using ThreadProcedure = void (*)(std::string_view parameter);

// Starts procedure on a new thread with the default stack size; the new thread has its
// message queue before the call returns its number. 0 when no thread could be started.
uint32_t StartThread(ThreadProcedure procedure, std::string parameter = {});

// The calling thread's number.
uint32_t CurrentThread();

}  // namespace zq::rt
