// What the mirror asks of a shown list beyond its table entry.
#pragma once
#include <QWidget>
#include <optional>

#include "zqplatform/uimodel.h"

namespace zq::ui::qt {

// A shown list's cell in pixels of its parent; none when the cell is not laid out.
std::optional<RECT> ShownCell(QWidget* list, int32_t row, int32_t column);

}  // namespace zq::ui::qt
