#include "KaomojiStore.h"

#include "Cp932.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string baseName(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string dirName(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

StoreError cannotOpen(const std::string& path)
{
    return StoreError("ファイル " + baseName(path) + " は開けません");
}

StoreError cannotCreate(const std::string& path)
{
    return StoreError("ファイル " + baseName(path) + " を作成できません");
}

StoreError writeError()
{
    return StoreError("ストリームへの書き込みエラー");
}

bool writeAll(int fd, const std::string& bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

mode_t currentUmask()
{
    const mode_t mask = ::umask(022);
    ::umask(mask);
    return mask;
}

} // namespace

std::vector<std::string> splitTextLines(const std::string& bytes)
{
    std::vector<std::string> lines;
    const size_t end = std::min(bytes.find('\0'), bytes.size());
    size_t start = 0;
    size_t i = 0;
    while (i < end) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            lines.emplace_back(bytes, start, i - start);
            if (c == '\r' && i + 1 < end && bytes[i + 1] == '\n')
                ++i;
            start = ++i;
        } else {
            ++i;
        }
    }
    if (start < end)
        lines.emplace_back(bytes, start, end - start);
    return lines;
}

std::string listIndexError(int index)
{
    return "リストのインデックスが範囲を超えています (" + std::to_string(index) + ")";
}

const std::array<const char*, KaomojiStore::GenreCount>& KaomojiStore::genreNames()
{
    static const std::array<const char*, GenreCount> names = {
        "笑う", "泣く",   "怒る",     "驚く",         "イバる",       "眠い",
        "汗",   "照れる", "さよなら", "えとせとら１", "えとせとら２", "えとせとら３",
    };
    return names;
}

const std::string& KaomojiStore::separateMarker()
{
    static const std::string marker = "separate";
    return marker;
}

const std::string& KaomojiStore::lastLineMarker()
{
    static const std::string marker = "last_line";
    return marker;
}

bool KaomojiStore::isMarker(const std::string& line)
{
    return line == separateMarker() || line == lastLineMarker();
}

void KaomojiStore::load(const std::string& path)
{
    clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throw cannotOpen(path);
    struct stat st
    {
    };
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        ::close(fd);
        throw cannotOpen(path);
    }
    std::string bytes;
    if (st.st_size > 0)
        bytes.reserve(static_cast<size_t>(st.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ::close(fd);
            throw cannotOpen(path);
        }
        bytes.append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);

    int current = 0;
    for (std::string& line : splitTextLines(bytes)) {
        if (line == lastLineMarker())
            break;
        if (current >= GenreCount) {
            // Past the twelfth "separate" there is no genre; keep the lines
            // as they stand, further markers included, for the writer.
            m_extra.push_back(std::move(line));
        } else if (line == separateMarker()) {
            ++current;
        } else {
            m_genres[static_cast<size_t>(current)].push_back(std::move(line));
        }
    }
    if (extraFaceCount() == 0)
        m_extra.clear();
}

std::string KaomojiStore::serialize() const
{
    static const std::string crlf = "\r\n";
    size_t size = 0;
    for (const auto& faces : m_genres) {
        for (const Face& face : faces)
            size += face.size() + 2;
    }
    for (const std::string& line : m_extra)
        size += line.size() + 2;
    std::string out;
    out.reserve(size + 12 * 10 + 12);
    for (int g = 0; g < GenreCount; ++g) {
        for (const Face& face : m_genres[static_cast<size_t>(g)])
            out.append(face).append(crlf);
        if (g < GenreCount - 1)
            out.append(separateMarker()).append(crlf);
    }
    if (!m_extra.empty()) {
        out.append(separateMarker()).append(crlf);
        for (const std::string& line : m_extra)
            out.append(line).append(crlf);
    }
    out.append(lastLineMarker()).append(crlf);
    return out;
}

void KaomojiStore::save(const std::string& requestedPath) const
{
    const std::string bytes = serialize();

    // Write through a link to the file it names, so the link survives.
    std::string path = requestedPath;
    char resolved[PATH_MAX];
    struct stat st
    {
    };
    const bool exists = ::stat(requestedPath.c_str(), &st) == 0;
    if (exists && ::realpath(requestedPath.c_str(), resolved))
        path = resolved;
    if (exists && (S_ISDIR(st.st_mode) || ::access(path.c_str(), W_OK) != 0))
        throw cannotCreate(requestedPath);

    std::string temp = dirName(path) + "/." + baseName(path) + ".XXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0)
        throw cannotCreate(requestedPath);
    ::fchmod(fd, exists ? (st.st_mode & 07777) : (0666 & ~currentUmask()));

    const bool written = writeAll(fd, bytes) && ::fsync(fd) == 0;
    if (::close(fd) != 0 || !written) {
        ::unlink(temp.c_str());
        throw writeError();
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        ::unlink(temp.c_str());
        throw cannotCreate(requestedPath);
    }
    const int dirFd = ::open(dirName(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
}

const std::vector<Face>& KaomojiStore::genre(int genre) const
{
    if (genre < 0 || genre >= GenreCount)
        throw StoreError(listIndexError(genre));
    return m_genres[static_cast<size_t>(genre)];
}

std::vector<Face>& KaomojiStore::genre(int genre)
{
    return const_cast<std::vector<Face>&>(static_cast<const KaomojiStore*>(this)->genre(genre));
}

const Face& KaomojiStore::faceAt(int g, int index) const
{
    const auto& faces = genre(g);
    if (index < 0 || static_cast<size_t>(index) >= faces.size())
        throw StoreError(listIndexError(index));
    return faces[static_cast<size_t>(index)];
}

int KaomojiStore::count(int g) const
{
    return static_cast<int>(genre(g).size());
}

void KaomojiStore::checkFace(const Face& face)
{
    if (isMarker(face))
        throw StoreError("顔文字「" + face + "」は区切りの行と同じなので登録できません");
    if (face.find_first_of(std::string("\r\n\0", 3)) != std::string::npos)
        throw StoreError("顔文字に改行や NUL 文字は入れられません");
}

void KaomojiStore::append(int g, Face face)
{
    checkFace(face);
    genre(g).push_back(std::move(face));
}

void KaomojiStore::insert(int g, int index, Face face)
{
    auto& faces = genre(g);
    if (index < 0 || static_cast<size_t>(index) > faces.size())
        throw StoreError(listIndexError(index));
    checkFace(face);
    faces.insert(faces.begin() + index, std::move(face));
}

void KaomojiStore::removeAt(int g, int index)
{
    auto& faces = genre(g);
    if (index < 0 || static_cast<size_t>(index) >= faces.size())
        throw StoreError(listIndexError(index));
    faces.erase(faces.begin() + index);
}

void KaomojiStore::clear()
{
    for (auto& faces : m_genres)
        faces.clear();
    m_extra.clear();
}

std::vector<int> KaomojiStore::genresByName(const std::string& nameCp932) const
{
    std::vector<int> found;
    for (int g = 0; g < GenreCount; ++g) {
        if (Cp932::fromUtf8Literal(genreNames()[static_cast<size_t>(g)]) == nameCp932)
            found.push_back(g);
    }
    return found;
}

int KaomojiStore::extraFaceCount() const
{
    int n = 0;
    for (const std::string& line : m_extra) {
        if (line != separateMarker())
            ++n;
    }
    return n;
}
