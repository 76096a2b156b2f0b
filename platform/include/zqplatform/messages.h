// Threads and message queues as the Windows model has them: every thread has a 32-bit
// number and, from its first queue call on, a message queue of its own. Messages can be
// posted to a thread or to a window (the window model delivers those to its owning thread).
#pragma once
#include <cstdint>

typedef uint32_t HWND;  // window handle of the window model; 0 is none
typedef uint32_t DWORD;
typedef uintptr_t WPARAM;
typedef intptr_t LPARAM;
typedef intptr_t LRESULT;

struct POINT {
  int32_t x;
  int32_t y;
};

struct MSG {
  HWND hwnd;
  uint32_t message;
  WPARAM wParam;
  LPARAM lParam;
  DWORD time;  // milliseconds since the process started
  POINT pt;
};

constexpr uint32_t WM_NULL = 0x0000;
constexpr uint32_t WM_QUIT = 0x0012;
constexpr uint32_t WM_TIMER = 0x0113;
constexpr uint32_t WM_USER = 0x0400;
constexpr uint32_t WM_APP = 0x8000;

constexpr uint32_t PM_NOREMOVE = 0x0000;
constexpr uint32_t PM_REMOVE = 0x0001;

constexpr uint32_t INFINITE = 0xFFFFFFFF;

// The calling thread's number (never 0; stable for the thread's life).
DWORD GetCurrentThreadId();

// Posts to a thread's queue (hwnd 0). Fails (false) when the thread has no queue or has ended.
bool PostThreadMessage(DWORD threadId, uint32_t message, WPARAM wParam, LPARAM lParam);

// Creates the calling thread's queue if it has none (as any queue call does).
void EnsureMessageQueue();

// Waits for a message matching hwnd (0: any) and the range [min, max] (both 0: any).
// Returns 0 for WM_QUIT, 1 otherwise.
int GetMessage(MSG* msg, HWND hwnd, uint32_t min, uint32_t max);
// Like GetMessage without waiting; false when nothing matches.
bool PeekMessage(MSG* msg, HWND hwnd, uint32_t min, uint32_t max, uint32_t removeFlags);
// Waits up to timeoutMs for any message to arrive on the calling thread's queue; true when one is there.
bool WaitMessageFor(DWORD timeoutMs);
// Posts WM_QUIT to the calling thread.
void PostQuitMessage(int exitCode);

namespace zq::msg {
// Puts a whole message (its hwnd included) on a thread's queue; the window model posts
// window messages through it. False when the thread has no queue.
bool PostToThread(DWORD threadId, const MSG& msg);
}  // namespace zq::msg
