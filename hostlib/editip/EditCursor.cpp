// The in-place editor's cell cursor.
#include "hostlib/EditIP.h"

int32_t EDITIP::Rows() const { return QDAT ? static_cast<int32_t>(QDAT->Records()) : 0; }

const EDITIP::ColumnEntry* EDITIP::FIELDS(int32_t number) const {
  auto it = fields_.find(number);
  return it == fields_.end() ? nullptr : &it->second;
}

int32_t EDITIP::CHECKCOL() const {
  const ColumnEntry* e = FIELDS(CURCOL);
  return e && e->field != 0 ? 1 : 0;
}

void EDITIP::STEP() {
  if (NOFIELDS == 1 || !window_) return;
  if (CHECKCOL() == 0) {
    STEPPLUS();
    return;
  }
  window_->HighlightColumn(LBU, CURCOL);
  window_->Select(LBU, static_cast<uint32_t>(CURROW));
}

void EDITIP::STEPPLUS() {
  if (NOFIELDS == 1 || !window_) return;
  // At most one lap over every cell: an editable column exists when NOFIELDS is 0.
  for (int32_t n = 0; n <= COLCNT; ++n) {
    if (++CURCOL > COLCNT) {
      CURCOL = 1;
      if (++CURROW > Rows()) CURROW = 1;
    }
    if (CHECKCOL()) break;
  }
  window_->HighlightColumn(LBU, CURCOL);
  window_->Select(LBU, static_cast<uint32_t>(CURROW));
}

void EDITIP::STEPMIN() {
  if (NOFIELDS == 1 || !window_) return;
  for (int32_t n = 0; n <= COLCNT; ++n) {
    if (--CURCOL < 1) {
      CURCOL = COLCNT;
      if (--CURROW < 1) CURROW = Rows();
    }
    if (CHECKCOL()) break;
  }
  window_->HighlightColumn(LBU, CURCOL);
  window_->Select(LBU, static_cast<uint32_t>(CURROW));
}

void EDITIP::STEPROWPLUS() {
  if (!window_) return;
  if (++CURROW > Rows()) CURROW = 1;
  window_->Select(LBU, static_cast<uint32_t>(CURROW));
}

void EDITIP::STEPROWMIN() {
  if (!window_) return;
  if (--CURROW < 1) CURROW = Rows();
  window_->Select(LBU, static_cast<uint32_t>(CURROW));
}
