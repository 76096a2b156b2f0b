// The explorer's records: a panel entry, a drive of the drive lists, a folder of a history.
#include "app/Explorer.h"
#include "app/State.h"

namespace {

using namespace zq::rt;

const RecordLayout& DriveType() {
  static const RecordLayout layout{STRING("DRV", 3), LONG("DICON")};
  return layout;
}

const RecordLayout& HistoryType() {
  static const RecordLayout layout{CSTRING("PATH", kLongestPanelPath + 1)};
  return layout;
}

}  // namespace

const zq::rt::RecordLayout& QPANELTYPE() {
  using namespace zq::rt;
  static const RecordLayout layout{CSTRING("FN", 256), LONG("C1"),         LONG("C2"),  LONG("C3"),
                                   LONG("C4"),         LONG("ICON"),       CSTRING("EXT", 64),
                                   STRING("FS", 15),   BYTE("FT"),         BYTE("DIR"), BYTE("SEL"),
                                   CSTRING("NAME", 256)};
  return layout;
}

const QPANELFIELDS QPANELF;
const QDRIVEFIELDS QDRIVEF(DriveType());
const QHISTORYFIELDS QHISTORYF(HistoryType());
