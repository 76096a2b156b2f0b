// What edit lines share with the edit part of a combo box.
#pragma once
#include <QLineEdit>

#include "zqplatform/uimodel.h"

namespace zq::ui::qt {

// A text the user changed on screen (typed, pasted, set through the accessibility interface)
// as the model's text.
void TextToModel(HWND h, const QString& text);

// The model's selection (bytes of the text) on an edit line, when the program changed it.
void ApplySelection(QLineEdit* e, const WindowState& s);

}  // namespace zq::ui::qt
