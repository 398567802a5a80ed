// The forms' Japanese face names must reach a font that has Japanese glyphs.

#include "Fonts.h"

#include <QFontInfo>
#include <QRawFont>
#include <QTest>

class TestFonts : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        InstallFontSubstitutions();
        InstallFontSubstitutions(); // twice is harmless
    }

    void substitutedToIpa_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("MS P Gothic, full-width name") << QStringLiteral("ＭＳ Ｐゴシック");
        QTest::newRow("MS UI Gothic") << QStringLiteral("MS UI Gothic");
    }

    void substitutedToIpa()
    {
        QFETCH(QString, name);
        QCOMPARE(QFont::substitutes(name).filter(QStringLiteral("ipapgothic"), Qt::CaseInsensitive).size(),
                 1);
        const QFont font(name);
        QVERIFY2(QFontInfo(font).family().startsWith(QStringLiteral("IPA")),
                 qPrintable(QFontInfo(font).family()));
        QVERIFY(QRawFont::fromFont(font).supportsCharacter(QChar(0x3042))); // あ
    }
};

QTEST_MAIN(TestFonts)
#include "tst_fonts.moc"
