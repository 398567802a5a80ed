// The main window on the real widgets: layout, start-up, the position file
// and the application error box.

#include "AppFixture.h"
#include "IniFile.h"
#include "KaomojiStore.h"
#include "MessageBox.h"
#include "PageControl.h"
#include "HomePage.h"
#include "Unit1.h"
#include "UrlShowPanel.h"
#include "Unit3.h"

#include <QAbstractItemModelTester>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using AppFixture::writeFile;

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void pagesShowTheGenres();
    void startsFolded();
    void genreModelFollowsEdits();
    void undecodableBytesShowAsReplacementAndStay();
    void thirteenthGenreIsReportedOnce();
    void missingDictionary();
    void linkPanelAndScrollBars();

    void positionIsRead_data();
    void positionIsRead();
    void positionIsWrittenOnClose();
    void unwritablePositionFileStillCloses();
    void iniPathFollowsExecutable_data();
    void iniPathFollowsExecutable();

    void errorBoxFullStop_data();
    void errorBoxFullStop();
    void errorInHandlerIsShownAndProgramGoesOn();

private:
    TForm1::Paths paths() const
    {
        return {m_dir->filePath(QStringLiteral("kaomoji.dat")),
                m_dir->filePath(QStringLiteral("emotipad.INI"))};
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    QList<MessageBox::Request> m_boxes;
    QList<bool> m_windowVisibleAtBox;
};

void TestMainWindow::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_boxes.clear();
    m_windowVisibleAtBox.clear();
    MessageBox::setApplicationTitle(QStringLiteral("エモパッド"));
    MessageBox::setResponder([this](const MessageBox::Request& request) {
        m_boxes.append(request);
        bool anyVisible = false;
        for (QWidget* w : QApplication::topLevelWidgets())
            anyVisible = anyVisible || (qobject_cast<TForm1*>(w) && w->isVisible());
        m_windowVisibleAtBox.append(anyVisible);
    });
    // One face per genre, its text naming the genre, and a second in genre 1.
    std::string file;
    for (int g = 0; g < KaomojiStore::GenreCount; ++g) {
        file += "face" + std::to_string(g + 1) + "\r\n";
        if (g == 0)
            file += "(^_^)\r\n";
        if (g < KaomojiStore::GenreCount - 1)
            file += "separate\r\n";
    }
    writeFile(paths().dataFile, file + "last_line\r\n");
}

void TestMainWindow::cleanup()
{
    MessageBox::setResponder({});
}

void TestMainWindow::pagesShowTheGenres()
{
    TForm1 form(paths());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const QStringList captions = {"笑う",     "泣く",         "怒る",         "驚く",
                                  "イバる",   "眠い",         "汗",           "照れる",
                                  "さよなら", "えとせとら１", "えとせとら２", "えとせとら３"};
    const QStringList listNames = {"ListBox8", "ListBox7", "ListBox6", "ListBox1",  "ListBox2",  "ListBox3",
                                   "ListBox4", "ListBox5", "ListBox9", "ListBox10", "ListBox11", "ListBox13"};
    const QList<int> fontHeights = {15, 15, 13, 13, 12, 13, 13, 13, 13, 13, 12, 13};
    PageControl* pages = form.pageControl();
    QCOMPARE(pages->count(), 12);
    QCOMPARE(pages->currentIndex(), 0);
    for (int page = 0; page < 12; ++page) {
        QCOMPARE(pages->widget(page)->objectName(), QStringLiteral("TabSheet%1").arg(page + 1));
        QCOMPARE(pages->tab(page)->text(), captions[page]);
        QListView* list = form.genreListBox(page);
        QCOMPARE(list->objectName(), listNames[page]);
        QCOMPARE(list->geometry(), QRect(3, 8, 185, 125));
        QCOMPARE(list->font().pixelSize(), fontHeights[page]);
        QCOMPARE(list->sizeHintForRow(0), fontHeights[page]);
        QCOMPARE(list->model()->data(list->model()->index(0, 0)).toString(),
                 QStringLiteral("face%1").arg(page + 1));
    }
    QCOMPARE(form.genreListBox(0)->model()->rowCount(), 2);
    // Two tabs of 98 pixels in each of six rows.
    QCOMPARE(pages->tab(0)->geometry().width(), 98);
    QCOMPARE(pages->tab(1)->geometry().top(), pages->tab(0)->geometry().top());
    QCOMPARE(pages->tab(11)->geometry().top(), 5 * pages->tab(0)->geometry().height());

    // A tab click switches the page and nothing else.
    QTest::mouseClick(pages->tab(6), Qt::LeftButton);
    QCOMPARE(pages->currentIndex(), 6);
    QCOMPARE(form.activeListBox(), form.genreListBox(6));
    QVERIFY(!Unit3::Modified);
}

void TestMainWindow::startsFolded()
{
    Unit3::Modified = true;
    TForm1 form(paths());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTRY_COMPARE(form.outerHeight(), TForm1::FoldedHeight);
    QCOMPARE(form.width(), 204);
    QVERIFY(!form.panelOpen());
    QVERIFY(!Unit3::Modified);
    QCOMPARE(form.windowTitle(), QStringLiteral("Emotipad"));
    QVERIFY(form.findChild<QLabel*>("hiraku_lb")->isVisible());
    QVERIFY(!form.findChild<QLabel*>("tatamu_lb")->isVisible());
    QVERIFY(!form.findChild<QWidget*>("Panel1")->isVisible());
    QVERIFY(!form.findChild<QWidget*>("Panel2")->isVisible());
    QCOMPARE(form.findChild<QLabel*>("Label1")->text(), QStringLiteral(" ヾ(^o^)ノ"));
    auto* quit = form.findChild<QPushButton*>("BitBtn3");
    QCOMPARE(quit->text(), QStringLiteral("終わる(&C)"));
    QCOMPARE(quit->geometry(), QRect(119, 263, 75, 25));
    QCOMPARE(form.maximumSize(), form.minimumSize()); // the user cannot resize it
    QVERIFY(m_boxes.isEmpty());
}

void TestMainWindow::genreModelFollowsEdits()
{
    KaomojiStore store;
    GenreModel model(store, 3);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
    model.append("a");
    model.insert(0, "b");
    model.append("");
    QCOMPARE(inserted.size(), 3);
    QCOMPARE(inserted[1].at(1).toInt(), 0);
    model.removeAt(1);
    QCOMPARE(removed.size(), 1);
    QCOMPARE(store.count(3), 2);
    QCOMPARE(model.data(model.index(0, 0)).toString(), QStringLiteral("b"));
    // A face the file cannot hold is refused before the view hears of it.
    QVERIFY_THROWS_EXCEPTION(StoreError, model.append("separate"));
    QVERIFY_THROWS_EXCEPTION(StoreError, model.removeAt(5));
    QCOMPARE(inserted.size(), 3);
    QCOMPARE(model.rowCount(), 2);
}

void TestMainWindow::undecodableBytesShowAsReplacementAndStay()
{
    // 0x82 0xA0 is "あ"; a lone 0x81 and 0xFF decode to nothing.
    const std::string odd = "\x82\xA0\x81";
    const std::string bad = "(\xFF)";
    writeFile(paths().dataFile, odd + "\r\n" + bad + "\r\n");
    TForm1 form(paths());
    QAbstractItemModel* model = form.genreListBox(0)->model();
    QCOMPARE(model->data(model->index(0, 0)).toString(), QStringLiteral("あ\uFFFD"));
    QCOMPARE(model->data(model->index(1, 0)).toString(), QStringLiteral("(\uFFFD)"));
    QCOMPARE(form.store().faceAt(0, 0), odd);
    QCOMPARE(form.store().faceAt(0, 1), bad);
}

void TestMainWindow::thirteenthGenreIsReportedOnce()
{
    std::string file = "a\r\n";
    for (int i = 0; i < 12; ++i)
        file += "separate\r\n";
    writeFile(paths().dataFile, file + "x\r\ny\r\nlast_line\r\n");
    TForm1 form(paths());
    QCOMPARE(m_boxes.size(), 1);
    QCOMPARE(m_boxes[0].icon, QMessageBox::Information);
    QCOMPARE(m_boxes[0].title, QStringLiteral("エモパッド"));
    QVERIFY2(m_boxes[0].text.contains(QStringLiteral(" 2 行")), qPrintable(m_boxes[0].text));
    QCOMPARE(form.genreListBox(0)->model()->rowCount(), 1);
}

void TestMainWindow::missingDictionary()
{
    QFile::remove(paths().dataFile);
    TForm1 form(paths());
    QCOMPARE(m_boxes.size(), 1);
    QCOMPARE(m_boxes[0].icon, QMessageBox::Critical);
    QCOMPARE(m_boxes[0].title, QStringLiteral("エモパッド"));
    QCOMPARE(m_boxes[0].text, QStringLiteral("ファイル kaomoji.dat は開けません."));
    QCOMPARE(m_windowVisibleAtBox, QList<bool>{false});

    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(form.size(), QSize(204, 563)); // the designed size: the fold never ran
    for (int page = 0; page < 12; ++page)
        QCOMPARE(form.genreListBox(page)->model()->rowCount(), 0);
    QVERIFY(!Unit3::Modified);
    QVERIFY(form.findChild<QLabel*>("hiraku_lb")->isVisible());
    QVERIFY(!form.findChild<QLabel*>("tatamu_lb")->isVisible());
    QVERIFY(!form.findChild<TUrlShowPanel*>("UrlShowPanel1")->ShowHint()); // start-up stopped before it
}

void TestMainWindow::linkPanelAndScrollBars()
{
    TForm1 form(paths());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    auto* link = form.findChild<TUrlShowPanel*>("UrlShowPanel1");
    QVERIFY(link);
    QCOMPARE(link->geometry(), QRect(32, 432, 135, 19));
    QCOMPARE(link->GetUrl(), HomePage::Url);
    QCOMPARE(link->GetPageTitle(), HomePage::Url);
    QCOMPARE(link->Color(), 33023u);
    QCOMPARE(link->OnMouseColor(), 0x00FF00u);
    QCOMPARE(link->OffMouseColor(), 0x00FFFFu);
    QCOMPARE(link->BevelWidth(), 0);
    QVERIFY(link->ShowHint()); // switched on at start-up
    QCOMPARE(link->Hint(), QStringLiteral("ピコリナホームページへ！"));
    QCOMPARE(link->toolTip(), QStringLiteral("ピコリナホームページへ！"));

    // Folded, the link lies below the client area: both scroll bars show.
    auto* scroll = form.findChild<QScrollArea*>("ScrollArea");
    QTRY_VERIFY(scroll->verticalScrollBar()->isVisible());
    QTRY_VERIFY(scroll->horizontalScrollBar()->isVisible());
    scroll->verticalScrollBar()->setValue(scroll->verticalScrollBar()->maximum());
    QVERIFY(link->visibleRegion().boundingRect().height() > 0);

    // Unfolded, everything fits and the bars go.
    QTest::mouseClick(form.findChild<QLabel*>("hiraku_lb"), Qt::LeftButton);
    QTRY_VERIFY(!scroll->verticalScrollBar()->isVisible());
    QTRY_VERIFY(!scroll->horizontalScrollBar()->isVisible());

    // A click hands the address to the desktop.
    QStringList opened;
    TUrlShowPanel::SetShellOpen([&](QWidget*, const QString& verb, const QString& file, int) { opened << verb + ' ' + file; });
    QTest::mouseClick(link, Qt::LeftButton);
    TUrlShowPanel::SetShellOpen({});
    QCOMPARE(opened, QStringList{"open " + HomePage::Url});
}

void TestMainWindow::positionIsRead_data()
{
    QTest::addColumn<QString>("ini");
    QTest::addColumn<QPoint>("position");
    QTest::newRow("no file") << QString() << QPoint(100, 100);
    QTest::newRow("decimal") << "[Form1]\nTop=250\nLeft=40\n" << QPoint(40, 250);
    QTest::newRow("hex 0x") << "[Form1]\nTop=0x20\nLeft=0X10\n" << QPoint(16, 32);
    QTest::newRow("hex $ and sign") << "[Form1]\nTop=$30\nLeft=+7\n" << QPoint(7, 48);
    QTest::newRow("off screen kept") << "[Form1]\nTop=5\nLeft=-2000\n" << QPoint(-2000, 5);
    QTest::newRow("not numbers") << "[Form1]\nTop=abc\nLeft=12px\n" << QPoint(100, 100);
    QTest::newRow("other section") << "[Form2]\nTop=1\nLeft=1\n" << QPoint(100, 100);
    QTest::newRow("one key missing") << "[Form1]\nLeft=3\n" << QPoint(3, 100);
    QTest::newRow("too large") << "[Form1]\nTop=99999999999\nLeft=0\n" << QPoint(0, 100);
}

void TestMainWindow::positionIsRead()
{
    QFETCH(QString, ini);
    QFETCH(QPoint, position);
    if (!ini.isNull())
        writeFile(paths().iniFile, ini.toStdString());
    TForm1 form(paths());
    QCOMPARE(form.pos(), position);
}

void TestMainWindow::positionIsWrittenOnClose()
{
    {
        TForm1 form(paths());
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.move(321, 123);
        QTRY_COMPARE(form.pos(), QPoint(321, 123));
        QVERIFY(form.close());
    }
    QVERIFY(QFile::exists(paths().iniFile));
    QCOMPARE(IniFile::readInteger(paths().iniFile, "Form1", "Top", 0), 123);
    QCOMPARE(IniFile::readInteger(paths().iniFile, "Form1", "Left", 0), 321);
    // The next start opens where the last one closed, and closing keeps other content.
    {
        QSettings other(paths().iniFile, QSettings::IniFormat);
        other.setValue("Other/Key", "kept");
    }
    TForm1 again(paths());
    QCOMPARE(again.pos(), QPoint(321, 123));
    QVERIFY(again.close());
    QCOMPARE(QSettings(paths().iniFile, QSettings::IniFormat).value("Other/Key").toString(),
             QStringLiteral("kept"));
    QVERIFY(m_boxes.isEmpty());
}

void TestMainWindow::unwritablePositionFileStillCloses()
{
    // A directory in the file's place cannot be written, even by root.
    TForm1::Paths where = paths();
    QVERIFY(QDir(m_dir->path()).mkdir("emotipad.INI"));
    TForm1 form(where);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QVERIFY(form.close());
    QVERIFY(!form.isVisible());
    QCOMPARE(m_boxes.size(), 1);
    QCOMPARE(m_boxes[0].icon, QMessageBox::Critical);
    QCOMPARE(m_boxes[0].text, where.iniFile + QStringLiteral(" に書き込めません."));
}

void TestMainWindow::iniPathFollowsExecutable_data()
{
    QTest::addColumn<QString>("executable");
    QTest::addColumn<QString>("ini");
    QTest::newRow("no extension") << "/opt/emo/emotipad"
                                  << "/opt/emo/emotipad.INI";
    QTest::newRow("extension replaced") << "/opt/emo/X.exe"
                                        << "/opt/emo/X.INI";
    QTest::newRow("renamed") << "/opt/emo/kao"
                             << "/opt/emo/kao.INI";
    QTest::newRow("dot in directory only") << "/opt/e.mo/prog"
                                           << "/opt/e.mo/prog.INI";
}

void TestMainWindow::iniPathFollowsExecutable()
{
    QFETCH(QString, executable);
    QFETCH(QString, ini);
    QCOMPARE(IniFile::pathForExecutable(executable), ini);
}

void TestMainWindow::errorBoxFullStop_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::newRow("Japanese") << "ファイル kaomoji.dat は開けません"
                              << "ファイル kaomoji.dat は開けません.";
    QTest::newRow("closing parenthesis") << "リストのインデックスが範囲を超えています (-1)"
                                         << "リストのインデックスが範囲を超えています (-1)";
    QTest::newRow("full stop") << "done."
                               << "done.";
    QTest::newRow("digit") << "code 7"
                           << "code 7.";
    QTest::newRow("empty") << ""
                           << "";
}

void TestMainWindow::errorBoxFullStop()
{
    QFETCH(QString, text);
    QFETCH(QString, shown);
    MessageBox::showError(nullptr, text);
    QCOMPARE(m_boxes.size(), 1);
    QCOMPARE(m_boxes[0].text, shown);
    QCOMPARE(m_boxes[0].icon, QMessageBox::Critical);
    QCOMPARE(m_boxes[0].title, QStringLiteral("エモパッド"));
}

void TestMainWindow::errorInHandlerIsShownAndProgramGoesOn()
{
    bool ranAfter = false;
    QVERIFY(!MessageBox::guard(nullptr, [&] {
        throw StoreError("ストリームへの書き込みエラー");
        ranAfter = true;
    }));
    QVERIFY(!ranAfter);
    QCOMPARE(m_boxes.size(), 1);
    QCOMPARE(m_boxes[0].text, QStringLiteral("ストリームへの書き込みエラー."));
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
