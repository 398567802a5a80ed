#pragma once
// The window-position file beside the executable: integers in sections, read
// with a default and written back.

#include <QString>

namespace IniFile {

// The executable's path with its extension replaced by ".INI", or ".INI"
// appended when it has none.
QString pathForExecutable(const QString& executablePath);

// Parses an integer as the INI service does: decimal with an optional sign,
// or hexadecimal after "0x", "0X" or "$". Anything else gives `fallback`.
int parseInteger(const QString& text, int fallback);

int readInteger(const QString& iniPath, const QString& section, const QString& key, int fallback);

// Writes the keys of one section; raises std::runtime_error with
// "%s に書き込めません" when the file cannot be written.
void writeIntegers(const QString& iniPath, const QString& section,
                   const std::initializer_list<std::pair<QString, int>>& values);

} // namespace IniFile
