// A window's life: open, its loop, posted events, close.
#include <algorithm>
#include <map>
#include <mutex>
#include <set>

#include "windows/WindowImpl.h"
#include "zqplatform/uiinput.h"

namespace zq::rt {

namespace {
std::mutex openLock;
std::map<DWORD, std::vector<Window::Impl*>> openWindows;
}  // namespace

void AddOpenWindow(Window::Impl* window) {
  std::lock_guard hold(openLock);
  openWindows[window->thread].push_back(window);
}

void RemoveOpenWindow(Window::Impl* window) {
  std::lock_guard hold(openLock);
  auto it = openWindows.find(window->thread);
  if (it == openWindows.end()) return;
  std::erase(it->second, window);
  if (it->second.empty()) openWindows.erase(it);
}

void TellWindowsBelow(Window::Impl* running, const PendingEvent& event) {
  std::lock_guard hold(openLock);
  auto it = openWindows.find(running->thread);
  if (it == openWindows.end()) return;
  for (Window::Impl* below : it->second) {
    if (below == running) break;
    below->nested.push_back(event);
  }
}

void HandOnNestedEvents(Window::Impl* top) {
  std::lock_guard hold(openLock);
  for (const PendingEvent& e : top->nested) top->pending.push_back(e);
  top->nested.clear();
}

Window* CurrentWindow() {
  std::lock_guard hold(openLock);
  auto it = openWindows.find(GetCurrentThreadId());
  return it == openWindows.end() ? nullptr : it->second.back()->window;
}

namespace {
std::atomic<HINSTANCE> iconInstance{0};
}

void SetIconInstance(HINSTANCE instance) { iconInstance = instance; }
HINSTANCE IconInstance() { return iconInstance; }

namespace {

std::mutex mergedLock;
std::set<int32_t> merged;

// Posts a program event to a thread (hwnd 0) or a window, merged when the event asks for it.
bool PostEvent(DWORD thread, HWND hwnd, uint32_t message, WPARAM wParam, int32_t event, int32_t control) {
  MSG m{hwnd, message, wParam, static_cast<LPARAM>(control), 0, {0, 0}};
  bool merge = false;
  if (control == 0) {
    std::lock_guard hold(mergedLock);
    merge = merged.count(event) > 0;
  }
  return merge ? zq::msg::PostToThreadOnce(thread, m) : zq::msg::PostToThread(thread, m);
}

}  // namespace

void MergeWhilePending(int32_t event) {
  std::lock_guard hold(mergedLock);
  merged.insert(event);
}

bool Post(int32_t event, int32_t control, uint32_t thread) {
  return PostEvent(thread, 0, kThreadEventMessage, static_cast<WPARAM>(static_cast<uint32_t>(event)), event, control);
}

Window::Window(WindowDef definition) : impl_(std::make_unique<Impl>()) {
  impl_->window = this;
  impl_->def = std::move(definition);
}

Window::~Window() { Close(); }

bool Window::Open(HWND owner) {
  Impl& d = *impl_;
  if (d.hwnd != 0) return false;
  d.thread = GetCurrentThreadId();
  d.ending = false;
  d.pending.clear();
  d.held.reset();
  d.current = {};
  d.lastKey = 0;
  {
    std::lock_guard hold(openLock);
    d.nested.clear();
  }
  d.keys = d.def.keys;
  d.immediate = d.def.immediate;
  RECT size = d.Pixels({0, 0, d.def.width, d.def.height});
  int32_t statusHeight = d.def.statusZones > 0 ? d.Pixels({0, 0, 0, 10}).bottom : 0;
  RECT around = d.Centred(owner);
  int32_t width = around.right - around.left;
  int32_t height = around.bottom - around.top;
  if (d.def.at) {
    // A position of its own, unless that is off the screen.
    RECT at = d.Pixels(*d.def.at);
    RECT placed{at.left, at.top, at.left + width, at.top + height};
    if (OnScreen(placed)) around = placed;
  }
  uint32_t style = WS_POPUP;
  if (d.def.caption) style |= WS_CAPTION;
  if (d.def.systemMenu) style |= WS_SYSMENU;
  if (d.def.resizable) style |= WS_THICKFRAME;
  if (d.def.maximize) style |= WS_MAXIMIZEBOX;
  Impl* self = &d;
  HWND h = CreateWindowExA(0, d.def.title.c_str(), style, around.left, around.top, width, height, 0, owner,
                           [self](HWND w, uint32_t m, WPARAM wp, LPARAM lp) { return self->Proc(w, m, wp, lp); });
  if (h == 0) return false;
  d.hwnd = h;
  HICON icon = d.def.icon.empty() ? 0 : LoadIconA(iconInstance, d.def.icon.c_str());
  zq::ui::Update(h, [&](zq::ui::WindowState& s) {
    s.font = d.def.font;
    s.backColour = d.def.backColour;
    s.icon = icon;
  });
  d.controls.clear();
  for (const ControlDef& c : d.def.controls) d.Make(c);
  if (d.def.statusZones > 0) {
    d.statusBar = zq::ui::CreateControl(h, zq::ui::Kind::Text, kStatusBarId, "",
                                        RECT{0, size.bottom, width, size.bottom + statusHeight});
    zq::ui::Update(d.statusBar, [&](zq::ui::WindowState& s) { s.font = d.def.font; });
  }
  // Modal on its thread: the window below refuses input until this one closes.
  d.disabledBelow = 0;
  if (Window* below = CurrentWindow(); below && IsWindowEnabled(below->Handle())) {
    d.disabledBelow = below->Handle();
    EnableWindow(d.disabledBelow, false);
  }
  AddOpenWindow(self);
  ShowWindow(h, SW_SHOW);
  SetForegroundWindow(h);
  d.timer = d.def.timer;
  d.nextTick = std::chrono::steady_clock::now() + std::chrono::milliseconds(d.timer * 10);
  for (ControlState& c : d.controls) {
    if (!Focusable(c)) continue;
    SetFocus(c.hwnd);
    if (GetFocus() == c.hwnd) break;
  }
  d.lastFocus = GetFocus();
  d.Push(kOpenWindow);
  if (d.def.question) zq::ui::OpenQuestion(h);
  return true;
}

bool Window::Accept() {
  Impl& d = *impl_;
  if (d.hwnd == 0 || d.ending) return false;
  if (d.current.event == kCloseWindow && !d.refused) {
    d.ending = true;
    return false;
  }
  if (d.held) {
    PendingEvent k = *d.held;
    d.held.reset();
    if (d.keepKey) d.KeyAction(d.Find(k.control), k.key, k.row);
    d.pending.push_front({kAlertKey, k.control, k.key, -1});
  }
  d.refused = false;
  d.keepKey = false;
  for (;;) {
    if (!d.pending.empty()) {
      d.current = d.pending.front();
      d.pending.pop_front();
      if (d.current.key != 0) d.lastKey = d.current.key;
      if (d.current.event == kPreAlertKey) d.held = d.current;
      return true;
    }
    auto now = std::chrono::steady_clock::now();
    if (d.timer > 0 && now >= d.nextTick) {
      d.nextTick = now + std::chrono::milliseconds(d.timer * 10);
      d.current = {kTimer, 0, 0, -1};
      return true;
    }
    MSG m;
    if (PeekMessage(&m, 0, 0, 0, PM_REMOVE)) {
      if (m.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(m.wParam));
        d.ending = true;
        return false;
      }
      if (m.hwnd != 0) {
        DispatchMessage(&m);
        d.CheckFocus();
        continue;
      }
      int32_t event = 0, control = 0;
      if (m.message == kThreadEventMessage) {
        event = static_cast<int32_t>(m.wParam);
        control = static_cast<int32_t>(m.lParam);
      } else if (m.message >= WM_USER && m.message < WM_APP) {
        event = static_cast<int32_t>(m.message);
        control = static_cast<int32_t>(m.wParam);
      } else {
        continue;
      }
      if (event >= kUserEvent) TellWindowsBelow(&d, {event, control, 0, -1});
      d.Push(event, control);
      continue;
    }
    DWORD wait = INFINITE;
    if (d.timer > 0) {
      auto left = std::chrono::duration_cast<std::chrono::milliseconds>(d.nextTick - now).count();
      wait = static_cast<DWORD>(std::max<int64_t>(left, 0));
    }
    WaitMessageFor(wait);
  }
}

void Window::End() { impl_->ending = true; }
void Window::Refuse() { impl_->refused = true; }
void Window::KeepKeyAction() { impl_->keepKey = true; }

void Window::Close() {
  Impl& d = *impl_;
  HWND h = d.hwnd.exchange(0);
  if (h == 0) return;
  if (d.def.question) zq::ui::CloseQuestion(h);
  RemoveOpenWindow(&d);
  DestroyWindow(h);
  if (Window* below = CurrentWindow()) {
    HandOnNestedEvents(below->impl_.get());
    // The window below takes input again, with the focus where it had it.
    if (d.disabledBelow != 0 && below->Handle() == d.disabledBelow) {
      EnableWindow(d.disabledBelow, true);
      SetForegroundWindow(d.disabledBelow);
      if (below->impl_->lastFocus != 0) SetFocus(below->impl_->lastFocus);
    }
  }
  d.disabledBelow = 0;
  d.controls.clear();
  d.statusBar = 0;
  d.pending.clear();
  d.held.reset();
}

bool Window::IsOpen() const { return impl_->hwnd != 0; }
int32_t Window::Event() const { return impl_->current.event; }
int32_t Window::Field() const { return impl_->current.control; }
uint32_t Window::Keycode() const { return impl_->lastKey; }
HWND Window::Handle() const { return impl_->hwnd; }
uint32_t Window::Thread() const { return impl_->thread; }
const WindowDef& Window::Definition() const { return impl_->def; }

bool Window::Post(int32_t event, int32_t control) const {
  HWND h = impl_->hwnd;
  return h != 0 && PostEvent(GetWindowThreadProcessId(h, nullptr), h, kWindowEventMessage, static_cast<WPARAM>(static_cast<uint32_t>(event)),
                             event, control);
}

bool Window::PostAccepted(int32_t control, uint32_t keycode) const {
  HWND h = impl_->hwnd;
  WPARAM w = static_cast<WPARAM>(static_cast<uint32_t>(kAccepted)) | (static_cast<WPARAM>(keycode) << 32);
  return h != 0 && PostMessage(h, kWindowEventMessage, w, static_cast<LPARAM>(control));
}

bool Window::PressKey(uint32_t keycode) {
  Impl& d = *impl_;
  if (d.hwnd == 0) return false;
  HWND target = d.hwnd;
  HWND f = GetFocus();
  if (d.FindHandle(f) && IsWindowEnabled(f)) target = f;
  switch (keycode) {
    case kLeftClick: return zq::ui::input::Click(target);
    case kRightClick: return zq::ui::input::RightClick(target);
    case kDoubleClick: return zq::ui::input::DoubleClick(target);
    default: return zq::ui::input::KeyPress(target, keycode & 0xFF, (keycode >> 8) & 7);
  }
}


}  // namespace zq::rt
