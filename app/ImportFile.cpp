#include "ImportFile.h"

#include "Cp932.h"

#include <QFile>
#include <QFileInfo>

namespace ImportFile {
namespace {

const char Bom[] = "\xEF\xBB\xBF";

bool hasBom(const std::string& bytes)
{
    return bytes.compare(0, 3, Bom) == 0;
}

} // namespace

bool looksLikeUtf8(const std::string& bytes)
{
    if (hasBom(bytes))
        return true;
    bool multiByte = false;
    size_t i = 0;
    const size_t end = std::min(bytes.find('\0'), bytes.size());
    while (i < end) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        int follow = 0;
        unsigned int min = 0;
        unsigned int code = 0;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            follow = 1, min = 0x80, code = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            follow = 2, min = 0x800, code = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            follow = 3, min = 0x10000, code = c & 0x07;
        } else {
            return false;
        }
        if (i + static_cast<size_t>(follow) >= end)
            return false;
        for (int k = 1; k <= follow; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + static_cast<size_t>(k)]);
            if ((next & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (next & 0x3F);
        }
        // Overlong forms, surrogates and values past Unicode are not UTF-8.
        if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        multiByte = true;
        i += static_cast<size_t>(follow) + 1;
    }
    return multiByte;
}

std::vector<Face> read(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || QFileInfo(path).isDir())
        throw ImportOpenError(("ファイル " + path + " は開けません").toStdString());
    const QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw ImportOpenError(("ファイル " + path + " は開けません").toStdString());
    std::string bytes = content.toStdString();
    bytes.resize(std::min(bytes.find('\0'), bytes.size()));

    const bool utf8 = looksLikeUtf8(bytes);
    if (utf8 && hasBom(bytes))
        bytes.erase(0, 3);

    std::vector<Face> faces;
    int number = 0;
    for (std::string& line : splitTextLines(bytes)) {
        ++number;
        const QString where = QStringLiteral("%1 の %2 行目").arg(path).arg(number);
        if (utf8) {
            QString unencodable;
            auto encoded = Cp932::encode(QString::fromStdString(line), &unencodable);
            if (!encoded) {
                throw ImportContentError(
                    (where + QStringLiteral("にシフトJISで保存できない文字「%1」(%2) があるため、"
                                            "このファイルは読み込みませんでした。")
                                 .arg(unencodable, Cp932::codePointName(unencodable)))
                        .toStdString());
            }
            line = std::move(*encoded);
        }
        if (KaomojiStore::isMarker(line)) {
            throw ImportContentError((where + QStringLiteral("「%1」は辞書ファイルの区切りの行と同じなので、"
                                                             "このファイルは読み込みませんでした。")
                                                  .arg(QString::fromStdString(line)))
                                         .toStdString());
        }
        faces.push_back(std::move(line));
    }
    return faces;
}

} // namespace ImportFile
