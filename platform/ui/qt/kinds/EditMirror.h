// What edit lines share with the edit part of a combo box.
#pragma once
#include <QLineEdit>

#include "zqplatform/uimodel.h"

namespace zq::ui::qt {

// The model's selection (bytes of the text) on an edit line, when the program changed it.
void ApplySelection(QLineEdit* e, const WindowState& s);

}  // namespace zq::ui::qt
