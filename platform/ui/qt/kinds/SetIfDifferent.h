// Sets a widget's text only when it differs (a set would move the caret and redraw).
#pragma once
#include <QString>

namespace zq::ui::qt {

template <class T>
void SetIfDifferent(T* w, const QString& text) {
  if (w->text() != text) w->setText(text);
}

}  // namespace zq::ui::qt
