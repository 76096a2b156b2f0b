// Threads started by procedure, with one string parameter that carries any bytes (zero
// bytes included), numbered as the platform numbers threads (GetCurrentThreadId), so a
// thread started here can receive posted events at once.
//
// A thread ends when its procedure returns, or when an exception leaves it: the exception is
// logged on standard error, the procedure's locals are destroyed as on a return, and the
// thread ends as any other (its queue closes; posts to it fail). So a job posts its end event
// from a guard, a local whose destructor runs either way:
//
//   void SCANDIRTH(std::string_view parameter) {
//     struct EndEvent {
//       uint32_t to;
//       ~EndEvent() { zq::rt::Post(0x400, 0, to); }  // zqruntime/window.h
//     } end{mainThread};
//     ...  // the job
//   }
//
// Threads share data only through queues (read by another thread through copies) and posted
// events; every flag that two threads read and write (a job's running and stop flags) is a
// std::atomic in the program, never a plain variable.
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
