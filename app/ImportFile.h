#pragma once
// Reading a text file of faces, one per line, for import into a genre.

#include "KaomojiStore.h"

#include <QString>

#include <vector>

// The file cannot be read at all: "ファイル %s は開けません".
class ImportOpenError : public StoreError
{
public:
    using StoreError::StoreError;
};

// The file was read, but a line cannot go into the dictionary; the message
// names the file, the line and what is wrong.
class ImportContentError : public StoreError
{
public:
    using StoreError::StoreError;
};

namespace ImportFile {

// Reads the faces of `path`. A NUL ends the text; CR LF, LF and CR end lines;
// empty lines are empty faces. A file with a UTF-8 byte-order mark, or valid
// UTF-8 with at least one multi-byte character, is taken as UTF-8 and
// converted to CP932; any other file is taken byte for byte as CP932.
// Nothing is returned unless every line can be stored.
std::vector<Face> read(const QString& path);

// True when the bytes are to be read as UTF-8 rather than as CP932.
bool looksLikeUtf8(const std::string& bytes);

} // namespace ImportFile
