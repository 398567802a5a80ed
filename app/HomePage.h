#pragma once
// The program's home page, which the link on the main window opens.

#include <QString>

namespace HomePage {

inline const QString Url = QStringLiteral("https://emotipad.example.org/");

} // namespace HomePage
