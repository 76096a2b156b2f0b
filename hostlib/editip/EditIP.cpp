// The in-place editor: binding a list, and the events of the list and of the editing control.
#include <algorithm>
#include <string>

#include "hostlib/EditIP.h"
#include "zqruntime/dialogs.h"

namespace {

using zq::rt::kAltKey;
using zq::rt::kCtrlKey;
using zq::rt::kDoubleClick;
using zq::rt::kLeftClick;
using zq::rt::kShiftKey;

constexpr uint32_t kDelete = VK_DELETE;
constexpr uint32_t kInsert = VK_INSERT;
constexpr uint32_t kCtrlA = kCtrlKey | 'A';
constexpr uint32_t kCtrlI = kCtrlKey | 'I';
constexpr uint32_t kTab = VK_TAB;
constexpr uint32_t kShiftTab = kShiftKey | VK_TAB;
constexpr uint32_t kCtrlUp = kCtrlKey | VK_UP;
constexpr uint32_t kCtrlDown = kCtrlKey | VK_DOWN;
constexpr uint32_t kAlt1 = kAltKey | '1';
constexpr uint32_t kAlt5 = kAltKey | '5';

bool IsClick(uint32_t key) { return key == kLeftClick || key == kDoubleClick; }

}  // namespace

int32_t EDITIP::INIT(zq::rt::Queue& q, int32_t listControl, std::string_view specification) {
  window_ = zq::rt::CurrentWindow();
  QDAT = &q;
  LBU = listControl;
  COLCNT = window_ ? window_->ColumnCount(LBU) : 0;
  if (COLCNT == 0) return 0;
  zq::rt::Window& w = *window_;
  NOFIELDS = 1;
  fields_.clear();
  for (const EditSpecEntry& e : ParseEditSpec(specification)) {
    if (e.column < 1 || e.column > COLCNT) continue;
    ColumnEntry& entry = fields_[e.column];
    if (e.kind != kSortOnly) {
      std::optional<zq::rt::ColumnDef> column = w.Column(LBU, e.column);
      entry.field = column && column->field != 0 ? column->field : static_cast<uint32_t>(e.column);
      entry.kind = e.kind;
      entry.part2 = e.part2;
      entry.part3 = e.part3;
      NOFIELDS = 0;
    }
    entry.order = e.part4;
  }
  if (NOFIELDS == 1) {
    w.SetCellSelection(LBU, false);
    SORTALLOWED = 1;
    SORTALERT = 1;
    INSALLOWED = 0;
    DELALLOWED = 1;
    EDITALLOWED = 0;
    TABALLOWED = 0;
  } else {
    w.SetCellSelection(LBU, true);
  }
  for (uint32_t key : {EDITKEY, kDelete, kCtrlA, kCtrlI, kInsert, uint32_t{VK_LEFT}, uint32_t{VK_RIGHT},
                       uint32_t{VK_UP}, uint32_t{VK_DOWN}, kLeftClick, kDoubleClick}) {
    w.AddAlert(LBU, key);
  }
  TYPE = 0;
  LASTSORT = 0;
  SETSORTALERT(SORTALERT);
  // A list that has the focus from the window's opening gets no focus event: the cursor is
  // taken now.
  if (w.Focused() == LBU) TakeCursor();
  return 1;
}

void EDITIP::TakeCursor() {
  zq::rt::Window& w = *window_;
  CURCOL = std::max(w.HighlightedColumn(LBU), 1);
  CURROW = static_cast<int32_t>(w.Choice(LBU));
  if (CURROW == 0 && Rows() > 0) CURROW = 1;
  STEP();
  w.Select(LBU, static_cast<uint32_t>(CURROW));
}

void EDITIP::SETSORTALERT(uint8_t on) {
  if (!window_ || SORTALLOWED != 1 || SORTALERT != 1) return;
  for (uint32_t key = kAlt1; key <= kAlt5; ++key) {
    if (on) {
      window_->AddAlert(LBU, key);
    } else {
      window_->RemoveAlert(LBU, key);
    }
  }
}

int32_t EDITIP::CHECKEVENT() {
  if (!window_ || COLCNT == 0) return 0;
  zq::rt::Window& w = *window_;
  if (UPDATEACT == 1) {
    int32_t focused = w.Focused();
    if (focused != LBU && focused != kEditControl) {
      Abandon();
      return 0;
    }
  }
  if (w.Field() == LBU) return ListEvent();
  if (w.Field() == kEditControl && UPDATEACT == 1) EditorEvent();
  return 0;
}

int32_t EDITIP::ListEvent() {
  zq::rt::Window& w = *window_;
  switch (w.Event()) {
    case zq::rt::kFocus:
      if (CURROW == 0 && CURCOL == 0) {
        TakeCursor();
      } else if (EDITMODE == 1) {
        StartEdit();
      }
      return 0;
    case zq::rt::kPreAlertKey:
      if (IsClick(w.Keycode()) && EDITMODE == 0) {
        w.KeepKeyAction();
        return 1;
      }
      return 0;
    case zq::rt::kAlertKey:
      ListKey(w.Keycode());
      return 0;
    case zq::rt::kNewSelection:
      CURROW = std::max(static_cast<int32_t>(w.Choice(LBU)), 1);
      CURCOL = std::max(w.HighlightedColumn(LBU), 1);
      if (CHECKCOL()) STEP();
      return 0;
    case zq::rt::kAccepted:
      if (w.Keycode() == kDoubleClick && EDITALLOWED == 1 && CURROW > 0 && CURCOL > 0 && UPDATEACT == 0) {
        QDAT->Get(static_cast<uint32_t>(CURROW));
        CPOINT = QDAT->Position();
        if (CREATECONTROL()) {
          UPDATEACT = 1;
          EDITMODE = 1;
          LASTKEY = 0;
        }
        AQOLD = QDAT->Buffer().Text(FIELD);
      }
      return 0;
    default:
      return 0;
  }
}

void EDITIP::ListKey(uint32_t key) {
  zq::rt::Window& w = *window_;
  bool arrow = key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN;
  bool sortKey = key >= kAlt1 && key <= kAlt5;
  if (EDITMODE == 1 && !arrow && !sortKey) return;
  if (key == kLeftClick) {
    int32_t column = w.MouseDownColumn(LBU);
    if (w.MouseDownRow(LBU) == 0) {
      if (column > 0 && SORTALLOWED == 1) SortByColumn(column);
      return;
    }
    CURROW = static_cast<int32_t>(w.MouseDownRow(LBU));
    if (column > 0) CURCOL = column;
    STEP();
  } else if (key == kDelete) {
    DELOK = 0;
    if (DELALLOWED == 1 && QDAT->Get(static_cast<uint32_t>(CURROW)) && QDAT->Delete()) {
      DELOK = 1;
      if (CURROW > Rows()) CURROW = Rows();
      Show();
    }
  } else if (key == kInsert || key == kCtrlA) {
    INSOK = 0;
    if (INSALLOWED == 1) Insert(key == kCtrlA);
  } else if (key == kCtrlI) {
    w.PressKey(kInsert);
  } else if (key == EDITKEY) {
    if (EDITALLOWED == 1 && Rows() > 0) StartEdit();
  } else if (key == VK_LEFT) {
    STEPMIN();
  } else if (key == VK_RIGHT) {
    STEPPLUS();
  } else if (key == VK_UP) {
    STEPROWMIN();
  } else if (key == VK_DOWN) {
    STEPROWPLUS();
  } else if (sortKey) {
    uint32_t field = key - kAlt1 + 1;
    if (static_cast<int32_t>(field) <= COLCNT) {
      if (const zq::rt::Field* f = QDAT->Layout().At(field)) Sort("+" + f->name);
    }
  }
}

void EDITIP::Insert(bool atEnd) {
  QDAT->ClearBuffer();
  bool added = atEnd ? QDAT->Add() : QDAT->Add(static_cast<uint32_t>(std::clamp(CURROW, 1, Rows() + 1)));
  if (!added) return;
  CURROW = static_cast<int32_t>(QDAT->Position());
  CURCOL = 1;
  Show();
  STEP();
  StartEdit();
  INSOK = 1;
  ADDNEW = 1;
}

// An edit starts as a double click accepted on the list.
void EDITIP::StartEdit() { window_->PostAccepted(LBU, kDoubleClick); }

void EDITIP::EditorEvent() {
  zq::rt::Window& w = *window_;
  switch (w.Event()) {
    case zq::rt::kAlertKey: {
      uint32_t key = w.Keycode();
      bool tab = key == kTab || key == kShiftTab;
      if ((key == EDITKEY && EDITKEY != 0) || (tab && TABALLOWED == 1) || (key == UNDOKEY && UNDOKEY != 0) ||
          key == kCtrlUp || key == kCtrlDown) {
        LASTKEY = key;
        w.PostAccepted(kEditControl);
      } else if (TYPE == kCheckBox && key == VK_SPACE) {
        // A click toggles the box by itself, each press of a double click too.
        w.SetValue(kEditControl, w.Value(kEditControl) != 0 ? 0 : 1);
      }
      return;
    }
    case zq::rt::kFocus:
      w.MarkChanged(kEditControl);
      return;
    case zq::rt::kAccepted:
      if (LASTKEY != 0) EndEdit(LASTKEY == UNDOKEY);
      return;
    default:
      return;
  }
}

void EDITIP::EndEdit(bool cancel) {
  zq::rt::Window& w = *window_;
  uint32_t key = LASTKEY;
  if (cancel) {
    if (ADDNEW == 1) {
      if (QDAT->Get(static_cast<uint32_t>(CURROW))) QDAT->Delete();
      if (CURROW > Rows()) CURROW = Rows();
    } else {
      QDAT->Get(static_cast<uint32_t>(CURROW));
    }
    EDITMODE = 0;
    Show();
    STEP();
  } else {
    // AQNEW holds the control's value as the accepted control wrote it; a drop list's choice
    // counts only when the user picked another than it showed.
    LQE = 0;
    bool picked = TYPE != kDropList || AQNEW != opened_;
    if (picked && AQNEW != AQOLD) {
      if (QDAT->Position() != CPOINT) QDAT->Get(static_cast<uint32_t>(CURROW));
      QDAT->Buffer().SetText(FIELD, AQNEW);
      QDAT->Put();
      LQE = QDAT->Error();
      Show();
    }
    if (LQE != 0) {
      zq::rt::Message("Error Writing Queue - Errorcode = " + std::to_string(LQE));
    } else if (key == kTab) {
      STEPPLUS();
    } else if (key == kShiftTab) {
      STEPMIN();
    } else if (key == kCtrlDown) {
      STEPROWPLUS();
    } else if (key == kCtrlUp) {
      STEPROWMIN();
    } else {
      EDITMODE = 0;
      STEP();
    }
  }
  w.Destroy(kEditControl);
  UPDATEACT = 0;
  LASTKEY = 0;
  ADDNEW = 0;
  // The list takes the focus back; in editing mode that opens the next cell.
  w.Focus(LBU);
}

void EDITIP::Abandon() {
  QDAT->Get(static_cast<uint32_t>(CURROW));
  EDITMODE = 0;
  STEP();
  window_->Destroy(kEditControl);
  UPDATEACT = 0;
  LASTKEY = 0;
  ADDNEW = 0;
}

void EDITIP::Show() {
  window_->Refresh(LBU);
  if (CURROW > 0) window_->Select(LBU, static_cast<uint32_t>(CURROW));
}
