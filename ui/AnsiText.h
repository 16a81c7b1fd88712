#pragma once
// The engine's texts are Windows-1252 bytes, as the "A" calls give them; the widgets show
// Unicode. Both ways go through the code page layer, best-fit mappings included.
#include <QString>
#include <string>

#include "platform/codepage/Codepage.h"

namespace ui {

inline QString FromAnsi(const std::string& ansi) {
    return QString::fromStdU16String(platform::codepage::AnsiToUtf16(ansi));
}

inline std::string ToAnsi(const QString& text) {
    return platform::codepage::Utf16ToAnsi(text.toStdU16String());
}

}  // namespace ui
