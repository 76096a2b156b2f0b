// Qt keys as Windows virtual-key codes; texts between the ANSI code page and Qt.
#include <QString>

#include "KeysAndText.h"
#include "zqplatform/codepage.h"
#include "zqplatform/ui.h"

namespace zq::ui::qt {

uint32_t VirtualKey(int k) {
  if (k >= Qt::Key_A && k <= Qt::Key_Z) return static_cast<uint32_t>('A' + (k - Qt::Key_A));
  if (k >= Qt::Key_0 && k <= Qt::Key_9) return static_cast<uint32_t>('0' + (k - Qt::Key_0));
  if (k >= Qt::Key_F1 && k <= Qt::Key_F24) return VK_F1 + static_cast<uint32_t>(k - Qt::Key_F1);
  switch (k) {
    case Qt::Key_Backspace: return VK_BACK;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return VK_TAB;
    case Qt::Key_Return:
    case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Shift: return VK_SHIFT;
    case Qt::Key_Control: return VK_CONTROL;
    case Qt::Key_Alt: return VK_MENU;
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Space: return VK_SPACE;
    case Qt::Key_PageUp: return VK_PRIOR;
    case Qt::Key_PageDown: return VK_NEXT;
    case Qt::Key_End: return VK_END;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_Insert: return VK_INSERT;
    case Qt::Key_Delete: return VK_DELETE;
    default: return 0;
  }
}

QString FromAnsi(const std::string& ansi) {
  std::u16string wide = zq::text::ToWide(ansi);
  return QString::fromUtf16(wide.data(), static_cast<qsizetype>(wide.size()));
}

std::string ToAnsi(const QString& text) {
  return zq::text::ToMulti(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                               static_cast<std::size_t>(text.size())));
}

}  // namespace zq::ui::qt
