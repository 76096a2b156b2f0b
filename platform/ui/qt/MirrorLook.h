// The model's colours, fonts, alignments and rectangles in Qt's terms.
#pragma once
#include <QColor>
#include <QFont>
#include <QRect>

#include "zqplatform/uimodel.h"

namespace zq::ui::qt {

QColor Colour(COLORREF c);
QFont FontOf(const Font& f);
Qt::Alignment AlignOf(Align a);
QRect RectOf(const RECT& r);

}  // namespace zq::ui::qt
