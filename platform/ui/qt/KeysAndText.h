// Qt keys as Windows virtual-key codes; texts between the ANSI code page and Qt.
#pragma once
#include <QString>
#include <cstdint>
#include <string>

namespace zq::ui::qt {

// The Windows virtual-key code of a Qt key (0 when there is none).
uint32_t VirtualKey(int qtKey);
QString FromAnsi(const std::string& ansi);
std::string ToAnsi(const QString& text);

}  // namespace zq::ui::qt
