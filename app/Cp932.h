#pragma once
// Code page 932 (Shift-JIS) <-> Unicode. The dictionary keeps its faces as
// CP932 bytes; only what a person sees or types passes through here.

#include <QString>

#include <optional>
#include <string>

namespace Cp932 {

// Decodes CP932 bytes for display. A byte sequence that is not CP932 shows as
// U+FFFD, one per undecodable byte, so that nothing shifts or disappears.
QString decode(const std::string& bytes);

// Encodes text to CP932. Returns nothing when a character cannot be held;
// `unencodable`, when given, then receives the first such character.
std::optional<std::string> encode(const QString& text, QString* unencodable = nullptr);

// "U+XXXX" for the first character of `text`, to name it in messages.
QString codePointName(const QString& text);

// Converts a UTF-8 literal of our sources (the genre names, markers) to CP932.
// Only for texts known to be encodable.
std::string fromUtf8Literal(const char* utf8);

} // namespace Cp932
