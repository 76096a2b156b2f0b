// Windows of the window model with the Windows calls on them: every window is a 32-bit handle
// owned by the thread that created it, and its messages go to that thread's queue, where the
// thread's loop dispatches them to the window's procedure. Rectangles are screen pixels for
// top-level windows and parent-client pixels for child windows. Texts are in the ANSI code page.
#pragma once
#include <cstdint>
#include <functional>

#include "zqplatform/messages.h"

typedef uint32_t HINSTANCE;  // a table of resources (icons by name); 0 is none
typedef uint32_t HICON;
typedef uint32_t HMENU;
typedef uint32_t COLORREF;  // 0x00BBGGRR

struct RECT {
  int32_t left;
  int32_t top;
  int32_t right;
  int32_t bottom;
};

// A window's procedure, called on the owning thread.
using WNDPROC = std::function<LRESULT(HWND, uint32_t, WPARAM, LPARAM)>;

constexpr uint32_t WM_CREATE = 0x0001;
constexpr uint32_t WM_DESTROY = 0x0002;
constexpr uint32_t WM_MOVE = 0x0003;
constexpr uint32_t WM_SIZE = 0x0005;
constexpr uint32_t WM_ACTIVATE = 0x0006;
constexpr uint32_t WM_SETTEXT = 0x000C;
constexpr uint32_t WM_GETTEXT = 0x000D;
constexpr uint32_t WM_CLOSE = 0x0010;
constexpr uint32_t WM_KEYDOWN = 0x0100;
constexpr uint32_t WM_KEYUP = 0x0101;
constexpr uint32_t WM_CHAR = 0x0102;
constexpr uint32_t WM_COMMAND = 0x0111;
constexpr uint32_t WM_SYSCOMMAND = 0x0112;
constexpr uint32_t WM_LBUTTONDOWN = 0x0201;
constexpr uint32_t WM_LBUTTONUP = 0x0202;
constexpr uint32_t WM_LBUTTONDBLCLK = 0x0203;
constexpr uint32_t WM_RBUTTONDOWN = 0x0204;
constexpr uint32_t WM_RBUTTONUP = 0x0205;

constexpr uint32_t BN_CLICKED = 0;
constexpr uint32_t BN_DOUBLECLICKED = 5;
constexpr uint32_t LBN_SELCHANGE = 1;  // a list's chosen row changed
constexpr uint32_t CBN_SELCHANGE = 1;  // a combo's or drop list's chosen row changed
constexpr uint32_t TCN_SELCHANGE = 2;  // a tab control's chosen tab changed
constexpr uint32_t EN_CHANGE = 0x0300;  // the user changed an entry's or spin box's value
constexpr int32_t SC_CLOSE = 0xF060;

constexpr uint32_t EM_SETSEL = 0x00B1;
constexpr uint32_t EM_SCROLLCARET = 0x00B7;

// Virtual-key codes the window model names.
constexpr uint32_t VK_BACK = 0x08;
constexpr uint32_t VK_TAB = 0x09;
constexpr uint32_t VK_RETURN = 0x0D;
constexpr uint32_t VK_SHIFT = 0x10;
constexpr uint32_t VK_CONTROL = 0x11;
constexpr uint32_t VK_MENU = 0x12;
constexpr uint32_t VK_ESCAPE = 0x1B;
constexpr uint32_t VK_SPACE = 0x20;
constexpr uint32_t VK_PRIOR = 0x21;
constexpr uint32_t VK_NEXT = 0x22;
constexpr uint32_t VK_END = 0x23;
constexpr uint32_t VK_HOME = 0x24;
constexpr uint32_t VK_LEFT = 0x25;
constexpr uint32_t VK_UP = 0x26;
constexpr uint32_t VK_RIGHT = 0x27;
constexpr uint32_t VK_DOWN = 0x28;
constexpr uint32_t VK_INSERT = 0x2D;
constexpr uint32_t VK_DELETE = 0x2E;
constexpr uint32_t VK_F1 = 0x70;  // F1..F24 follow in order

// ShowWindow
constexpr int32_t SW_HIDE = 0;
constexpr int32_t SW_SHOWNORMAL = 1;
constexpr int32_t SW_SHOWMINIMIZED = 2;
constexpr int32_t SW_SHOWMAXIMIZED = 3;
constexpr int32_t SW_SHOWNOACTIVATE = 4;
constexpr int32_t SW_SHOW = 5;
constexpr int32_t SW_MINIMIZE = 6;
constexpr int32_t SW_RESTORE = 9;

// SetWindowPos places and flags
constexpr HWND HWND_TOP = 0;
constexpr HWND HWND_BOTTOM = 1;
constexpr HWND HWND_TOPMOST = static_cast<HWND>(-1);
constexpr HWND HWND_NOTOPMOST = static_cast<HWND>(-2);
constexpr uint32_t SWP_NOSIZE = 0x0001;
constexpr uint32_t SWP_NOMOVE = 0x0002;
constexpr uint32_t SWP_NOZORDER = 0x0004;
constexpr uint32_t SWP_NOACTIVATE = 0x0010;
constexpr uint32_t SWP_SHOWWINDOW = 0x0040;
constexpr uint32_t SWP_HIDEWINDOW = 0x0080;

// Window styles the model keeps.
constexpr uint32_t WS_POPUP = 0x80000000;
constexpr uint32_t WS_CHILD = 0x40000000;
constexpr uint32_t WS_VISIBLE = 0x10000000;
constexpr uint32_t WS_DISABLED = 0x08000000;
constexpr uint32_t WS_CAPTION = 0x00C00000;
constexpr uint32_t WS_BORDER = 0x00800000;
constexpr uint32_t WS_VSCROLL = 0x00200000;
constexpr uint32_t WS_HSCROLL = 0x00100000;
constexpr uint32_t WS_SYSMENU = 0x00080000;
constexpr uint32_t WS_THICKFRAME = 0x00040000;
constexpr uint32_t WS_MAXIMIZEBOX = 0x00010000;
constexpr uint32_t WS_TABSTOP = 0x00010000;
constexpr uint32_t WS_OVERLAPPEDWINDOW = 0x00CF0000;
constexpr uint32_t ES_PASSWORD = 0x00000020;  // an edit that shows its text as bullets
constexpr uint32_t WS_EX_TOPMOST = 0x00000008;
constexpr uint32_t WS_EX_CLIENTEDGE = 0x00000200;

// Creates a top-level window (parent 0) or a child window of kind "window" owned by the
// calling thread; the procedure gets WM_CREATE before the call returns. 0 on failure
// (a parent or owner that does not exist).
HWND CreateWindowExA(uint32_t exStyle, const char* windowName, uint32_t style, int32_t x, int32_t y,
                     int32_t width, int32_t height, HWND parent, HWND owner, WNDPROC proc);
// Destroys the window and its children (WM_DESTROY to each when called on the owning thread);
// false when it does not exist.
bool DestroyWindow(HWND hwnd);
bool IsWindow(HWND hwnd);
bool IsWindowVisible(HWND hwnd);
bool IsWindowEnabled(HWND hwnd);
bool EnableWindow(HWND hwnd, bool enable);
// Returns whether the window was visible before.
bool ShowWindow(HWND hwnd, int32_t command);
bool SetWindowPos(HWND hwnd, HWND insertAfter, int32_t x, int32_t y, int32_t cx, int32_t cy,
                  uint32_t flags);
bool MoveWindow(HWND hwnd, int32_t x, int32_t y, int32_t width, int32_t height, bool repaint);
bool GetWindowRect(HWND hwnd, RECT* rect);
// Succeeds for an existing, visible, enabled top-level window (or the child of one).
bool SetForegroundWindow(HWND hwnd);
HWND GetForegroundWindow();
// parent 0: the first visible top-level window of the Z order (0 when none); else the parent's
// first child.
HWND GetTopWindow(HWND parent);
// Returns whether the window was active (the foreground window) before the call; false for a
// handle that names no window.
bool FlashWindow(HWND hwnd, bool invert);
bool SetWindowTextA(HWND hwnd, const char* text);
// Copies at most size - 1 bytes and a terminator; returns the bytes copied.
int32_t GetWindowTextA(HWND hwnd, char* buffer, int32_t size);
HWND GetParent(HWND hwnd);
// The keyboard focus: a visible, enabled window or control; returns the one that had it
// (0 when the window cannot take it, and then nothing changes).
HWND SetFocus(HWND hwnd);
HWND GetFocus();
DWORD GetWindowThreadProcessId(HWND hwnd, DWORD* processId);
// The child with the control number, or 0.
HWND GetDlgItem(HWND dialog, int32_t id);

// Calls the procedure of the message's window on the calling thread (the window's owner);
// 0 for thread messages and unknown windows.
LRESULT DispatchMessage(const MSG* msg);
// Calls the window's procedure: directly on the owning thread; from another thread the
// call waits until the owner handles it, handling calls sent to the waiting thread meanwhile.
// 0 when the window is gone or its thread has no queue.
LRESULT SendMessage(HWND hwnd, uint32_t message, WPARAM wParam, LPARAM lParam);
// The default handling: WM_CLOSE destroys the window, WM_GETTEXT/WM_SETTEXT reach its text.
LRESULT DefWindowProc(HWND hwnd, uint32_t message, WPARAM wParam, LPARAM lParam);

// Asks the modal loop that runs the window (zq::ui::RunModal) to end with result.
bool EndDialog(HWND hwnd, intptr_t result);

// Popup menus.
constexpr uint32_t MF_STRING = 0x0000;
constexpr uint32_t MF_GRAYED = 0x0001;
constexpr uint32_t MF_SEPARATOR = 0x0800;
constexpr uint32_t TPM_RETURNCMD = 0x0100;
constexpr uint32_t TPM_NONOTIFY = 0x0080;
HMENU CreatePopupMenu();
bool AppendMenuA(HMENU menu, uint32_t flags, uintptr_t id, const char* text);
bool DestroyMenu(HMENU menu);
// Shows the menu at (x, y) until a choice or a dismissal. With TPM_RETURNCMD returns the
// command chosen (0 for none); otherwise posts WM_COMMAND with it to owner and returns
// whether a command was chosen (TPM_NONOTIFY is accepted and changes nothing else).
int32_t TrackPopupMenu(HMENU menu, uint32_t flags, int32_t x, int32_t y, int32_t reserved,
                       HWND owner, const RECT* ignored);
bool GetCursorPos(POINT* point);

// Icons: looked up by name in an instance's resources (zq::ui::AddIconResource).
HICON LoadIconA(HINSTANCE instance, const char* name);
bool DestroyIcon(HICON icon);

// The notification area.
constexpr uint32_t NIM_ADD = 0;
constexpr uint32_t NIM_MODIFY = 1;
constexpr uint32_t NIM_DELETE = 2;
constexpr uint32_t NIF_MESSAGE = 1;
constexpr uint32_t NIF_ICON = 2;
constexpr uint32_t NIF_TIP = 4;

struct NOTIFYICONDATAA {
  uint32_t cbSize;
  HWND hWnd;  // receives uCallbackMessage with (uID, mouse message)
  uint32_t uID;
  uint32_t uFlags;
  uint32_t uCallbackMessage;
  HICON hIcon;
  char szTip[128];
  uint32_t uVersion;
};

// One icon per (window, number). False when the notification area is missing, or for a
// modify or delete of an icon that was never added.
bool Shell_NotifyIconA(uint32_t message, const NOTIFYICONDATAA* data);
