#include "KindMirror.h"

namespace zq::ui::qt {

const KindMirror& MirrorOf(Kind kind) {
  switch (kind) {
    case Kind::Window: return kChildWindowMirror;
    case Kind::Text: return kTextMirror;
    case Kind::Edit: return kEditMirror;
    case Kind::Button: return kButtonMirror;
    case Kind::Check: return kCheckMirror;
    case Kind::Radio: return kRadioMirror;
    case Kind::Group: return kGroupMirror;
    case Kind::List: return kListMirror;
    case Kind::Combo: return kComboMirror;
    case Kind::DropList: return kDropListMirror;
    case Kind::Spin: return kSpinMirror;
    case Kind::Progress: return kProgressMirror;
    case Kind::Image: return kImageMirror;
    case Kind::Panel: return kPanelMirror;
    case Kind::Line: return kLineMirror;
    case Kind::Region: return kRegionMirror;
    case Kind::Tab: return kTabMirror;
  }
  return kChildWindowMirror;
}

}  // namespace zq::ui::qt
