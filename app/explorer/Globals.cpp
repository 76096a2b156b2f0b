// The explorer's module globals: they live for the whole run, so panels, histories and the
// drive list survive a closing of the window.
#include "app/Explorer.h"
#include "app/State.h"

namespace {

using namespace zq::rt;

const RecordLayout& DriveType() {
  static const RecordLayout layout{STRING("DRV", 3), LONG("DICON")};
  return layout;
}

const RecordLayout& HistoryType() {
  static const RecordLayout layout{CSTRING("PATH", 256)};
  return layout;
}

}  // namespace

const zq::rt::RecordLayout& QPANELTYPE() {
  using namespace zq::rt;
  static const RecordLayout layout{CSTRING("FN", 256), LONG("C1"),         LONG("C2"), LONG("C3"),
                                   LONG("C4"),         LONG("ICON"),       CSTRING("EXT", 64),
                                   STRING("FS", 15),   BYTE("FT"),         BYTE("DIR"), BYTE("SEL")};
  return layout;
}

const QPANELFIELDS QPANELF;
const QDRIVEFIELDS QDRIVEF(DriveType());
const QHISTORYFIELDS QHISTORYF(HistoryType());

EXPLORERPANEL::EXPLORERPANEL(Guarded<std::string>& folder)
    : entries(SharedLayout(QPANELTYPE())), history(SharedLayout(HistoryType())), folder_(folder) {}

EXPLORERPANEL LEFTPANEL(LPPATH);
EXPLORERPANEL RIGHTPANEL(RPPATH);
zq::rt::Queue QDRIVE(SharedLayout(DriveType()));
std::string OLDDIR, DUMS, IMAGEINFO;
PICTURE CLAIMAGE;
WINPOSCLASS WPC;
HWND DWHANDLE = 0;
PREVIEWMODE IMGACT = kPreviewOff;
COPYTARGET FMODE = kCopyAsIcon;
std::atomic<uint8_t> LAZYMODE{0};

EXPLORERPANEL& PANELOF(uint8_t side) { return side == kLeftSide ? LEFTPANEL : RIGHTPANEL; }
