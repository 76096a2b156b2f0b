// The model's colours, fonts, alignments and rectangles in Qt's terms.
#pragma once
#include <QColor>
#include <QFont>
#include <QIcon>
#include <QRect>

#include "zqplatform/uimodel.h"

namespace zq::ui::qt {

QColor Colour(COLORREF c);
QFont FontOf(const Font& f);
Qt::Alignment AlignOf(Align a);
QRect RectOf(const RECT& r);
// The picture of an icon of the model (a null icon when it has none).
QIcon IconOf(HICON icon);

}  // namespace zq::ui::qt
