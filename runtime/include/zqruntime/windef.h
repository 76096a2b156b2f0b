// Window definitions as data: a window's attributes and its controls, one line each, in dialog
// units. The text form, one line per item ("#" starts a comment):
//
//   window "Error" size 400,132 font "MS Sans Serif",8 back rgb(255,255,147) timer 20 nosysmenu
//   1  button "&OK"       at 28,112,40,14 default
//   10 text   "Procedure" at 43,44,64,12 font "Arial",14 center
//   3  list   ""          at 4,4,200,100 vscroll keys DoubleClick
//      column "Name" width 40 field 1 icon 2 tree 3
//
// A control line starts with its number, then its kind: text, string (read-only text), entry,
// memo (multi-line text), button, check, radio, option (an option group), group, list, combo,
// droplist, spin, progress, image, panel, line, region, sheet. Then its text and attributes:
//   at x,y,w,h          position and size
//   font "face",size[,bold][,italic]
//   colour C / back C   text / background colour: rgb(r,g,b), a Windows value such as D3D3D3H
//                       (0xBBGGRR), or -1 for the default
//   keys K,K,...        alert keys by name (Esc, Enter, F1, Alt+F4, Ctrl+R, LeftClick, ...)
//   range low,high,step choices "a|b|c" value n tip "text" max n
//   tab n               on tab n (from 1) of the nearest sheet above: shown while that tab
//                       is chosen
//   icon "name"         a button's picture, from the program's icons
//   drop n              rows of a combo's or drop list's dropped-down list
//   dropwidth w         its width in dialog units (0: the control's)
//   name N              the control's name in program code (letters, digits and _), unique
//                       in the window; the build gives each window's named controls as
//                       constants of its own namespace (ErrorDialog::Message)
//   default readonly hidden disabled skip vscroll hscroll upper left center right
// Window attributes: size w,h  pos x,y  font  back  timer n (hundredths)  icon "name"  keys
//   status n (zones)  help "file"  resizable maximize nosysmenu notitle immediate
//   question (a dialog that asks the user: open, it takes the answers of zqplatform/questions.h)
// "column" lines belong to the list or combo above: header text, width n, field n (the queue
// field shown), left/center/right, picture "@N_16.B@", icon n (field of the icon number),
// tree n (field of the indent level), colour n / back n (fields with each row's text and
// background colour of the cell, -1 for the list's own), selcolour n / selback n (the same
// while the row is selected).
// Quoted texts take \r, \n, \t, \\ and \" escapes.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "zqplatform/uimodel.h"

namespace zq::rt {

struct DlgRect {
  int32_t x = 0;
  int32_t y = 0;
  int32_t width = 0;
  int32_t height = 0;
  bool operator==(const DlgRect&) const = default;
};

struct ColumnDef {
  std::string header;
  int32_t width = 0;  // dialog units
  zq::ui::Align align = zq::ui::Align::Left;
  uint32_t field = 0;       // queue field shown (0: the column's own position)
  std::string picture;      // display picture of a number column
  uint32_t iconField = 0;   // queue field with the icon number
  uint32_t levelField = 0;  // queue field with the tree level
  uint32_t textColourField = 0;  // queue field with the cell's text colour (0: none)
  uint32_t backColourField = 0;  // queue field with the cell's background colour (0: none)
  uint32_t selectedTextColourField = 0;  // the same two while the row is selected
  uint32_t selectedBackColourField = 0;
};

struct ControlDef {
  int32_t number = 0;
  std::string name;  // "": none
  zq::ui::Kind kind = zq::ui::Kind::Text;
  std::string text;
  DlgRect at;
  std::optional<zq::ui::Font> font;  // none: the window's
  COLORREF textColour = zq::ui::kDefaultColour;
  COLORREF backColour = zq::ui::kDefaultColour;
  zq::ui::Align align = zq::ui::Align::Left;
  bool hidden = false;
  bool disabled = false;
  bool readOnly = false;
  bool skip = false;  // not reached by Tab
  bool isDefault = false;
  bool vscroll = false;
  bool hscroll = false;
  bool multiLine = false;
  bool upper = false;
  std::vector<uint32_t> keys;  // alert keys
  std::string tip;
  std::vector<ColumnDef> columns;
  std::vector<std::string> choices;  // drop-list choices or sheet tabs
  double low = 0;
  double high = 100;
  double step = 1;
  int32_t value = 0;      // a radio's value in its option group
  int32_t maxLength = 0;  // 0: no limit
  int32_t sheet = 0;      // the sheet whose tab holds the control (0: none)
  int32_t tab = 0;        // that tab, from 1
  std::string icon;       // a button's picture by name
  int32_t dropCount = 0;  // 0: the presenter's own
  int32_t dropWidth = 0;  // dialog units, 0: the control's width
};

// Whether low, high and step make a spin box's range: low <= high within +-kSpinLimit, a step
// above 0 and at most 4e9.
constexpr double kSpinLimit = 2e9;
bool ValidRange(double low, double high, double step);

struct WindowDef {
  std::string title;
  std::optional<DlgRect> at;  // none: centred over the owner or the screen
  int32_t width = 0;
  int32_t height = 0;
  zq::ui::Font font;
  COLORREF backColour = zq::ui::kDefaultColour;
  int32_t timer = 0;  // hundredths of a second, 0: none
  std::string icon;
  std::vector<uint32_t> keys;
  int32_t statusZones = 0;
  std::string help;
  bool systemMenu = true;
  bool caption = true;
  bool resizable = false;
  bool maximize = false;
  bool immediate = false;  // resize events while dragging
  bool question = false;   // answered through the question seam while open
  std::vector<ControlDef> controls;

  const ControlDef* Control(int32_t number) const;
  const ControlDef* Named(std::string_view name) const;
};

struct ParsedDefinition {
  std::optional<WindowDef> window;
  int32_t errorLine = 0;  // 1-based line of the first error
  std::string error;
};
ParsedDefinition ParseWindowDefinition(std::string_view text);

// Key codes: the Windows virtual-key code, plus 0x100 with Shift, 0x200 with Ctrl and 0x400
// with Alt; 1 is a left click, 2 a right click and 5 a left double click.
constexpr uint32_t kShiftKey = 0x100;
constexpr uint32_t kCtrlKey = 0x200;
constexpr uint32_t kAltKey = 0x400;
constexpr uint32_t kLeftClick = 1;
constexpr uint32_t kRightClick = 2;
constexpr uint32_t kDoubleClick = 5;
// The code of a key name such as "Esc", "Alt+F4", "Ctrl+R", "Shift+Tab", "LeftClick"; 0 when
// the name is unknown.
uint32_t KeyCode(std::string_view name);

}  // namespace zq::rt
