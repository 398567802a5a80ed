// The vertical label measured and painted for real: where its ink lands on an
// image, and how it sizes itself.

#include "Fonts.h"
#include "Palette.h"
#include "TateLabel.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QTest>
#include <memory>

namespace {

// A monospaced face at a size where five full-width characters measure
// 60 x 12, the case worked through for the placement rules.
QFont fixtureFont()
{
    QFont f(QStringLiteral("IPAGothic"));
    f.setPixelSize(11);
    f.setLetterSpacing(QFont::AbsoluteSpacing, 1);
    f.setStyleStrategy(QFont::NoAntialias);
    return f;
}

const QString kSixtyByTwelve = QStringLiteral("あいうえお");

std::unique_ptr<TTateLabel> makeLabel(const QString& caption)
{
    auto label = std::make_unique<TTateLabel>();
    label->setFont(fixtureFont());
    label->SetColor(clWhite);
    label->SetFontColor(clBlack);
    label->SetCaption(caption);
    return label;
}

QImage render(QWidget* w)
{
    QImage image(w->size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    w->render(&image);
    return image;
}

// The bounding box of everything that is not `background`.
QRect inkBox(const QImage& image, QRgb background = qRgb(255, 255, 255))
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != background)
                box |= QRect(x, y, 1, 1);
    return box;
}

// The caption drawn across at (0,0) in a plain painter, optionally turned a
// quarter turn clockwise: what the label's ink must look like, wherever it is.
QImage reference(const QString& text, bool turned, int flags = Qt::TextShowMnemonic)
{
    const QFontMetrics fm(fixtureFont());
    QImage image(fm.horizontalAdvance(text) + 4, fm.height(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setFont(fixtureFont());
    p.setPen(Qt::black);
    p.drawText(QRect(0, 0, image.width(), image.height()), Qt::AlignLeft | Qt::AlignTop | flags, text);
    p.end();
    return turned ? image.transformed(QTransform().rotate(90)) : image;
}

bool near(const QRect& a, const QRect& b)
{
    return qAbs(a.left() - b.left()) <= 1 && qAbs(a.top() - b.top()) <= 1 &&
           qAbs(a.right() - b.right()) <= 1 && qAbs(a.bottom() - b.bottom()) <= 1;
}

} // namespace

class TestTateLabel : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        InstallFontSubstitutions();
        const QFontMetrics fm(fixtureFont());
        // The fixture's premise; without it the placement cases mean nothing.
        QCOMPARE(QSize(fm.horizontalAdvance(kSixtyByTwelve), fm.height()), QSize(60, 12));
    }

    void defaults()
    {
        TTateLabel label;
        QCOMPARE(label.size(), QSize(56, 12));
        QVERIFY(!label.Tategaki());
        QVERIFY(label.AutoSize());
    }

    void placement_data()
    {
        QTest::addColumn<bool>("tategaki");
        QTest::addColumn<int>("alignment");
        QTest::addColumn<int>("layout");
        QTest::addColumn<QRect>("block");
        const int L = TTateLabel::taLeftJustify, R = TTateLabel::taRightJustify, C = TTateLabel::taCenter;
        const int T = TTateLabel::tlTop, M = TTateLabel::tlCenter, B = TTateLabel::tlBottom;
        // Vertical: the turned block is 12 wide and 60 tall.
        QTest::newRow("vertical left top") << true << L << T << QRect(QPoint(0, 0), QPoint(11, 59));
        QTest::newRow("vertical right bottom") << true << R << B << QRect(QPoint(88, 40), QPoint(99, 99));
        QTest::newRow("vertical centre centre") << true << C << M << QRect(QPoint(44, 20), QPoint(55, 79));
        QTest::newRow("vertical left bottom") << true << L << B << QRect(QPoint(0, 40), QPoint(11, 99));
        QTest::newRow("vertical right top") << true << R << T << QRect(QPoint(88, 0), QPoint(99, 59));
        QTest::newRow("vertical centre top") << true << C << T << QRect(QPoint(44, 0), QPoint(55, 59));
        QTest::newRow("vertical left centre") << true << L << M << QRect(QPoint(0, 20), QPoint(11, 79));
        QTest::newRow("vertical right centre") << true << R << M << QRect(QPoint(88, 20), QPoint(99, 79));
        QTest::newRow("vertical centre bottom") << true << C << B << QRect(QPoint(44, 40), QPoint(55, 99));
        // Across: an ordinary label, the line 60 wide and 12 tall.
        QTest::newRow("across left top") << false << L << T << QRect(QPoint(0, 0), QPoint(59, 11));
        QTest::newRow("across right bottom") << false << R << B << QRect(QPoint(40, 88), QPoint(99, 99));
        QTest::newRow("across centre centre") << false << C << M << QRect(QPoint(20, 44), QPoint(79, 55));
    }

    void placement()
    {
        QFETCH(bool, tategaki);
        QFETCH(int, alignment);
        QFETCH(int, layout);
        QFETCH(QRect, block);
        auto label = makeLabel(kSixtyByTwelve);
        label->SetAutoSize(false);
        label->resize(100, 100);
        label->SetTategaki(tategaki);
        label->SetAlignment(TTateLabel::TAlignment(alignment));
        label->SetLayout(TTateLabel::TTextLayout(layout));
        QCOMPARE(label->size(), QSize(100, 100));

        const QRect ink = inkBox(render(label.get()));
        QVERIFY2(block.contains(ink), qPrintable(QStringLiteral("ink %1,%2 %3x%4 outside the block")
                                                     .arg(ink.x())
                                                     .arg(ink.y())
                                                     .arg(ink.width())
                                                     .arg(ink.height())));
        // And exactly where the same line, drawn on its own, puts its ink.
        const QRect expected = inkBox(reference(kSixtyByTwelve, tategaki)).translated(block.topLeft());
        QVERIFY2(near(ink, expected), qPrintable(QStringLiteral("ink at %1,%2, expected %3,%4")
                                                     .arg(ink.x())
                                                     .arg(ink.y())
                                                     .arg(expected.x())
                                                     .arg(expected.y())));
    }

    void autoSizeBothDirections()
    {
        auto label = makeLabel(kSixtyByTwelve);
        label->move(10, 20);
        QCOMPARE(label->size(), QSize(60, 12));
        label->SetTategaki(true);
        QCOMPARE(label->size(), QSize(12, 60));
        QCOMPARE(label->pos(), QPoint(10, 20));
        label->SetTategaki(false);
        QCOMPARE(label->size(), QSize(60, 12));

        // Alignment and layout repaint but never resize.
        label->SetAlignment(TTateLabel::taRightJustify);
        label->SetLayout(TTateLabel::tlBottom);
        QCOMPARE(label->size(), QSize(60, 12));
        QCOMPARE(label->pos(), QPoint(10, 20));

        // A font change re-measures.
        QFont bigger = fixtureFont();
        bigger.setPixelSize(22);
        label->setFont(bigger);
        const QFontMetrics fm(bigger);
        QCOMPARE(label->size(), QSize(fm.horizontalAdvance(kSixtyByTwelve), fm.height()));
    }

    void settersWithTheirCurrentValue()
    {
        auto label = makeLabel(kSixtyByTwelve);
        label->resize(5, 5);
        // AutoSize already on: nothing happens.
        label->SetAutoSize(true);
        QCOMPARE(label->size(), QSize(5, 5));
        // Tategaki already off: still re-measured.
        label->SetTategaki(false);
        QCOMPARE(label->size(), QSize(60, 12));

        // Off keeps the size; on again measures at once.
        label->SetAutoSize(false);
        label->resize(7, 7);
        label->SetCaption(QStringLiteral("あ"));
        QCOMPARE(label->size(), QSize(7, 7));
        label->SetAutoSize(true);
        QCOMPARE(label->size(), QSize(12, 12));
    }

    void sizeWaitsWhileLoading()
    {
        auto label = makeLabel(QString());
        label->resize(5, 5);
        label->BeginLoading();
        label->SetTategaki(true);
        label->SetCaption(kSixtyByTwelve);
        QCOMPARE(label->size(), QSize(5, 5));
        label->Loaded();
        QCOMPARE(label->size(), QSize(12, 60));
    }

    // "&" marks the accelerator when drawn, yet the size counts every "&".
    void ampersand_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("underlined");
        QTest::newRow("single") << QStringLiteral("A&BC") << QStringLiteral("ABC") << true;
        QTest::newRow("doubled") << QStringLiteral("A&&BC") << QStringLiteral("A&BC") << false;
    }

    void ampersand()
    {
        QFETCH(QString, caption);
        QFETCH(QString, shown);
        QFETCH(bool, underlined);
        auto label = makeLabel(caption);
        QCOMPARE(label->width(), QFontMetrics(fixtureFont()).horizontalAdvance(caption));

        const QImage image = render(label.get());
        const QImage plain = reference(shown, false, 0);
        // Every pixel of the shown text is there, at the same place.
        for (int y = 0; y < plain.height() && y < image.height(); ++y)
            for (int x = 0; x < plain.width() && x < image.width(); ++x)
                if (plain.pixel(x, y) != qRgb(255, 255, 255))
                    QVERIFY2(image.pixel(x, y) != qRgb(255, 255, 255),
                             qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
        // Only the accelerator's underline adds ink.
        int extra = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) != qRgb(255, 255, 255) &&
                    (x >= plain.width() || y >= plain.height() || plain.pixel(x, y) == qRgb(255, 255, 255)))
                    ++extra;
        QCOMPARE(extra > 0, underlined);
    }

    void disabledIsEngraved_data()
    {
        QTest::addColumn<bool>("tategaki");
        QTest::newRow("across") << false;
        QTest::newRow("vertical") << true;
    }

    void disabledIsEngraved()
    {
        QFETCH(bool, tategaki);
        auto label = makeLabel(kSixtyByTwelve);
        label->SetTategaki(tategaki);
        label->SetAutoSize(false);
        label->resize(80, 80);
        label->SetColor(clLime);
        label->SetFontColor(clRed);
        label->setEnabled(false);

        const QImage image = render(label.get());
        const QColor light = ColorToQColor(clBtnHighlight, label->palette());
        const QColor shadow = ColorToQColor(clBtnShadow, label->palette());
        QVERIFY(light != shadow);
        QRect lightInk, shadowInk;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QRgb c = image.pixel(x, y);
                QVERIFY(c != qRgb(255, 0, 0));
                if (c == light.rgb())
                    lightInk |= QRect(x, y, 1, 1);
                else if (c == shadow.rgb())
                    shadowInk |= QRect(x, y, 1, 1);
            }
        QVERIFY(!lightInk.isEmpty());
        QVERIFY(!shadowInk.isEmpty());
        // The light copy sits one pixel below and to the right.
        QCOMPARE((lightInk | shadowInk).bottomRight(), shadowInk.bottomRight() + QPoint(1, 1));
        QCOMPARE((lightInk | shadowInk).topLeft(), shadowInk.topLeft());
    }

    void transparentLeavesTheBackground()
    {
        QWidget parent;
        parent.setAutoFillBackground(true);
        QPalette pal = parent.palette();
        pal.setColor(QPalette::Window, Qt::blue);
        parent.setPalette(pal);
        parent.resize(100, 40);
        TTateLabel* label = new TTateLabel(&parent);
        label->setFont(fixtureFont());
        label->SetCaption(kSixtyByTwelve);
        label->SetColor(clLime);
        const QPoint corner(label->width() - 1, label->height() - 1);
        QCOMPARE(render(&parent).pixel(corner), qRgb(0, 255, 0));
        label->SetTransparent(true);
        QCOMPARE(render(&parent).pixel(corner), qRgb(0, 0, 255));
    }

    void registersOnStandard()
    {
        Palette::Clear();
        TateLabel::Register();
        QCOMPARE(Palette::ComponentsOn(QStringLiteral("Standard")), QStringList{"TTateLabel"});
    }
};

QTEST_MAIN(TestTateLabel)
#include "tst_tatelabel.moc"
