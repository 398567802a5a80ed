// The text-file import, through the real dialog: line ends, encodings, files
// the dictionary cannot hold, cancelling, and the dialog itself.

#include "AppFixture.h"
#include "ImportFile.h"
#include "Unit1.h"
#include "Unit2.h"
#include "Unit3.h"

#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

using namespace AppFixture;

class TestImport : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void importsLines_data();
    void importsLines();
    void sameFileTwiceAndCancelAfter();
    void cancelledChoiceThenCancel();
    void refusedFiles_data();
    void refusedFiles();
    void missingFile();
    void dialogLayout();
    void realFileDialog();

private:
    // Opens the import from the add panel and answers the dialog: pick the
    // genre at `comboIndex`, press "読み込み", and have `file` chosen.
    void runImport(const QString& file, int comboIndex = 6);
    QString write(const char* name, const std::string& bytes)
    {
        const QString path = m_dir->filePath(name);
        writeFile(path, bytes);
        return path;
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<RecordedBoxes> m_boxes;
    std::unique_ptr<TForm2> m_form2;
    std::unique_ptr<TForm1> m_form;
    QStringList m_chooserSawLast;
    QString m_nextChoice;
};

void TestImport::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_boxes = std::make_unique<RecordedBoxes>();
    const TForm1::Paths paths{m_dir->filePath("kaomoji.dat"), m_dir->filePath("emotipad.INI")};
    writeFile(paths.dataFile, dictionary({{}, {}, {}, {}, {}, {}, {"old"}}));
    m_chooserSawLast.clear();
    TForm2::setFileChooser([this](QWidget*, const QString& last) {
        m_chooserSawLast << last;
        return m_nextChoice;
    });
    m_form2 = std::make_unique<TForm2>();
    m_form = std::make_unique<TForm1>(paths);
    m_form->setImportDialog(m_form2.get());
    m_form->show();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    QTest::mouseClick(m_form->findChild<QLabel*>("hiraku_lb"), Qt::LeftButton);
    QVERIFY(!Unit3::Modified);
}

void TestImport::cleanup()
{
    stopWatchingModals();
    TForm2::setFileChooser({});
    m_form.reset();
    m_form2.reset();
    m_boxes.reset();
}

void TestImport::runImport(const QString& file, int comboIndex)
{
    m_nextChoice = file;
    whenModalOpens<TForm2>([comboIndex](TForm2* dialog) {
        dialog->findChild<QComboBox*>("ComboBox1")->setCurrentIndex(comboIndex);
        QTest::mouseClick(dialog->findChild<QPushButton*>("BitBtn1"), Qt::LeftButton);
    });
    QTest::mouseClick(m_form->findChild<QPushButton*>("BitBtn1"), Qt::LeftButton);
    QVERIFY(!m_form2->isVisible());
}

void TestImport::importsLines_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("faces");
    const QStringList abc = {"a", "b", "c"};
    QTest::newRow("CR LF") << QByteArray("a\r\nb\r\nc\r\n") << abc;
    QTest::newRow("LF only") << QByteArray("a\nb\nc\n") << abc;
    QTest::newRow("CR only") << QByteArray("a\rb\rc\r") << abc;
    QTest::newRow("last line without line end") << QByteArray("a\r\nb\r\nc") << abc;
    QTest::newRow("blank lines") << QByteArray("a\r\n\r\n\nb\r\n") << QStringList{"a", "", "", "b"};
    QTest::newRow("NUL ends the text") << QByteArray("a\r\nb\0z\r\nc\r\n", 12) << QStringList{"a", "b"};
    QTest::newRow("empty file") << QByteArray() << QStringList();
    QTest::newRow("code page 932") << QByteArray::fromStdString(cp932("(´∀｀)\r\n＼(^o^)／\r\n"))
                                   << QStringList{"(´∀｀)", "＼(^o^)／"};
    QTest::newRow("UTF-8") << QStringLiteral("(´∀｀)\n＼(^o^)／\n").toUtf8()
                           << QStringList{"(´∀｀)", "＼(^o^)／"};
    QTest::newRow("UTF-8 with BOM, ASCII only")
        << QByteArray("\xEF\xBB\xBFo(^-^)o\r\n") << QStringList{"o(^-^)o"};
    QTest::newRow("near-markers") << QByteArray("separate \nLast_line\n")
                                  << QStringList{"separate ", "Last_line"};
    QTest::newRow("long line") << QByteArray(6000, 'w') << QStringList{QString(6000, 'w')};
}

void TestImport::importsLines()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, faces);
    runImport(write("faces.txt", file.toStdString()));
    QCOMPARE(rows(m_form->genreListBox(6)), QStringList{"old"} + faces);
    QVERIFY(Unit3::Modified); // set when the file was chosen, even for an empty file
    QVERIFY(Unit3::ImportConfirmed);
    QCOMPARE(Unit3::ImportGenre, QStringLiteral("汗"));
    QVERIFY(m_boxes->boxes.isEmpty());
    // The bytes in the store are CP932, whatever the file's encoding.
    if (!faces.isEmpty())
        QCOMPARE(m_form->store().faceAt(6, 1), cp932(faces.first()));
}

void TestImport::sameFileTwiceAndCancelAfter()
{
    const QString file = write("two.txt", "x\r\ny\r\n");
    runImport(file, 8); // "えとせとら１", page 10: the dialog has no "さよなら"
    runImport(file, 8);
    QCOMPARE(rows(m_form->genreListBox(9)), (QStringList{"x", "y", "x", "y"}));
    QCOMPARE(m_chooserSawLast, (QStringList{QString(), file})); // the open dialog starts at the last file

    whenModalOpens<TForm2>([](TForm2* dialog) {
        QTest::mouseClick(dialog->findChild<QPushButton*>("BitBtn2"), Qt::LeftButton);
    });
    QTest::mouseClick(m_form->findChild<QPushButton*>("BitBtn1"), Qt::LeftButton);
    QVERIFY(!Unit3::ImportConfirmed);
    QCOMPARE(m_form->genreListBox(9)->model()->rowCount(), 4);
}

void TestImport::cancelledChoiceThenCancel()
{
    m_nextChoice.clear();
    bool stayedOpen = false;
    whenModalOpens<TForm2>([&](TForm2* dialog) {
        QTest::mouseClick(dialog->findChild<QPushButton*>("BitBtn1"), Qt::LeftButton);
        stayedOpen = dialog->isVisible();
        QVERIFY(!Unit3::ImportConfirmed);
        QTest::keyClick(dialog->findChild<QComboBox*>("ComboBox1"), Qt::Key_Escape); // Esc is "キャンセル"
    });
    QTest::mouseClick(m_form->findChild<QPushButton*>("BitBtn1"), Qt::LeftButton);
    QVERIFY(stayedOpen);
    QVERIFY(!m_form2->isVisible());
    QVERIFY(!Unit3::ImportConfirmed);
    QVERIFY(!Unit3::Modified);
    QCOMPARE(m_form->genreListBox(6)->model()->rowCount(), 1);
}

void TestImport::refusedFiles_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("message");
    QTest::newRow("character outside code page 932")
        << QStringLiteral("(^_^)\n(ᐛ)\n").toUtf8()
        << QStringLiteral(" の 2 行目にシフトJISで保存できない文字「ᐛ」(U+141B)");
    QTest::newRow("separate line") << QByteArray("a\r\nb\r\nseparate\r\n")
                                   << QStringLiteral(" の 3 行目「separate」");
    QTest::newRow("last_line in UTF-8")
        << QStringLiteral("（笑）\nlast_line\n").toUtf8() << QStringLiteral(" の 2 行目「last_line」");
}

void TestImport::refusedFiles()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, message);
    const QString path = write("bad.txt", file.toStdString());
    runImport(path);
    QCOMPARE(rows(m_form->genreListBox(6)), QStringList{"old"}); // nothing at all
    QCOMPARE(m_boxes->boxes.size(), 1);
    QCOMPARE(m_boxes->boxes[0].title, QStringLiteral("エモパッド"));
    QVERIFY2(m_boxes->boxes[0].text.startsWith(path + message), qPrintable(m_boxes->boxes[0].text));
    QVERIFY(Unit3::Modified);
}

void TestImport::missingFile()
{
    const QString path = m_dir->filePath("typed-but-missing.txt");
    runImport(path);
    QCOMPARE(m_boxes->texts(), QStringList{"ファイル " + path + " は開けません."});
    QCOMPARE(m_boxes->boxes[0].icon, QMessageBox::Critical);
    QCOMPARE(rows(m_form->genreListBox(6)), QStringList{"old"});
    QVERIFY(Unit3::Modified);
}

void TestImport::dialogLayout()
{
    TForm2 dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("ﾃｷｽﾄﾌｧｲﾙ読み込み"));
    QCOMPARE(dialog.size(), QSize(248, 187));
    QVERIFY(!(dialog.windowFlags() & Qt::WindowCloseButtonHint));
    QVERIFY(!(dialog.windowFlags() & Qt::WindowSystemMenuHint));
    const QString memo = "\n" + QString(6, ' ') + "１行に対して１つずつ顔文字が\n" + QString(3, ' ') +
                         "入っている状態のテキストファイルを\n" + QString(12, ' ') +
                         "読み込んでぇ～～！\n \n" + QChar(0x3000) + "ヽ(o^∇^o)" + QString(23, ' ') +
                         "(o^∇^o)ノ";
    QCOMPARE(dialog.findChild<QPlainTextEdit*>("Memo1")->toPlainText(), memo);
    const auto* combo = dialog.findChild<QComboBox*>("ComboBox1");
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    QCOMPARE(items, (QStringList{"笑う", "泣く", "怒る", "驚く", "イバる", "眠い", "汗", "照れる",
                                 "えとせとら１", "えとせとら２", "えとせとら３"}));
    QCOMPARE(combo->currentText(), QStringLiteral("笑う"));
    QVERIFY(dialog.findChild<QPushButton*>("BitBtn1")->isDefault());
    QCOMPARE(dialog.findChild<QPushButton*>("BitBtn1")->text(), QStringLiteral("読み込み"));
    QCOMPARE(dialog.findChild<QPushButton*>("BitBtn2")->text(), QStringLiteral("キャンセル"));
    QCOMPARE(TForm2::filter(), QStringLiteral("ﾃｷｽﾄﾌｧｲﾙ(*.txt)"));
    QVERIFY(!Unit3::ImportConfirmed); // cleared when the dialog is created
}

void TestImport::realFileDialog()
{
    // The platform's own open dialog, answered as a person would.
    TForm2::setFileChooser({});
    const QString file = write("real.txt", "(=^・^=)\r\n");
    QStringList filters;
    QStringList startedAt;
    for (int round = 0; round < 2; ++round) {
        whenModalOpens<TForm2>([](TForm2* dialog) {
            QTest::mouseClick(dialog->findChild<QPushButton*>("BitBtn1"), Qt::LeftButton);
        });
        whenModalOpens<QFileDialog>([&](QFileDialog* open) {
            filters = open->nameFilters();
            startedAt << open->selectedFiles().value(0);
            // Typed into the name field and confirmed with Enter.
            auto* name = open->findChild<QLineEdit*>("fileNameEdit");
            name->setText(file);
            QTest::keyClick(name, Qt::Key_Return);
        });
        QTest::mouseClick(m_form->findChild<QPushButton*>("BitBtn1"), Qt::LeftButton);
    }
    QCOMPARE(filters, QStringList{"ﾃｷｽﾄﾌｧｲﾙ(*.txt)"});
    QCOMPARE(startedAt.value(1), file); // the second time it starts at the last file
    QCOMPARE(rows(m_form->genreListBox(0)), (QStringList{"(=^・^=)", "(=^・^=)"}));
}

QTEST_MAIN(TestImport)
#include "tst_import.moc"
