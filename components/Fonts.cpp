#include "Fonts.h"

#include <QFont>
#include <QString>
#include <QStringList>

void InstallFontSubstitutions()
{
    // Proportional and fixed-pitch IPA Gothic first, then the Debian alias, so
    // that whichever of them is installed wins.
    const QStringList gothic = {QStringLiteral("IPAPGothic"), QStringLiteral("IPA Pゴシック"),
                                QStringLiteral("IPAGothic"), QStringLiteral("IPAゴシック")};
    for (const QString& name :
         {QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"), QStringLiteral("MS UI Gothic"),
          QStringLiteral("ＭＳ ゴシック"), QStringLiteral("MS Gothic")}) {
        // Qt keeps substitution names in lower case and appends on every
        // insert, so look before adding.
        if (!QFont::substitutes(name).contains(gothic.first(), Qt::CaseInsensitive))
            QFont::insertSubstitutions(name, gothic);
    }
}
