#include "IniFile.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

#include <climits>
#include <stdexcept>

namespace IniFile {

QString pathForExecutable(const QString& executablePath)
{
    const QFileInfo info(executablePath);
    const QString name = info.fileName();
    const int dot = name.lastIndexOf('.');
    const QString stem = dot > 0 ? name.left(dot) : name;
    return info.absoluteDir().filePath(stem + QStringLiteral(".INI"));
}

int parseInteger(const QString& text, int fallback)
{
    QString digits = text.trimmed();
    bool negative = false;
    if (digits.startsWith('+') || digits.startsWith('-')) {
        negative = digits.startsWith('-');
        digits.remove(0, 1);
    }
    int base = 10;
    if (digits.startsWith(QStringLiteral("0x"), Qt::CaseInsensitive)) {
        base = 16;
        digits.remove(0, 2);
    } else if (digits.startsWith('$')) {
        base = 16;
        digits.remove(0, 1);
    }
    if (digits.isEmpty() || digits.startsWith('+') || digits.startsWith('-'))
        return fallback;
    bool ok = false;
    const qlonglong value = digits.toLongLong(&ok, base);
    if (!ok)
        return fallback;
    const qlonglong signedValue = negative ? -value : value;
    if (signedValue < INT_MIN || signedValue > INT_MAX)
        return fallback;
    return static_cast<int>(signedValue);
}

int readInteger(const QString& iniPath, const QString& section, const QString& key, int fallback)
{
    const QSettings settings(iniPath, QSettings::IniFormat);
    const QVariant value = settings.value(section + '/' + key);
    if (value.typeId() != QMetaType::QString)
        return fallback;
    return parseInteger(value.toString(), fallback);
}

void writeIntegers(const QString& iniPath, const QString& section,
                   const std::initializer_list<std::pair<QString, int>>& values)
{
    QSettings settings(iniPath, QSettings::IniFormat);
    for (const auto& [key, value] : values)
        settings.setValue(section + '/' + key, QString::number(value));
    settings.sync();
    if (settings.status() != QSettings::NoError)
        throw std::runtime_error((iniPath + QStringLiteral(" に書き込めません")).toStdString());
}

} // namespace IniFile
