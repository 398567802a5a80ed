#include "Cp932.h"

#include <QList>

#include <cerrno>
#include <iconv.h>
#include <stdexcept>

namespace Cp932 {
namespace {

// iconv descriptors are costly to open; each direction keeps one per thread.
class Converter
{
public:
    Converter(const char* to, const char* from) : m_cd(iconv_open(to, from))
    {
        if (m_cd == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error(std::string("iconv cannot convert from ") + from + " to " + to);
    }
    ~Converter() { iconv_close(m_cd); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts as much as it can; returns the number of input bytes consumed
    // before the first sequence it could not convert.
    size_t convert(const char* in, size_t inLen, std::string& out)
    {
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        char* src = const_cast<char*>(in);
        size_t srcLeft = inLen;
        char buffer[4096];
        while (srcLeft > 0) {
            char* dst = buffer;
            size_t dstLeft = sizeof buffer;
            size_t rc = iconv(m_cd, &src, &srcLeft, &dst, &dstLeft);
            out.append(buffer, static_cast<size_t>(dst - buffer));
            if (rc == static_cast<size_t>(-1) && errno != E2BIG)
                break;
        }
        // Flush any shift state (none for these code pages, but be exact).
        char* dst = buffer;
        size_t dstLeft = sizeof buffer;
        iconv(m_cd, nullptr, nullptr, &dst, &dstLeft);
        out.append(buffer, static_cast<size_t>(dst - buffer));
        return inLen - srcLeft;
    }

private:
    iconv_t m_cd;
};

Converter& decoder()
{
    thread_local Converter c("UTF-8", "CP932");
    return c;
}

Converter& encoder()
{
    thread_local Converter c("CP932", "UTF-8");
    return c;
}

bool isAscii(const std::string& bytes)
{
    for (unsigned char c : bytes) {
        if (c >= 0x80)
            return false;
    }
    return true;
}

} // namespace

QString decode(const std::string& bytes)
{
    // Most faces are plain ASCII; skip iconv for them.
    if (isAscii(bytes))
        return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));

    std::string utf8;
    utf8.reserve(bytes.size() * 2);
    size_t pos = 0;
    while (pos < bytes.size()) {
        pos += decoder().convert(bytes.data() + pos, bytes.size() - pos, utf8);
        if (pos < bytes.size()) {
            utf8 += "\xEF\xBF\xBD"; // U+FFFD
            ++pos;
        }
    }
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::optional<std::string> encode(const QString& text, QString* unencodable)
{
    const QByteArray utf8 = text.toUtf8();
    std::string out;
    out.reserve(static_cast<size_t>(utf8.size()));
    const size_t used = encoder().convert(utf8.constData(), static_cast<size_t>(utf8.size()), out);
    if (used == static_cast<size_t>(utf8.size()))
        return out;
    if (unencodable) {
        // The code point that starts at the byte where conversion stopped.
        const QString rest =
            QString::fromUtf8(utf8.constData() + used, utf8.size() - static_cast<qsizetype>(used));
        *unencodable = rest.isEmpty() ? QString() : rest.left(rest.at(0).isHighSurrogate() ? 2 : 1);
    }
    return std::nullopt;
}

QString codePointName(const QString& text)
{
    const QList<uint> codes = text.toUcs4();
    if (codes.isEmpty())
        return QString();
    return QStringLiteral("U+") + QStringLiteral("%1").arg(codes.first(), 4, 16, QChar('0')).toUpper();
}

std::string fromUtf8Literal(const char* utf8)
{
    auto encoded = encode(QString::fromUtf8(utf8));
    if (!encoded)
        throw std::logic_error("text not encodable in CP932");
    return *encoded;
}

} // namespace Cp932
