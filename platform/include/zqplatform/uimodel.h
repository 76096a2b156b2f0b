// The window model behind the window calls: what each window and control is, read and changed
// as a whole, the presenter that shows it, dialog units, modal loops and icon resources.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "zqplatform/ui.h"

namespace zq::ui {

enum class Kind : uint8_t {
  Window,  // a top-level window or a plain child window
  Text,
  Edit,
  Button,
  Check,
  Radio,
  Group,
  List,
  Combo,
  DropList,
  Spin,
  Progress,
  Image,
  Panel,
  Line,
  Region,
  Tab,
};

enum class Align : uint8_t { Left, Center, Right };

constexpr COLORREF kDefaultColour = 0xFFFFFFFF;  // -1: the control's default colour

struct Font {
  std::string face = "MS Sans Serif";
  int32_t points = 8;
  int32_t weight = 400;
  bool italic = false;
};

// A column of a list or combo. The rows' icons and tree indents are drawn in the columns
// marked for them; with none marked, in the first.
struct Column {
  std::string header;
  int32_t width = 0;  // pixels
  Align align = Align::Left;
  bool showsIcon = false;
  bool showsTree = false;
  bool operator==(const Column&) const = default;
};

// The colours of one cell (kDefaultColour: the list's own).
struct CellColours {
  COLORREF text = kDefaultColour;
  COLORREF back = kDefaultColour;
  COLORREF selectedText = kDefaultColour;  // while the cell's row is selected
  COLORREF selectedBack = kDefaultColour;
  bool operator==(const CellColours&) const = default;
};

// One row of a list, combo or drop list: a text per column, an icon, a tree level and the
// colours of its cells by column (none or fewer than the columns: the list's own).
struct Row {
  std::vector<std::string> cells;
  int32_t icon = 0;   // 0: none, else an index into the control's icon list from 1
  int32_t indent = 0;
  std::vector<CellColours> colours;
  bool operator==(const Row&) const = default;
};

// The rows of a list, shared between copies of a state until one of them changes them, so a
// snapshot of a long list costs nothing and a presenter sees at once whether the rows moved.
class RowList {
 public:
  RowList() = default;
  RowList(std::vector<Row> rows) : rows_(std::make_shared<std::vector<Row>>(std::move(rows))) {}
  RowList& operator=(std::vector<Row> rows) { return *this = RowList(std::move(rows)); }

  std::size_t size() const { return rows_ ? rows_->size() : 0; }
  bool empty() const { return size() == 0; }
  const Row& operator[](std::size_t i) const { return (*rows_)[i]; }
  const std::vector<Row>& All() const;
  std::vector<Row>::const_iterator begin() const { return All().begin(); }
  std::vector<Row>::const_iterator end() const { return All().end(); }
  void push_back(Row row) { Edit().push_back(std::move(row)); }
  // The rows to change, made this copy's own first.
  std::vector<Row>& Edit();
  // Whether both copies still share their rows (then they are equal).
  bool Shares(const RowList& other) const { return rows_ == other.rows_; }
  bool operator==(const RowList& other) const { return Shares(other) || All() == other.All(); }

 private:
  std::shared_ptr<std::vector<Row>> rows_;
};

struct MenuItem {
  bool separator = false;
  uint32_t command = 0;
  std::string text;
  bool grayed = false;
};

// A decoded picture an image control shows: B, G, R, A bytes, top row first, alpha straight
// (255 opaque).
struct Picture {
  int32_t width = 0;
  int32_t height = 0;
  std::unique_ptr<uint8_t[]> bgra;
};

// Everything the model knows of one window or control.
struct WindowState {
  HWND hwnd = 0;
  DWORD thread = 0;  // the owning thread
  Kind kind = Kind::Window;
  HWND parent = 0;
  HWND owner = 0;
  int32_t id = 0;  // control number
  uint32_t style = 0;
  uint32_t exStyle = 0;
  std::string text;
  // Top-level windows: their inner area in screen pixels (a window manager's frame lies around
  // it). Children: pixels of the parent's inner area.
  RECT rect{};
  bool visible = false;
  bool enabled = true;
  bool topmost = false;
  bool flashing = false;
  bool minimized = false;
  bool readOnly = false;
  bool multiLine = false;
  bool frameless = false;  // no caption and no system menu
  bool maximizeBox = false;  // a top-level window's maximise button (WS_MAXIMIZEBOX)
  Align align = Align::Left;
  COLORREF textColour = kDefaultColour;
  COLORREF backColour = kDefaultColour;
  Font font;
  HICON icon = 0;
  int32_t value = 0;  // check state, progress, spin value, selected row or tab (-1 none)
  int32_t mouseRow = -1;     // a list's row under the last press of either button (from 0, -1: the header or none)
  int32_t mouseColumn = -1;  // a list's column under the last press (from 0, -1: none)
  int32_t cellColumn = -1;   // a list's highlighted column with cell selection (from 0, -1: whole rows)
  int32_t low = 0;
  int32_t high = 100;
  double step = 1;  // a spin box's step; its exact value is its text (value holds it rounded)
  int32_t selStart = 0;  // edit selection, bytes
  int32_t selEnd = 0;
  bool caretVisible = true;
  std::vector<Column> columns;
  RowList rows;
  std::vector<HICON> icons;       // the icon list of a list or combo
  std::vector<std::string> tabs;  // tab titles
  std::string imageFile;          // an image control's picture file
  std::shared_ptr<const Picture> picture;  // or its decoded picture, shown before the file
  int32_t lineHeight = 0;         // a list's or combo's row height in pixels, 0: from its font
  int32_t dropCount = 0;          // rows a combo or drop list shows dropped down (0: the presenter's own)
  int32_t dropWidth = 0;          // pixels of its dropped-down list (0: the control's width)
  // A top-level window's limits on its inner size in pixels (0: none); the program's moves,
  // the user's and the presenter's dragging keep to them.
  int32_t minWidth = 0;
  int32_t minHeight = 0;
  int32_t maxWidth = 0;
  int32_t maxHeight = 0;
  std::string tip;                // shown while the mouse rests on the control
  // Keys (virtual-key code | 0x100 Shift | 0x200 Ctrl | 0x400 Alt) that reach the control as
  // model input only: the presenter's widget does not act on them itself.
  std::vector<uint32_t> takenKeys;
  bool focusByClick = true;  // false: a click leaves the focus where it is
};

// A child control of a kind, owned by the parent's thread. 0 when the parent is gone.
HWND CreateControl(HWND parent, Kind kind, int32_t id, std::string_view text, RECT rect,
                   uint32_t style = WS_CHILD | WS_VISIBLE, WNDPROC proc = nullptr);

std::optional<WindowState> Snapshot(HWND hwnd);
// A rectangle whose size is kept within the window's limits, its top-left corner staying.
RECT WithinLimits(const WindowState& s, RECT rect);
// Changes a window under the model's lock (hwnd, thread, parent and kind are kept) and lets
// the presenter show it. False when the window is gone.
bool Update(HWND hwnd, const std::function<void(WindowState&)>& change);
// Children in creation order; top-level windows (parent 0) front to back.
std::vector<HWND> Children(HWND parent);
// The rectangle of a list's cell (row and column from 0) in pixels of the list's parent's
// client area, as the presenter lays the list out (scrolled rows included); none for a window
// that is not a list, or a row or column outside it.
std::optional<RECT> CellRect(HWND list, int32_t row, int32_t column);
// Every top-level window that thread owns.
std::vector<HWND> WindowsOfThread(DWORD thread);

// Dialog units from the window's font, as Windows converts them: x by a quarter of the
// average character width, y by an eighth of the character height.
struct FontMetrics {
  int32_t averageWidth = 0;
  int32_t height = 0;
};
FontMetrics Measure(const Font& font);
RECT DialogUnitsToPixels(const Font& font, RECT dialogUnits);
// The primary screen's work area in pixels.
RECT WorkArea();
// Every screen's work area in pixels, the primary screen's first.
std::vector<RECT> WorkAreas();
// Whether a rectangle lies at least partly on one of the work areas.
bool OnAWorkArea(const RECT& rect, const std::vector<RECT>& workAreas);

// Runs a loop of GetMessage and DispatchMessage on the calling thread, which must own the
// window, until EndDialog names it or it is destroyed; returns EndDialog's result, or -1 on
// WM_QUIT (which is posted again) and when the window is gone before the loop.
intptr_t RunModal(HWND hwnd);

// Resources: an instance is a table of icons by name (the name compared case-blind).
HINSTANCE CreateInstance();
bool AddIconResource(HINSTANCE instance, std::string_view name, std::string imageBytes);
// The image bytes behind an icon (empty when unknown).
std::string IconImage(HICON icon);

// Decoded pictures by number, held from their registration until released: a picture library
// registers what it decodes, an image control takes it (WindowState::picture) and keeps it.
// Numbers are greater than 0 and below 2^31.
uint32_t RegisterPicture(std::shared_ptr<const Picture> picture);
std::shared_ptr<const Picture> RegisteredPicture(uint32_t number);
bool ReleasePicture(uint32_t number);

// The notification area's icon as the model holds it.
struct TrayState {
  bool present = false;
  HWND hwnd = 0;
  uint32_t id = 0;
  uint32_t callbackMessage = 0;
  HICON icon = 0;
  std::string tip;
};
TrayState Tray();

// The popup menu tracked last (and whether one is open now), for the presenters and tests.
struct TrackedMenu {
  bool open = false;
  HMENU menu = 0;
  HWND owner = 0;
  uint32_t flags = 0;
  POINT at{};
  std::vector<MenuItem> items;
};
TrackedMenu LastTrackedMenu();

// The presenter: "null" or "qt" (ZQ_PRESENTER, else qt when a display or the offscreen
// platform is there, else null). Chosen on first use of the model.
std::string_view PresenterName();
// Chooses the presenter ("null" or "qt") before the model's first use, as ZQ_PRESENTER does;
// false when another one is in use already.
bool UsePresenter(std::string_view name);
// Whether the notification area exists. The null presenter's can be switched for tests.
bool TrayAvailable();
void SetNullTrayAvailable(bool available);
// The screens the null presenter reports, by their work areas, the primary first (empty: one
// screen of 1920 by 1080 pixels); for tests.
void SetNullWorkAreas(std::vector<RECT> workAreas);
// Writes the window as shown to a PNG file (the file name in UTF-8); false with the null
// presenter, for an unknown or hidden window, or when the file cannot be written.
bool GrabWindow(HWND hwnd, const std::string& pngFile);
// The window's pixels as shown (0x00BBGGRR, row by row); none with the null presenter or for
// an unknown or hidden window.
struct Image {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<COLORREF> pixels;
  COLORREF At(int32_t x, int32_t y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};
std::optional<Image> GrabImage(HWND hwnd);
// Waits until the presenter shows every change made so far.
void Flush();

}  // namespace zq::ui
