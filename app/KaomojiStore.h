#pragma once
// The kaomoji store: twelve genre lists of faces, read from and written to the
// dictionary file. Faces are CP932 byte strings and pass through unchanged.
// Genres are numbered from 0 here (page 1 of the window is genre 0).

#include <array>
#include <stdexcept>
#include <string>
#include <vector>

using Face = std::string;

// A failure of the store, carrying the user-facing message in UTF-8.
class StoreError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

class KaomojiStore
{
public:
    static constexpr int GenreCount = 12;

    // The genre names in page order, as UTF-8.
    static const std::array<const char*, GenreCount>& genreNames();

    static const std::string& separateMarker();
    static const std::string& lastLineMarker();
    static bool isMarker(const std::string& line);

    // Fills the empty store from `path`. On failure the store stays empty.
    // Messages name the file by its bare name, as the program names it.
    void load(const std::string& path);

    // Writes the whole store to `path` atomically: the old file is either
    // replaced whole or left untouched.
    void save(const std::string& path) const;

    // The bytes the writer produces for the current store.
    std::string serialize() const;

    const Face& faceAt(int genre, int index) const;
    int count(int genre) const;
    void append(int genre, Face face);
    void insert(int genre, int index, Face face);
    void removeAt(int genre, int index);
    void clear();

    // Every genre whose name equals `nameCp932` byte for byte, in page order.
    std::vector<int> genresByName(const std::string& nameCp932) const;

    // Lines that followed the twelfth "separate" in the file read last; kept so
    // that saving does not lose them, though no page shows them.
    const std::vector<std::string>& extraLines() const { return m_extra; }
    int extraFaceCount() const;

    // Raises StoreError for a face the file cannot hold: a marker line, or
    // text with a line end or NUL.
    static void checkFace(const Face& face);

private:
    const std::vector<Face>& genre(int genre) const;
    std::vector<Face>& genre(int genre);

    std::array<std::vector<Face>, GenreCount> m_genres;
    std::vector<std::string> m_extra;
};

// Splits text into lines the way the dictionary reader and the importer do: a
// NUL ends the text; CR LF, lone CR and lone LF each end a line; a final line
// end adds no empty line.
std::vector<std::string> splitTextLines(const std::string& bytes);

// "リストのインデックスが範囲を超えています (%d)", raised for a position outside a list.
std::string listIndexError(int index);
