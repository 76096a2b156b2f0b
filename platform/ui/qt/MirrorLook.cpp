#include "MirrorLook.h"

#include <QPixmap>
#include <algorithm>

namespace zq::ui::qt {

QColor Colour(COLORREF c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

QFont FontOf(const Font& f) {
  QFont font(QString::fromStdString(f.face));
  font.setPointSize(f.points > 0 ? f.points : 8);
  font.setWeight(static_cast<QFont::Weight>(std::clamp(f.weight, 100, 900)));
  font.setItalic(f.italic);
  return font;
}

Qt::Alignment AlignOf(Align a) {
  switch (a) {
    case Align::Center: return Qt::AlignHCenter;
    case Align::Right: return Qt::AlignRight;
    default: return Qt::AlignLeft;
  }
}

QRect RectOf(const RECT& r) { return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top); }

QIcon IconOf(HICON icon) {
  QPixmap p;
  std::string image = IconImage(icon);
  if (image.empty() || !p.loadFromData(reinterpret_cast<const uchar*>(image.data()), static_cast<uint>(image.size()))) {
    return {};
  }
  return QIcon(p);
}

}  // namespace zq::ui::qt
