// EDITIP: makes a list control editable cell by cell over the queue it shows. The owner
// window's loop hands every event to CHECKEVENT first; from INIT on the editor moves a cell
// cursor with the arrow keys and clicks, opens an editing control (number 999, reserved in the
// owner window) over the current cell, writes the edited value back into the queue record,
// inserts and deletes records and sorts the queue by header clicks, as the owner allows.
//
// The column specification: entries separated by ";", each an optional kind prefix ("!" sort
// only, none an entry, "@" a drop list, "#" a spin box, "$" a check box) and up to four parts
// separated by "~": the list column; "U" (upper-case entry) or the drop list's choices
// separated by "|"; the drop count, or the spin box's "low|high|step"; the column's sort order
// (queue field names separated by ","):
//   "@2~Top|Center|Bottom~3;#3~~0|999|1~1;#5~~0|5|.1;1~U;$3;!1~~~SCat,Dir"
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "zqruntime/queue.h"
#include "zqruntime/window.h"

// Column kinds.
enum EditKind : uint8_t { kSortOnly = 0, kEntry = 1, kDropList = 2, kSpinBox = 3, kCheckBox = 4 };

// One entry of a column specification.
struct EditSpecEntry {
  uint8_t kind = kEntry;
  int32_t column = 0;  // 0 when part 1 is not a number
  std::string part2, part3, part4;
  bool operator==(const EditSpecEntry&) const = default;
};
std::vector<EditSpecEntry> ParseEditSpec(std::string_view spec);

class EDITIP {
 public:
  // The column table: per list column, values 1 to 5.
  struct ColumnEntry {
    uint32_t field = 0;  // the queue field the column shows; 0: not editable
    uint8_t kind = kSortOnly;
    std::string part2, part3;
    std::string order;  // sort order
  };

  static constexpr int32_t kEditControl = 999;

  EDITIP() = default;
  EDITIP(const EDITIP&) = delete;
  EDITIP& operator=(const EDITIP&) = delete;

  // Binds the calling thread's current window, its list control and the queue the list shows;
  // 1, or 0 when the list has no columns.
  int32_t INIT(zq::rt::Queue& q, int32_t listControl, std::string_view specification);
  // 1: the owner leaves the event to the window's normal action (a click on the list while no
  // edit runs); 0 otherwise.
  int32_t CHECKEVENT();
  void SETSORTALERT(uint8_t on);

  void STEP();
  void STEPPLUS();
  void STEPMIN();
  void STEPROWPLUS();
  void STEPROWMIN();
  int32_t CHECKCOL() const;
  int32_t CREATECONTROL();

  // The column table entry of a list column (or, for sorting, of a queue field number); null
  // when none.
  const ColumnEntry* FIELDS(int32_t number) const;

  // Bound by INIT.
  int32_t LBU = 0;                // the list control
  zq::rt::Queue* QDAT = nullptr;  // the queue it shows
  int32_t COLCNT = 0;             // the list's columns
  uint8_t NOFIELDS = 0;           // 1: no column is editable (sorting and deleting only)
  // The edit under way.
  int32_t LQE = 0;           // the queue's error after writing back an edit, 0 when none
  std::string AQOLD;         // the cell's value as the edit began
  std::string AQNEW;         // the value in the editing control
  uint32_t FIELD = 0;        // the queue field of the current cell
  uint8_t TYPE = 0;          // the current cell's column kind (EditKind)
  uint32_t CPOINT = 0;       // the queue's position as the edit began
  uint8_t UPDATEACT = 0;     // 1 while the editing control is open
  uint8_t EDITMODE = 0;      // 1 in editing mode: the list taking the focus opens the next edit
  uint32_t LASTKEY = 0;      // the key that ends the edit, 0 while none
  uint8_t ADDNEW = 0;        // 1: the edited record was just inserted (removed when undone)
  int16_t LASTSORT = 0;      // the field last sorted ascending, 0: the next click sorts ascending
  // The cell cursor, from 1.
  int32_t CURCOL = 0;
  int32_t CURROW = 0;
  // What the owner allows, 1 or 0 (set before INIT; INIT sets them for a list without
  // editable columns).
  uint8_t SORTALLOWED = 1;  // header clicks sort the queue
  uint8_t SORTALERT = 1;    // the list reports its header clicks
  uint8_t INSALLOWED = 1;   // Insert (and Ctrl+I) adds a record at the cursor, Ctrl+A at the end
  uint8_t DELALLOWED = 1;   // Delete removes the current record
  uint8_t EDITALLOWED = 1;  // the edit key and double-clicks open the editing control
  uint8_t TABALLOWED = 1;   // Tab ends an edit and moves on
  // The last command's result, for the owner.
  uint8_t DELOK = 0;  // 1: the last Delete removed a record
  uint8_t INSOK = 0;  // 1: the last insert added one
  // The keys that end an edit: EDITKEY keeps the value (and opens an edit), UNDOKEY restores
  // it; 0 turns either off.
  uint32_t EDITKEY = 13;
  uint32_t UNDOKEY = 27;
  // Where the caret stands as an edit opens: "B" at the start, "S" the whole text selected,
  // else at the end.
  std::string CURSORMODE = "E";

 private:
  // The cursor from the list's highlighted column and chosen row (the first row when none).
  void TakeCursor();
  int32_t ListEvent();
  void EditorEvent();
  void ListKey(uint32_t key);
  void StartEdit();
  void EndEdit(bool cancel);
  void Abandon();
  void Insert(bool atEnd);
  void SortByColumn(int32_t column);
  void Sort(const std::string& order);
  void Show();  // the list's rows from the queue, the cursor row selected
  int32_t Rows() const;

  zq::rt::Window* window_ = nullptr;
  std::map<int32_t, ColumnEntry> fields_;
  std::string opened_;  // the value the editing control showed when it opened
};
