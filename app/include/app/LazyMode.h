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

// A folder lazy mode visits.
struct QDFIELDS : zq::rt::RecordView {
  zq::rt::TextField NAME{*this, zq::rt::STRING("NAME", 256)};  // the folder's own name, the order; empty for the root
  zq::rt::TextField DIRNAME{*this, zq::rt::CSTRING("DIRNAME", 256)};  // the folder
  zq::rt::WholeField ISFOLDER{*this, zq::rt::BYTE("ISFOLDER")};
  zq::rt::TextField CN{*this, zq::rt::CSTRING("CN", 32)};  // as the folder list's CN ... MTYPE
  zq::rt::WholeField CNACT{*this, zq::rt::BYTE("CNACT")};
  zq::rt::TextField CF{*this, zq::rt::CSTRING("CF", 32)};
  zq::rt::WholeField CFACT{*this, zq::rt::BYTE("CFACT")};
  zq::rt::EnumField<FolderMedia> MTYPE{*this, zq::rt::BYTE("MTYPE")};
};
extern const QDFIELDS QDF;
inline const zq::rt::RecordLayout& QDTYPE() { return QDF.Layout(); }
// The folders lazy mode visits, sorted by SORTDESTDIR; its current entry is the folder shown.
extern zq::rt::Queue QD;
// The order of QD: the two names, each clipped and followed by "0", compared case-blind;
// -1, 0 or 1.
int SORTDESTDIR(const zq::rt::RecordRef& a, const zq::rt::RecordRef& b);
