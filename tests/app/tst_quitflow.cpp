// The quit button and the save-confirmation dialog, end to end on real files.

#include "AppFixture.h"
#include "Unit1.h"
#include "Unit3.h"
#include "Unit4.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSettings>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace AppFixture;

namespace {

struct FileStamp
{
    std::string bytes;
    timespec mtime;
    bool operator==(const FileStamp& other) const
    {
        return bytes == other.bytes && mtime.tv_sec == other.mtime.tv_sec &&
               mtime.tv_nsec == other.mtime.tv_nsec;
    }
};

FileStamp stamp(const QString& path)
{
    struct stat st
    {
    };
    ::stat(path.toStdString().c_str(), &st);
    return {readFile(path), st.st_mtim};
}

QString shownFace(TForm4* dialog)
{
    auto* label3 = dialog->findChild<QLabel*>("Label3");
    auto* label4 = dialog->findChild<QLabel*>("Label4");
    if (label3->isVisible() == label4->isVisible())
        return QStringLiteral("both or neither");
    return label3->isVisible() ? label3->text() : label4->text();
}

} // namespace

class TestQuitFlow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void quitWithoutEditsWritesNothing();
    void closeBoxNeverSaves();
    void answers_data();
    void answers();
    void failedSaveKeepsEverythingAndCanBeRetried();
    void dialogLayoutAndKeys();
    void blinking();

private:
    void edit();
    void clickQuit();
    QString iniTop() const
    {
        return QSettings(m_paths.iniFile, QSettings::IniFormat).value("Form1/Top").toString();
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    TForm1::Paths m_paths;
    std::unique_ptr<RecordedBoxes> m_boxes;
    std::unique_ptr<TForm4> m_form4;
    std::unique_ptr<TForm1> m_form;
    std::string m_original;
};

void TestQuitFlow::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_paths = {m_dir->filePath("kaomoji.dat"), m_dir->filePath("emotipad.INI")};
    m_original = dictionary({{"a", "b"}, {}, {}, {}, {}, {}, {"(^_^;)"}});
    // Written with LF only, so that any rewrite shows.
    std::string lfOnly;
    for (char c : m_original) {
        if (c != '\r')
            lfOnly += c;
    }
    m_original = lfOnly;
    writeFile(m_paths.dataFile, m_original);
    m_boxes = std::make_unique<RecordedBoxes>();
    m_form4 = std::make_unique<TForm4>();
    m_form = std::make_unique<TForm1>(m_paths);
    m_form->setSaveConfirmation(m_form4.get());
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    m_form->move(150, 60);
}

void TestQuitFlow::cleanup()
{
    stopWatchingModals();
    m_form.reset();
    m_form4.reset();
    m_boxes.reset();
}

void TestQuitFlow::edit()
{
    // A cut and a paste back: the store is as before, but it counts as edited.
    QListView* list = m_form->genreListBox(0);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowCentre(list, 0));
    QTest::keyClick(list, Qt::Key_Delete);
    QVERIFY(Unit3::Modified);
}

void TestQuitFlow::clickQuit()
{
    QTest::mouseClick(m_form->findChild<QPushButton*>("BitBtn3"), Qt::LeftButton);
}

void TestQuitFlow::quitWithoutEditsWritesNothing()
{
    const FileStamp before = stamp(m_paths.dataFile);
    bool asked = false;
    whenModalOpens<TForm4>([&](TForm4* dialog) {
        asked = true;
        dialog->done(TForm4::ResultNo);
    });
    QTest::qWait(20); // a file written now would get a new time
    clickQuit();
    QVERIFY(!m_form->isVisible());
    QVERIFY(!asked);
    QVERIFY(stamp(m_paths.dataFile) == before);
    QCOMPARE(iniTop(), QStringLiteral("60"));
}

void TestQuitFlow::closeBoxNeverSaves()
{
    edit();
    const FileStamp before = stamp(m_paths.dataFile);
    QVERIFY(m_form->close());
    QVERIFY(!m_form4->isVisible());
    QVERIFY(stamp(m_paths.dataFile) == before);
    QCOMPARE(iniTop(), QStringLiteral("60"));
}

void TestQuitFlow::answers_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("saved");
    QTest::newRow("click はい") << "yes" << true;
    QTest::newRow("click いいえ") << "no" << false;
    QTest::newRow("Enter at once") << "enter" << true;
    QTest::newRow("Tab, then space") << "tab-space" << false;
}

void TestQuitFlow::answers()
{
    QFETCH(QString, how);
    QFETCH(bool, saved);
    edit();
    bool mainHiddenWhileAsking = false;
    whenModalOpens<TForm4>([&](TForm4* dialog) {
        mainHiddenWhileAsking = !m_form->isVisible();
        if (how == "yes")
            QTest::mouseClick(dialog->findChild<QPushButton*>("Button1"), Qt::LeftButton);
        else if (how == "no")
            QTest::mouseClick(dialog->findChild<QPushButton*>("Button2"), Qt::LeftButton);
        else if (how == "enter")
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        else {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        }
    });
    clickQuit();
    QVERIFY(mainHiddenWhileAsking);
    QVERIFY(!m_form->isVisible());
    QVERIFY(!m_form4->isVisible());
    QCOMPARE(iniTop(), QStringLiteral("60"));
    if (saved) {
        // Rewritten in full by the writer: CR LF, every "separate", "last_line".
        const std::string expected =
            "b\r\nseparate\r\nseparate\r\nseparate\r\nseparate\r\nseparate\r\nseparate\r\n" +
            cp932("(^_^;)") + "\r\nseparate\r\nseparate\r\nseparate\r\nseparate\r\nseparate\r\nlast_line\r\n";
        QCOMPARE(readFile(m_paths.dataFile), expected);
    } else {
        QCOMPARE(readFile(m_paths.dataFile), m_original);
    }
    QVERIFY(m_boxes->boxes.isEmpty());
}

void TestQuitFlow::failedSaveKeepsEverythingAndCanBeRetried()
{
    edit();
    for (int i = 0; i < 100; ++i)
        m_form->genreModel(3)->append("o(^-^)o o(^-^)o");
    const std::string expected = m_form->store().serialize();

    rlimit old{};
    ::getrlimit(RLIMIT_FSIZE, &old);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 100;
    ::setrlimit(RLIMIT_FSIZE, &small);
    whenModalOpens<TForm4>([](TForm4* dialog) { dialog->findChild<QPushButton*>("Button1")->click(); });
    clickQuit();
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    QCOMPARE(m_boxes->texts(), QStringList{"ストリームへの書き込みエラー."});
    QCOMPARE(m_boxes->boxes[0].icon, QMessageBox::Critical);
    QVERIFY(m_form->isVisible()); // back, with every edit
    QCOMPARE(readFile(m_paths.dataFile), m_original);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"kaomoji.dat"});
    QCOMPARE(m_form->store().serialize(), expected);
    QVERIFY(Unit3::Modified);
    QVERIFY(!QFile::exists(m_paths.iniFile)); // the close did not happen

    whenModalOpens<TForm4>([](TForm4* dialog) { dialog->findChild<QPushButton*>("Button1")->click(); });
    clickQuit();
    QVERIFY(!m_form->isVisible());
    QCOMPARE(readFile(m_paths.dataFile), expected);
    QCOMPARE(iniTop(), QStringLiteral("60"));
}

void TestQuitFlow::dialogLayoutAndKeys()
{
    TForm4 dialog;
    QCOMPARE(dialog.size(), QSize(256, 145));
    QVERIFY(dialog.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(dialog.findChild<QLabel*>("Label1")->text(), QStringLiteral("顔文字データが変更されています。"));
    QCOMPARE(dialog.findChild<QLabel*>("Label2")->text(), QStringLiteral("変更後のデータを保存しますか？"));
    QCOMPARE(dialog.findChild<QPushButton*>("Button1")->text(), QStringLiteral("はい"));
    QCOMPARE(dialog.findChild<QPushButton*>("Button2")->text(), QStringLiteral("いいえ"));

    int result = -1;
    whenModalOpens<TForm4>([&](TForm4* shown) {
        QCOMPARE(QApplication::focusWidget(), shown->findChild<QPushButton*>("Button1"));
        const QPoint centre = QGuiApplication::primaryScreen()->geometry().center();
        QVERIFY(shown->geometry().contains(centre));
        QTest::keyClick(shown, Qt::Key_Escape); // no cancel button: nothing happens
        QVERIFY(shown->isVisible());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), shown->findChild<QPushButton*>("Button2"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    });
    result = dialog.exec();
    QCOMPARE(result, TForm4::ResultNo);
}

void TestQuitFlow::blinking()
{
    TForm4 dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QVERIFY(dialog.blinkTimer()->isActive());
    QCOMPARE(dialog.blinkTimer()->interval(), 500);
    QVERIFY(dialog.blinkPhase());
    QCOMPARE(shownFace(&dialog), QStringLiteral("o(^o^)o"));

    // The ticks, driven by hand: at 0.5 s (one tick), 1.2 s (two) and 1.7 s (three).
    dialog.blinkTimer()->stop();
    const QStringList expected = {"o(^o^)o", "o(^-^)o", "o(^o^)o", "o(^-^)o"};
    for (const QString& face : expected) {
        dialog.Timer1Timer();
        QCOMPARE(shownFace(&dialog), face);
    }

    // And on the real timer, the faces do change.
    TForm4 live;
    live.show();
    QVERIFY(QTest::qWaitForWindowActive(&live));
    QTRY_COMPARE_WITH_TIMEOUT(shownFace(&live), QStringLiteral("o(^-^)o"), 5000);
    QTRY_COMPARE_WITH_TIMEOUT(shownFace(&live), QStringLiteral("o(^o^)o"), 5000);
}

QTEST_MAIN(TestQuitFlow)
#include "tst_quitflow.moc"
