// Threads and message queues as the Windows model has them: every thread has a 32-bit
// number and, from its first queue call on, a message queue of its own. Messages can be
// posted to a thread or to a window (the window model delivers those to its owning thread).
#pragma once
#include <cstdint>
#include <functional>

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

// As the window filter of GetMessage and PeekMessage: thread messages (hwnd 0) only.
constexpr HWND kThreadOnly = 0xFFFFFFFF;

// The calling thread's number (never 0; stable for the thread's life).
DWORD GetCurrentThreadId();

// Posts to a thread's queue (hwnd 0). Fails (false) when the thread has no queue or has ended.
bool PostThreadMessage(DWORD threadId, uint32_t message, WPARAM wParam, LPARAM lParam);

// Posts to a window: the message goes, with its hwnd, to the queue of the window's owning
// thread. False when the window is unknown or its thread has no queue.
bool PostMessage(HWND hwnd, uint32_t message, WPARAM wParam, LPARAM lParam);

// Creates the calling thread's queue if it has none (as any queue call does). A thread's queue
// is freed when the thread ends; queue calls made after that (from thread-local destructors,
// or the main thread's static ones at exit) find it closed: GetMessage answers WM_QUIT at once.
void EnsureMessageQueue();

// Waits for a message matching hwnd (0: any; kThreadOnly: thread messages only) and the
// range [min, max] (both 0: any; WM_QUIT always matches the range). Posted messages come in
// the order they were posted; the quit of PostQuitMessage comes when no posted message matches.
// Returns 0 for WM_QUIT, 1 otherwise, -1 for a null msg.
int GetMessage(MSG* msg, HWND hwnd, uint32_t min, uint32_t max);
// Like GetMessage without waiting; false when nothing matches. msg may be null to test only.
bool PeekMessage(MSG* msg, HWND hwnd, uint32_t min, uint32_t max, uint32_t removeFlags);
// Waits up to timeoutMs (INFINITE: no limit) for any message to arrive on the calling
// thread's queue; true when one is there.
bool WaitMessageFor(DWORD timeoutMs);
// Posts WM_QUIT to the calling thread.
void PostQuitMessage(int exitCode);

namespace zq::msg {
// Puts a whole message (its hwnd included) on a thread's queue; the window model posts
// window messages through it. False when the thread has no queue.
// A zero time is stamped with the time of posting.
bool PostToThread(DWORD threadId, const MSG& msg);
// The same, merged into the newest message waiting there for the same window (or the thread)
// when that one is equal (message and both parameters): true then, without a second one.
bool PostToThreadOnce(DWORD threadId, const MSG& msg);

// Hands a call to a thread: it runs on that thread inside its next GetMessage, PeekMessage or
// WaitMessageFor, before posted messages are looked at (the way sent messages are handled).
// False when the thread has no queue; a call still pending when the thread ends is destroyed
// unrun.
bool CallOnThread(DWORD threadId, std::function<void()> call);

// What the queues ask of the window model, which sets them once:
// the thread that owns a window (0 when the window is unknown), for PostMessage; and how a
// window filter matches a message's window (the filter window's children too). Until they
// are set no window is known and a filter matches its own window only. The matcher runs with
// the queue's lock held: it must not post, send or wait for another thread.
using WindowOwner = DWORD (*)(HWND hwnd);
using WindowMatcher = bool (*)(HWND filter, HWND target);
void SetWindowOwner(WindowOwner owner);
void SetWindowMatcher(WindowMatcher matcher);
bool WindowMatches(HWND filter, HWND target);
}  // namespace zq::msg
