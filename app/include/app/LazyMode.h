// Lazy mode: the explorer's right panel steps through the scanned media folders.
#pragma once
#include <cstdint>

#include "app/Records.h"
#include "zqplatform/messages.h"
#include "zqruntime/queue.h"

class ExplorerPanel;

// Steps the explorer's right panel: -99 starts lazy mode (its options over the explorer
// window owner, a new list of folders, the first one), -1 steps to the previous folder, 1 to
// the next; 1 when a step was made, else 0.
int16_t SETDESTDIR(ExplorerPanel& right, HWND owner, int32_t direction);

// A folder lazy mode visits: NAME STRING(256) (its own name, the order), DIRNAME CSTRING(256),
// ISFOLDER BYTE, CN CSTRING(32), CNACT BYTE, CF CSTRING(32), CFACT BYTE, MTYPE BYTE.
const zq::rt::RecordLayout& QDTYPE();
// QDTYPE's typed view.
struct QDFIELDS : zq::rt::RecordView {
  QDFIELDS() : RecordView(QDTYPE()) {}
  zq::rt::TextField NAME{*this, "NAME"};        // the folder's own name, empty for the root
  zq::rt::TextField DIRNAME{*this, "DIRNAME"};  // the folder
  zq::rt::WholeField ISFOLDER{*this, "ISFOLDER"};
  zq::rt::TextField CN{*this, "CN"};            // as the folder list's CN ... MTYPE
  zq::rt::WholeField CNACT{*this, "CNACT"};
  zq::rt::TextField CF{*this, "CF"};
  zq::rt::WholeField CFACT{*this, "CFACT"};
  zq::rt::EnumField<FolderMedia> MTYPE{*this, "MTYPE"};
};
extern const QDFIELDS QDF;
// The folders lazy mode visits, sorted by SORTDESTDIR; its current entry is the folder shown.
extern zq::rt::Queue QD;
// The order of QD: the two names, each clipped and followed by "0", compared case-blind;
// -1, 0 or 1.
int SORTDESTDIR(const zq::rt::RecordRef& a, const zq::rt::RecordRef& b);
