// TColor's two kinds of value, and the panel base that paints with them.

#include "Color.h"
#include "CustomPanel.h"

#include <QImage>
#include <QTest>

class TestColor : public QObject
{
    Q_OBJECT

private slots:
    void plainColors_data()
    {
        QTest::addColumn<uint>("value");
        QTest::addColumn<QColor>("expected");
        QTest::newRow("red is the low byte") << uint(255) << QColor(255, 0, 0);
        QTest::newRow("orange") << uint(33023) << QColor(255, 128, 0);
        QTest::newRow("blue is the third byte") << uint(0xFF0000) << QColor(0, 0, 255);
        QTest::newRow("yellow") << uint(clYellow) << QColor(255, 255, 0);
        QTest::newRow("lime") << uint(clLime) << QColor(0, 255, 0);
    }

    void plainColors()
    {
        QFETCH(uint, value);
        QFETCH(QColor, expected);
        QCOMPARE(ColorToQColor(value), expected);
        QCOMPARE(RGBColor(expected.red(), expected.green(), expected.blue()), TColor(value));
    }

    void systemColorsFollowThePalette_data()
    {
        QTest::addColumn<uint>("value");
        QTest::addColumn<int>("role");
        QTest::newRow("button face") << uint(clBtnFace) << int(QPalette::Button);
        QTest::newRow("window") << uint(clWindow) << int(QPalette::Base);
        QTest::newRow("button highlight") << uint(clBtnHighlight) << int(QPalette::Light);
        QTest::newRow("button shadow") << uint(clBtnShadow) << int(QPalette::Dark);
        QTest::newRow("unknown index") << uint(0x8000007F) << int(QPalette::Window);
    }

    void systemColorsFollowThePalette()
    {
        QFETCH(uint, value);
        QFETCH(int, role);
        QVERIFY(IsSystemColor(value));
        // Distinct colours per role, so that a wrong mapping cannot pass.
        QPalette palette;
        const QPalette::ColorRole roles[] = {QPalette::Button, QPalette::Base, QPalette::Light,
                                             QPalette::Dark, QPalette::Window};
        int shade = 10;
        for (QPalette::ColorRole r : roles)
            palette.setColor(r, QColor(shade += 40, 7, 9));
        QCOMPARE(ColorToQColor(value, palette).rgb(), palette.color(QPalette::ColorRole(role)).rgb());
    }

    void bevel_data()
    {
        QTest::addColumn<int>("cut");
        QTest::addColumn<int>("width");
        QTest::addColumn<uint>("topLeft");
        QTest::addColumn<uint>("bottomRight");
        QTest::newRow("raised") << int(CustomPanel::bvRaised) << 2 << uint(clBtnHighlight)
                                << uint(clBtnShadow);
        QTest::newRow("lowered") << int(CustomPanel::bvLowered) << 2 << uint(clBtnShadow)
                                 << uint(clBtnHighlight);
        QTest::newRow("none") << int(CustomPanel::bvNone) << 2 << uint(clRed) << uint(clRed);
        QTest::newRow("space") << int(CustomPanel::bvSpace) << 2 << uint(clRed) << uint(clRed);
        QTest::newRow("raised, width 0") << int(CustomPanel::bvRaised) << 0 << uint(clRed) << uint(clRed);
    }

    void bevel()
    {
        QFETCH(int, cut);
        QFETCH(int, width);
        QFETCH(uint, topLeft);
        QFETCH(uint, bottomRight);
        CustomPanel panel;
        panel.resize(40, 20);
        panel.SetBackgroundColor(clRed);
        panel.SetBevelOuter(CustomPanel::TBevelCut(cut));
        panel.SetBevelWidth(width);
        QImage image(panel.size(), QImage::Format_ARGB32);
        panel.render(&image);
        const QPalette& pal = panel.palette();
        QCOMPARE(image.pixel(0, 5), ColorToQColor(topLeft, pal).rgb());
        QCOMPARE(image.pixel(5, 1), ColorToQColor(topLeft, pal).rgb());
        QCOMPARE(image.pixel(39, 5), ColorToQColor(bottomRight, pal).rgb());
        QCOMPARE(image.pixel(5, 18), ColorToQColor(bottomRight, pal).rgb());
        // Inside the bevel the background shows.
        QCOMPARE(image.pixel(5, 5), qRgb(255, 0, 0));
    }
};

QTEST_MAIN(TestColor)
#include "tst_color.moc"
