// Helpers of the Qt presenter's tests: the widget that mirrors a window, mouse presses, the
// messages posted, and a small icon.
#pragma once
#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <functional>
#include <optional>
#include <string>

#include "zqplatform/uimodel.h"

namespace zq::ui::test {

// Runs f on the GUI thread with the widget of type W that mirrors hwnd.
template <typename W>
void OnWidget(HWND hwnd, const std::function<void(W&)>& f) {
  zq::ui::Flush();
  QMetaObject::invokeMethod(
      qApp,
      [&] {
        for (QWidget* w : QApplication::allWidgets()) {
          auto* typed = qobject_cast<W*>(w);
          if (typed && w->property("zqHwnd").toUInt() == hwnd) return f(*typed);
        }
        ADD_FAILURE() << "no widget for " << hwnd;
      },
      Qt::BlockingQueuedConnection);
}

// A press and release of a mouse button at a point of a widget.
inline void Press(QWidget& on, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
  QMouseEvent press(QEvent::MouseButtonPress, at, on.mapToGlobal(at), button, button, Qt::NoModifier);
  QMouseEvent release(QEvent::MouseButtonRelease, at, on.mapToGlobal(at), button, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(&on, &press);
  QApplication::sendEvent(&on, &release);
}

// The next message of that kind for hwnd on this thread's queue.
inline std::optional<MSG> Posted(HWND hwnd, uint32_t message) {
  MSG m{};
  if (!PeekMessage(&m, hwnd, message, message, PM_REMOVE)) return std::nullopt;
  return m;
}

// A 4 x 4 red PNG as an icon of the model.
inline HICON RedIcon() {
  static HICON icon = [] {
    static const std::string png(
        "\x89\x50\x4E\x47\x0D\x0A\x1A\x0A\x00\x00\x00\x0D\x49\x48\x44\x52\x00\x00\x00\x04\x00\x00\x00\x04\x08\x02\x00"
        "\x00\x00\x26\x93\x09\x29\x00\x00\x00\x10\x49\x44\x41\x54\x78\x9C\x63\xF8\xCF\xC0\x00\x47\x0C\xC4\x71\x00\xAE"
        "\x93\x0F\xF1\xD0\x5F\x23\x9E\x00\x00\x00\x00\x49\x45\x4E\x44\xAE\x42\x60\x82",
        73);
    HINSTANCE instance = zq::ui::CreateInstance();
    zq::ui::AddIconResource(instance, "red", png);
    return LoadIconA(instance, "red");
  }();
  return icon;
}

}  // namespace zq::ui::test
