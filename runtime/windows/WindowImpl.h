// What a runtime window keeps: its definition, its controls with their run-time state, and
// the events waiting for its loop. Shared by the window, control and dialog areas.
#pragma once
#include <atomic>
#include <chrono>
#include <deque>
#include <optional>

#include "zqplatform/uimodel.h"
#include "zqruntime/window.h"

namespace zq::rt {

// Carriers of runtime events in the platform's queues.
constexpr uint32_t kWindowEventMessage = WM_APP + 0x100;  // to a window: (event | key << 32, control)
constexpr uint32_t kThreadEventMessage = WM_APP + 0x101;  // to a thread: (event, control)
constexpr int32_t kStatusBarId = 0x7FFF;

struct ControlState {
  ControlDef def;
  HWND hwnd = 0;
  std::optional<Binding> binding;
  const Queue* queue = nullptr;
  double real = 0;         // spin value
  int32_t selection = -1;  // list row (0-based) as the loop last saw it
  uint32_t mouseRow = 0;     // row (0: the header) and column (0: none) of the last press
  int32_t mouseColumn = 0;
  int32_t column = 0;  // the highlighted column with cell selection, else 0
  int32_t lineHeight = 0;  // a list's row height in dialog units, 0: from its font
  std::string settled;     // the value the control last had from the program or accepted
  bool changed = false;    // marked as changed: leaving it accepts it whatever its value
  bool hidden = false;     // the program's own hide state
  bool HasKey(uint32_t code) const;
};

struct PendingEvent {
  int32_t event = 0;
  int32_t control = 0;
  uint32_t key = 0;
  int32_t row = -1;  // kPreAlertKey of a left click on a list: the row it would select
};

struct Window::Impl {
  Window* window = nullptr;  // the window this belongs to
  WindowDef def;
  std::atomic<HWND> hwnd{0};
  DWORD thread = 0;
  bool ending = false;
  std::vector<ControlState> controls;  // definition order
  std::vector<uint32_t> keys;
  std::deque<PendingEvent> pending;
  PendingEvent current;
  bool refused = false;
  bool keepKey = false;
  std::optional<PendingEvent> held;  // a key waiting for the answer to kPreAlertKey
  uint32_t lastKey = 0;
  int32_t timer = 0;
  std::chrono::steady_clock::time_point nextTick;
  HWND lastFocus = 0;
  HWND statusBar = 0;
  HWND disabledBelow = 0;  // the window of this thread that this one made modal
  // Program events nested windows took while this one waited (guarded by the registry of
  // open windows); they come to this loop when the window above it closes.
  std::vector<PendingEvent> nested;
  bool immediate = false;
  int32_t minWidth = 0, minHeight = 0, maxWidth = 0, maxHeight = 0;  // dialog units, 0: none

  ControlState* Find(int32_t number);
  const ControlState* Find(int32_t number) const;
  ControlState* FindHandle(HWND h);
  zq::ui::Font FontOf(const ControlDef& d) const { return d.font ? *d.font : def.font; }
  RECT Pixels(const DlgRect& at) const;
  DlgRect Units(const RECT& pixels) const;

  // Builds a control in the model from its definition.
  bool Make(const ControlDef& d);
  // The window procedure of the window and of each of its controls.
  LRESULT Proc(HWND h, uint32_t message, WPARAM wParam, LPARAM lParam);
  void Push(int32_t event, int32_t control = 0, uint32_t key = 0, int32_t row = -1) {
    pending.push_back({event, control, key, row});
  }
  void OnKey(ControlState* c, uint32_t code, int32_t row = -1);
  // Tells the presenter which keys reach the control only as the loop's events: its alert
  // keys, the window's, and those whose action the runtime gives itself.
  void ShowTakenKeys(ControlState& c);
  void ShowTakenKeys();
  void KeyAction(ControlState* c, uint32_t code, int32_t row);
  void Accepted(ControlState& c);
  void Chosen(ControlState& c);
  void Spun(ControlState& c);
  void MoveFocus(bool backwards);
  void CheckFocus();
  // A control the focus leaves, or whose Enter presses the default button, is accepted when
  // its value was edited since it last settled (or it was marked as changed).
  void AcceptIfEdited(ControlState& c);
  // The control's value settles and goes into its bound variable.
  void TakeValue(ControlState& c);
  void EnforceLimits();
  // The status bar along the bottom of the window's inner area, whatever its size.
  void PlaceStatusBar();
  // The model's value of a control, and writing one.
  int32_t ModelValue(const ControlState& c) const;
  void SetModelValue(ControlState& c, int32_t value);
  // The control's value as its variable holds it, and back.
  std::string ValueText(const ControlState& c) const;
  void ShowValue(ControlState& c, std::string_view text);
  // A read-only combo shows no text of its own, only a row of its list: the row holding its
  // text is chosen, none when no row holds it.
  void ChooseRowOfText(ControlState& c);
  // A text as the control shows it: without a STRING's trailing blanks, upper-cased for an
  // upper-case entry, cut to the control's length in characters.
  static std::string Shown(const ControlDef& d, std::string_view text);
  void SetSpin(ControlState& c, double v);
  // Shown: not hidden by the program and, on a sheet, on its chosen tab while the sheet is shown.
  bool Visible(const ControlState& c) const;
  void ShowControl(ControlState& c);
  // Shows the controls of the sheet's chosen tab and hides those of its other tabs.
  void ShowSheet(const ControlState& sheet);
  // A tab the user chose: its controls are shown, the loop sees a new selection of the sheet.
  void TabChosen(ControlState& sheet);
  // A list's highlighted column with cell selection (0: whole rows), as the presenter draws it.
  void SetColumn(ControlState& c, int32_t column);
  // Notes the row and column under a press of either button on a list; the row (from 0, -1: the header).
  int32_t MarkPress(ControlState& c);
  // The designed size (the status bar included) centred over owner, 0: the screen's work area.
  RECT Centred(HWND owner) const;
};

// The resources where icons are looked up by the names the definitions give (SetIconInstance).
HINSTANCE IconInstance();
// Whether a screen rectangle lies at least partly on the work area of one of the screens.
bool OnScreen(const RECT& r);

// Whether Tab and the window's opening give the control the focus: a visible, enabled control
// of a kind that takes input, not skipped by Tab.
bool Focusable(const ControlState& c);

// The open windows of each thread, oldest first.
void AddOpenWindow(Window::Impl* window);
void RemoveOpenWindow(Window::Impl* window);
// A program event the running window took: the windows opened before it on its thread
// learn of it.
void TellWindowsBelow(Window::Impl* running, const PendingEvent& event);
// The window closing on its thread hands the events it took to the window now on top there.
void HandOnNestedEvents(Window::Impl* top);

}  // namespace zq::rt
