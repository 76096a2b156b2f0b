// Pictures of shown windows: to a PNG file, or as the model's pixels.
#include <QImage>
#include <QPixmap>

#include "WidgetMirror.h"

namespace zq::ui::qt {

bool WidgetMirror::Grab(HWND hwnd, const std::string& pngFile) {
  QWidget* w = Find(hwnd);
  if (!w) return false;
  return w->grab().save(QString::fromUtf8(pngFile.c_str()), "PNG");
}

std::optional<Image> WidgetMirror::GrabImage(HWND hwnd) {
  QWidget* w = Find(hwnd);
  if (!w) return std::nullopt;
  QImage shot = w->grab().toImage().convertToFormat(QImage::Format_RGB32);
  Image image{shot.width(), shot.height(), {}};
  image.pixels.reserve(static_cast<std::size_t>(shot.width()) * static_cast<std::size_t>(shot.height()));
  for (int y = 0; y < shot.height(); ++y) {
    for (int x = 0; x < shot.width(); ++x) {
      QRgb p = shot.pixel(x, y);
      image.pixels.push_back(static_cast<COLORREF>(qRed(p) | (qGreen(p) << 8) | (qBlue(p) << 16)));
    }
  }
  return image;
}

}  // namespace zq::ui::qt
