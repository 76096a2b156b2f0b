// The model's store: every window by handle, the top-level Z order, the foreground window,
// menus, icons and the notification-area icon, all behind one lock. Window procedures and
// the presenter are never called with the lock held.
#pragma once
#include <map>
#include <mutex>
#include <optional>
#include <vector>

#include "zqplatform/uimodel.h"

namespace zq::ui::detail {

struct Entry {
  WindowState state;
  WNDPROC proc;
  bool modalEnded = false;
  intptr_t modalResult = 0;
};

struct IconResource {
  HINSTANCE instance = 0;
  std::string name;  // lower case
  std::string image;
};

class Model {
 public:
  static Model& Get();

  std::mutex lock;
  std::map<HWND, Entry> windows;
  std::vector<HWND> zorder;  // top-level windows, front first; topmost ones lead
  HWND foreground = 0;
  HWND focus = 0;
  std::map<HMENU, std::vector<MenuItem>> menus;
  std::map<HICON, IconResource> icons;
  std::map<HINSTANCE, bool> instances;
  TrayState tray;
  TrackedMenu tracked;
  std::optional<uint32_t> armedChoice;

  // Under the lock:
  Entry* Find(HWND hwnd);
  HWND NewWindowHandle();
  uint32_t NewNumber();  // menus, icons, instances
  void Unlink(HWND hwnd);  // from the Z order and the foreground
  // Moves a top-level window within its band: to the front, or to the very back.
  void Raise(HWND hwnd);
  void SendToBack(HWND hwnd);
  HWND TopLevelOf(HWND hwnd);
  bool IsSelfOrDescendant(HWND ancestor, HWND hwnd);

 private:
  Model();
  uint32_t nextWindow_ = 0x100;
  uint32_t nextNumber_ = 0x100;
};

// Handed to the message queues: who owns a window and how a window filter matches.
DWORD OwnerOf(HWND hwnd);
bool FilterMatches(HWND filter, HWND target);

// Lets the presenter show a change (outside the lock).
void Notify(HWND hwnd);

// The window's procedure and owner, read under the lock.
struct Target {
  WNDPROC proc;
  DWORD thread = 0;
};
std::optional<Target> TargetOf(HWND hwnd);

}  // namespace zq::ui::detail
