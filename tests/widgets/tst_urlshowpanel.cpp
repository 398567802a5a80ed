// The hyperlink panel driven as a user would: pointer in and out, clicks,
// and the pixels it paints.

#include "Palette.h"
#include "UrlShowPanel.h"

#include <QDesktopServices>
#include <QEnterEvent>
#include <QImage>
#include <QMetaProperty>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>

namespace {

struct ShellCall
{
    QWidget* owner = nullptr;
    QString verb;
    QString file;
    int showCmd = -1;
};

void enter(QWidget* w)
{
    QEnterEvent e(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QCoreApplication::sendEvent(w, &e);
}

void leave(QWidget* w)
{
    QEvent e(QEvent::Leave);
    QCoreApplication::sendEvent(w, &e);
}

QImage render(QWidget* w)
{
    QImage image(w->size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    w->render(&image);
    return image;
}

int countColor(const QImage& image, const QColor& color)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixelColor(x, y).rgb() == color.rgb();
    return n;
}

} // namespace

class UrlReceiver : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls.append(url); }
};

class TestUrlShowPanel : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { TUrlShowPanel::SetShellOpen({}); }

    void defaults()
    {
        TUrlShowPanel panel;
        QCOMPARE(panel.GetUrl(), QStringLiteral("http://"));
        QCOMPARE(panel.GetPageTitle(), QString());
        QCOMPARE(panel.OnMouseColor(), TColor(255));
        QCOMPARE(panel.OffMouseColor(), TColor(0xFF0000));
        QCOMPARE(panel.FontColor(), TColor(0xFF0000));
        QCOMPARE(panel.Font_Size(), 9);
        QCOMPARE(panel.font().pointSize(), 9);
        QCOMPARE(panel.Font_Bold(), false);
        QVERIFY(!panel.font().bold());
        QVERIFY(!panel.font().underline());
        QCOMPARE(panel.Color(), TColor(0x8000000F));
        QCOMPARE(panel.BackgroundColor(), TColor(0x8000000F));
        QCOMPARE(panel.size(), QSize(180, 25));
        QCOMPARE(panel.BevelWidth(), 1);
        QCOMPARE(panel.BevelOuter(), CustomPanel::bvRaised);
        QCOMPARE(panel.ShowHint(), false);
    }

    // A form description applies properties in this order, inherited first.
    void propertiesInFormOrder()
    {
        const QMetaObject& mo = TUrlShowPanel::staticMetaObject;
        QStringList names;
        for (int i = QWidget::staticMetaObject.propertyCount(); i < mo.propertyCount(); ++i)
            names << QString::fromLatin1(mo.property(i).name());
        const QStringList expected = {"BevelWidth", "BevelOuter", "Hint",  "OnMouseColor", "OffMouseColor",
                                      "PageTitle",  "Url",        "Color", "Font_Size",    "Font_Bold"};
        QCOMPARE(names, expected);
    }

    void colorSetToItsOwnValueDoesNothing()
    {
        TUrlShowPanel panel;
        panel.SetParentColor(true);
        QSignalSpy changed(&panel, &CustomPanel::colorChanged);
        panel.SetColor(0x8000000F);
        QCOMPARE(changed.count(), 0);
        QVERIFY(panel.ParentColor());

        panel.SetColor(33023);
        QCOMPARE(changed.count(), 1);
        QVERIFY(!panel.ParentColor());
        QCOMPARE(panel.Color(), TColor(33023));
        QCOMPARE(panel.BackgroundColor(), TColor(33023));

        // The colour reaches the screen: orange, red 255 green 128 blue 0.
        panel.SetBevelWidth(0);
        QCOMPARE(render(&panel).pixelColor(1, 1), QColor(255, 128, 0));
    }

    void colorReadBackAfterParentColor()
    {
        TUrlShowPanel fresh;
        fresh.SetParentColor(true);
        QCOMPARE(fresh.Color(), TColor(0x8000000F));

        TUrlShowPanel panel;
        panel.SetColor(0x123456);
        panel.SetParentColor(true);
        QCOMPARE(panel.Color(), TColor(0x123456));
    }

    void hoverLooks_data()
    {
        QTest::addColumn<bool>("bold");
        QTest::newRow("regular") << false;
        QTest::newRow("bold") << true;
    }

    void hoverLooks()
    {
        QFETCH(bool, bold);
        TUrlShowPanel panel;
        panel.SetOnMouseColor(clLime);
        panel.SetOffMouseColor(clYellow);
        panel.SetFont_Bold(bold);
        QFont italic = panel.font();
        italic.setItalic(true);
        italic.setStrikeOut(true);
        panel.setFont(italic);

        enter(&panel);
        QCOMPARE(panel.FontColor(), clLime);
        QCOMPARE(panel.font().bold(), bold);
        QVERIFY(panel.font().underline());
        QVERIFY(!panel.font().italic());
        QVERIFY(!panel.font().strikeOut());

        leave(&panel);
        QCOMPARE(panel.FontColor(), clYellow);
        QCOMPARE(panel.font().bold(), bold);
        QVERIFY(!panel.font().underline());
    }

    void captionPaintedInTheLookColour()
    {
        TUrlShowPanel panel;
        QFont f = panel.font();
        f.setStyleStrategy(QFont::NoAntialias);
        panel.setFont(f);
        panel.SetPageTitle(QStringLiteral("www.example.jp"));
        panel.SetOnMouseColor(clLime);
        panel.SetOffMouseColor(clYellow);
        panel.SetColor(33023);

        QImage normal = render(&panel);
        QVERIFY(countColor(normal, Qt::yellow) > 0);
        QCOMPARE(countColor(normal, Qt::green), 0);

        enter(&panel);
        QImage hover = render(&panel);
        QVERIFY(countColor(hover, Qt::green) > 0);
        QCOMPARE(countColor(hover, Qt::yellow), 0);
    }

    void propertyChangesWhileHovered()
    {
        TUrlShowPanel panel;
        enter(&panel);
        QCOMPARE(panel.FontColor(), clRed);

        // The new hover colour waits for the next entry.
        panel.SetOnMouseColor(clBlack);
        QCOMPARE(panel.FontColor(), clRed);

        // Font_Bold drops the underline until the pointer comes back.
        panel.SetFont_Bold(true);
        QVERIFY(!panel.font().underline());
        QVERIFY(panel.font().bold());

        // OffMouseColor recolours at once, hovered or not.
        panel.SetOffMouseColor(clYellow);
        QCOMPARE(panel.FontColor(), clYellow);

        leave(&panel);
        enter(&panel);
        QCOMPARE(panel.FontColor(), clBlack);
        QVERIFY(panel.font().underline());
    }

    void fontSizeReadsTheLastValueWritten()
    {
        TUrlShowPanel panel;
        panel.SetFont_Size(14);
        QCOMPARE(panel.Font_Size(), 14);
        QCOMPARE(panel.font().pointSize(), 14);
        // A size the font cannot take is still what Font_Size reports.
        panel.SetFont_Size(0);
        QCOMPARE(panel.Font_Size(), 0);
        QCOMPARE(panel.font().pointSize(), 14);
    }

    void mouseEventsRaised()
    {
        TUrlShowPanel panel;
        QList<std::pair<QString, QObject*>> calls;
        panel.OnMouseEnter = [&](QObject* sender) { calls.append({"enter", sender}); };
        panel.OnMouseLeave = [&](QObject* sender) { calls.append({"leave", sender}); };
        enter(&panel);
        leave(&panel);
        QCOMPARE(calls.size(), 2);
        QCOMPARE(calls[0].first, QStringLiteral("enter"));
        QCOMPARE(calls[1].first, QStringLiteral("leave"));
        QCOMPARE(calls[1].second, &panel);
    }

    void clickHandsUrlToTheShell_data()
    {
        QTest::addColumn<bool>("setUrl");
        QTest::addColumn<QString>("url");
        QTest::newRow("fresh panel") << false << QStringLiteral("http://");
        QTest::newRow("empty") << true << QString();
        QTest::newRow("web address") << true << QStringLiteral("http://www.example.jp/");
        QTest::newRow("not a web address") << true << QStringLiteral("/tmp/some folder");
    }

    void clickHandsUrlToTheShell()
    {
        QFETCH(bool, setUrl);
        QFETCH(QString, url);
        QList<ShellCall> calls;
        TUrlShowPanel::SetShellOpen([&](QWidget* owner, const QString& verb, const QString& file, int show) {
            calls.append({owner, verb, file, show});
        });
        TUrlShowPanel panel;
        if (setUrl)
            panel.SetUrl(url);
        QTest::mouseClick(&panel, Qt::LeftButton, {}, QPoint(10, 10));
        QCOMPARE(calls.size(), 1);
        QCOMPARE(calls[0].owner, &panel);
        QCOMPARE(calls[0].verb, QStringLiteral("open"));
        QCOMPARE(calls[0].file, url);
        QCOMPARE(calls[0].showCmd, 1);
    }

    void releaseOutsideIsNoClick()
    {
        int calls = 0;
        TUrlShowPanel::SetShellOpen([&](QWidget*, const QString&, const QString&, int) { ++calls; });
        TUrlShowPanel panel;
        QTest::mousePress(&panel, Qt::LeftButton, {}, QPoint(10, 10));
        QTest::mouseRelease(&panel, Qt::LeftButton, {}, QPoint(500, 10));
        QTest::mouseClick(&panel, Qt::RightButton, {}, QPoint(10, 10));
        QCOMPARE(calls, 0);
    }

    // Without a seam the click goes to the desktop's URL handlers.
    void clickReachesDesktopUrlHandler()
    {
        UrlReceiver receiver;
        QDesktopServices::setUrlHandler(QStringLiteral("http"), &receiver, "open");
        TUrlShowPanel panel;
        panel.SetUrl(QStringLiteral("http://www.example.jp/kaomoji/"));
        QTest::mouseClick(&panel, Qt::LeftButton, {}, QPoint(5, 5));
        QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
        QCOMPARE(receiver.urls, QList<QUrl>{QUrl(QStringLiteral("http://www.example.jp/kaomoji/"))});
    }

    void hintShowsOnlyWithShowHint()
    {
        TUrlShowPanel panel;
        panel.SetHint(QStringLiteral("ピコリナホームページへ！"));
        QCOMPARE(panel.toolTip(), QString());
        panel.SetShowHint(true);
        QCOMPARE(panel.toolTip(), QStringLiteral("ピコリナホームページへ！"));
    }

    void registersOnSamples()
    {
        Palette::Clear();
        UrlShowPanel::Register();
        QCOMPARE(Palette::ComponentsOn(QStringLiteral("Samples")), QStringList{"TUrlShowPanel"});
    }
};

QTEST_MAIN(TestUrlShowPanel)
#include "tst_urlshowpanel.moc"
