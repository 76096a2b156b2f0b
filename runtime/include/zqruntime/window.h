// Windows of the runtime: declared from a definition, opened on the calling thread, and run
// by their own event loop on that thread:
//
//   zq::rt::Window w(definition);
//   w.Open();
//   while (w.Accept()) {
//     if (w.Event() == zq::rt::kAccepted && w.Field() == 1) w.End();
//   }
//   w.Close();
//
// Controls are addressed by number, and by ranges of numbers (first to last, in definition
// order of the numbers). The same definition can be open on several threads at once; every
// call of a Window belongs to its thread, except Post, which any thread may call.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "zqruntime/queue.h"
#include "zqruntime/windef.h"

namespace zq::rt {

// Events (Event()). Numbers from kUserEvent on are the program's own.
constexpr int32_t kAccepted = 0x01;      // a control's value accepted (button pressed, row chosen)
constexpr int32_t kNewSelection = 0x02;  // a new row or value selected
constexpr int32_t kFocus = 0x03;         // a control got the focus
constexpr int32_t kAlertKey = 0x04;      // an alert key of the window or of a control
constexpr int32_t kPreAlertKey = 0x05;   // before kAlertKey: KeepKeyAction() keeps the key's own action
constexpr int32_t kCloseWindow = 0x201;  // close request: Refuse() keeps the window open
constexpr int32_t kOpenWindow = 0x202;
constexpr int32_t kTimer = 0x203;
constexpr int32_t kSized = 0x204;
constexpr int32_t kUserEvent = 0x400;

// Posts an event to the thread's active window (the newest window whose loop runs on that
// thread). False when the thread has no queue. A program event that a nested window takes
// reaches the window below it too, once, when the nested window closes; so a job's end event
// posted while a dialog is open still reaches the main loop.
bool Post(int32_t event, int32_t control, uint32_t thread);
// Posts of this program event without a control (to a thread or a window) are merged into an
// equal one still waiting for the loop: a status change posted once per folder reaches a
// busy loop as one event. Other events are never merged.
void MergeWhilePending(int32_t event);

// Lets the calling thread's pending work run: calls that other threads sent to it, and the
// presenter's showing of every change made so far. Events stay for the loop.
void Yield();

class Window;
// The calling thread's current window: the newest of the windows open on it (the one whose
// loop runs); null when none is open there.
Window* CurrentWindow();

// The resources (zq::ui::CreateInstance) where window icons are looked up by the names the
// definitions give; 0: none.
void SetIconInstance(HINSTANCE instance);
HINSTANCE IconInstance();

// A variable a control shows and writes back, as text.
struct Binding {
  std::function<std::string()> read;
  std::function<void(std::string_view)> write;
};
Binding Bind(std::string& text);
Binding Bind(int32_t& value);
Binding Bind(int16_t& value);
Binding Bind(uint8_t& value);
Binding Bind(double& value);
// A field of a record (a queue's record buffer), by name.
Binding Bind(RecordRef record, std::string_view field);
// A field of a record by a typed view's member.
Binding Bind(RecordRef record, const FieldRefBase& field);

class Window {
 public:
  explicit Window(WindowDef definition);
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  ~Window();  // closes the window when it is still open

  // Creates the window and its controls on the calling thread and shows it, centred over owner
  // (0: the screen) when the definition gives no position. False when already open.
  bool Open(HWND owner = 0);
  // Waits for the next event; false when the loop has ended (End(), a close request that was
  // not refused, or the thread's quit).
  bool Accept();
  // Ends the loop; the next Accept answers false.
  void End();
  // Refuses the close request being handled.
  void Refuse();
  // During kPreAlertKey: the key also gets its own action.
  void KeepKeyAction();
  // Destroys the window; it can be opened again.
  void Close();

  bool IsOpen() const;
  int32_t Event() const;
  int32_t Field() const;     // the control of the event (0: the window)
  uint32_t Keycode() const;  // the key of the last key or mouse event
  HWND Handle() const;
  uint32_t Thread() const;

  // Posts an event to this window (any thread). False when the window is not open.
  bool Post(int32_t event, int32_t control = 0) const;
  // Posts the accepted event to a control, with the key code it reports.
  bool PostAccepted(int32_t control, uint32_t keycode = 0) const;
  // Presses a key (code as in KeyCode) into the control that has the focus.
  bool PressKey(uint32_t keycode);

  // The window.
  void SetTitle(std::string_view title);
  std::string Title() const;
  DlgRect Position() const;  // dialog units
  // Moves and sizes the window within its minimum and maximum size. A position that is
  // blank, partial, zero-sized or off every screen gives the designed size, centred.
  void SetPosition(const DlgRect& at);
  void SetTimer(int32_t hundredths);
  void SetImmediateResize(bool on);
  // Limits on the window's size in dialog units (0: none), for the user's dragging and the
  // program's moves alike.
  void SetMinSize(int32_t width, int32_t height);
  void SetMaxSize(int32_t width, int32_t height);
  void Hide();
  void Show();
  bool SetStatus(int32_t zone, std::string_view text);
  std::string Status(int32_t zone) const;
  void AddAlert(uint32_t keycode);
  void RemoveAlert(uint32_t keycode);
  const WindowDef& Definition() const;
  // The control numbers in definition order.
  std::vector<int32_t> ControlNumbers() const;

  // Controls. Calls on an unknown number answer false, empty or 0.
  HWND ControlHandle(int32_t control) const;
  bool SetText(int32_t control, std::string_view text);
  std::string Text(int32_t control) const;
  bool SetTextColour(int32_t control, COLORREF colour);
  COLORREF TextColour(int32_t control) const;  // kDefaultColour for an unknown number
  bool SetBackColour(int32_t control, COLORREF colour);
  bool SetFont(int32_t control, const zq::ui::Font& font);
  std::optional<zq::ui::Font> Font(int32_t control) const;
  bool SetAlign(int32_t control, zq::ui::Align align);
  bool SetRect(int32_t control, const DlgRect& at);
  std::optional<DlgRect> Rect(int32_t control) const;
  // Ranges: every control whose number lies in first..last.
  int32_t Hide(int32_t first, int32_t last);
  int32_t Unhide(int32_t first, int32_t last);
  int32_t Disable(int32_t first, int32_t last);
  int32_t Enable(int32_t first, int32_t last);
  // The program's own hide state: a control on a sheet's tab that is not chosen is not
  // shown, yet not hidden; it shows again when its tab is chosen.
  bool IsHidden(int32_t control) const;
  bool IsDisabled(int32_t control) const;
  // Gives a control the focus. The control that loses it is accepted first when the user
  // edited it (an entry, spin box or combo) or it was marked as changed.
  bool Focus(int32_t control);
  int32_t Focused() const;  // 0: none of this window's controls
  // Marks a control as changed, so that its accepted event comes when the focus leaves it.
  bool MarkChanged(int32_t control);
  // The caret of an entry or combo: the characters from start to end are selected and the
  // caret stands at end (from 0; a negative or too large value is the text's end): (-1, -1)
  // after the last character, (0, 0) at the start, (0, -1) the whole text selected.
  bool SetSelection(int32_t control, int32_t start, int32_t end);
  bool AddAlert(int32_t control, uint32_t keycode);
  bool RemoveAlert(int32_t control, uint32_t keycode);
  std::string Tip(int32_t control) const;
  // The tool tip shown while the mouse rests on the control ("": none).
  bool SetTip(int32_t control, std::string_view tip);

  // Values: check state, spin value, progress, sheet tab, drop-list choice (1-based). A
  // sheet shows the controls of its chosen tab; the user's choice of a tab is kNewSelection
  // of the sheet.
  bool SetValue(int32_t control, double value);
  double Value(int32_t control) const;
  bool SetRange(int32_t control, double low, double high, double step = 1);
  bool SetChoices(int32_t control, std::string_view choicesWithBars);
  bool SetPicture(int32_t control, std::string_view file);
  // An image control shows a decoded picture registered with the window model
  // (zq::ui::RegisterPicture) and keeps it; false for an unknown number.
  bool ShowPicture(int32_t control, uint32_t picture);

  // Bound variables: Display writes their values into the controls, Take copies every
  // control's value into its variable (first..last; 0,0: all). An accepted control writes its
  // variable itself.
  bool Use(int32_t control, Binding binding);
  void Display(int32_t first = 0, int32_t last = 0);
  void Take(int32_t first = 0, int32_t last = 0);

  // Lists and combos over a queue: one row per record, columns from the definition.
  bool From(int32_t control, const Queue& queue);
  // Rebuilds the rows from the queue in one change of the list.
  bool Refresh(int32_t control);
  uint32_t Choice(int32_t control) const;  // 1-based, 0: none
  bool Select(int32_t control, uint32_t row);
  // Where the last press of either mouse button on a list was: its row (0: the header) and
  // column (from 1; 0: none).
  uint32_t MouseDownRow(int32_t control) const;
  int32_t MouseDownColumn(int32_t control) const;
  // Columns of a list as defined (1-based); none outside.
  int32_t ColumnCount(int32_t control) const;
  std::optional<ColumnDef> Column(int32_t control, int32_t column) const;
  // Cell selection: one column of the chosen row is highlighted, Left and Right move it.
  bool SetCellSelection(int32_t control, bool on);
  int32_t HighlightedColumn(int32_t control) const;  // 0 without cell selection
  bool HighlightColumn(int32_t control, int32_t column);
  bool SetIcon(int32_t control, int32_t index, HICON icon);
  // The height of the rows of a list, combo or drop list in dialog units (0: from its font).
  bool SetLineHeight(int32_t control, int32_t height);
  int32_t LineHeight(int32_t control) const;
  // Where a list shows a cell (row as Choice, column from 1), in the window's dialog units or
  // pixels, scrolling included; none outside the list's rows and columns.
  std::optional<DlgRect> CellRect(int32_t control, uint32_t row, int32_t column) const;
  std::optional<RECT> CellPixels(int32_t control, uint32_t row, int32_t column) const;
  // Places a control over a list's cell (an editor in place); one made after the list lies
  // above it.
  bool PlaceOverCell(int32_t control, int32_t list, uint32_t row, int32_t column);

  // Controls made at run time (also with a number the definition does not use).
  bool Create(const ControlDef& control);
  bool Destroy(int32_t control);

  struct Impl;

 private:
  std::unique_ptr<Impl> impl_;
};

}  // namespace zq::rt
