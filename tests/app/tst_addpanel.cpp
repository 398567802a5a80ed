// The add panel (fold, register, genre combo keys, Esc) and the mascot label.

#include "AppFixture.h"
#include "PageControl.h"
#include "Unit1.h"
#include "Unit2.h"
#include "Unit3.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace AppFixture;

class TestAddPanel : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void foldAndUnfoldKeepContent();
    void panelLayout();
    void registerFace_data();
    void registerFace();
    void registerSameFaceTwice();
    void comboIgnoresKeys();
    void escOpensImportOnlyWhenUnfolded();
    void mascotClickAndTimer_data();
    void mascotClickAndTimer();

private:
    template <typename T> T* child(const char* name) const { return m_form->findChild<T*>(name); }
    void clickLabel(const char* name) { QTest::mouseClick(child<QLabel>(name), Qt::LeftButton); }
    QColor mascotColour() const { return child<QLabel>("Label1")->palette().color(QPalette::WindowText); }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<RecordedBoxes> m_boxes;
    std::unique_ptr<TForm2> m_form2;
    std::unique_ptr<TForm1> m_form;
};

void TestAddPanel::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_boxes = std::make_unique<RecordedBoxes>();
    const TForm1::Paths paths{m_dir->filePath("kaomoji.dat"), m_dir->filePath("emotipad.INI")};
    writeFile(paths.dataFile, dictionary({{"a"}}));
    m_form2 = std::make_unique<TForm2>();
    m_form = std::make_unique<TForm1>(paths);
    m_form->setImportDialog(m_form2.get());
    m_form->show();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
}

void TestAddPanel::cleanup()
{
    stopWatchingModals();
    m_form.reset();
    m_form2.reset();
    m_boxes.reset();
}

void TestAddPanel::foldAndUnfoldKeepContent()
{
    for (int round = 0; round < 2; ++round) {
        clickLabel("hiraku_lb");
        QVERIFY(m_form->panelOpen());
        QTRY_COMPARE(m_form->outerHeight(), TForm1::UnfoldedHeight);
        for (const char* shown : {"Panel1", "Bevel2", "Panel2", "tatamu_lb"})
            QVERIFY2(child<QWidget>(shown)->isVisible(), shown);
        QVERIFY(!child<QWidget>("hiraku_lb")->isVisible());
        QCOMPARE(child<QLabel>("Label1")->text(), QStringLiteral("┌(^o^)ノ"));
        if (round == 0) {
            child<QLineEdit>("Edit1")->setFocus();
            QTest::keyClicks(child<QLineEdit>("Edit1"), "(^_^;)");
            child<QComboBox>("ComboBox1")->setCurrentIndex(6);
        }
        QCOMPARE(child<QLineEdit>("Edit1")->text(), QStringLiteral("(^_^;)"));
        QCOMPARE(child<QComboBox>("ComboBox1")->currentText(), QStringLiteral("汗"));

        clickLabel("tatamu_lb");
        QVERIFY(!m_form->panelOpen());
        QTRY_COMPARE(m_form->outerHeight(), TForm1::FoldedHeight);
        for (const char* hidden : {"Panel1", "Bevel2", "Panel2", "tatamu_lb"})
            QVERIFY2(!child<QWidget>(hidden)->isVisible(), hidden);
        QVERIFY(child<QWidget>("hiraku_lb")->isVisible());
        QCOMPARE(child<QLabel>("Label1")->text(), QStringLiteral(" ヾ(^o^)ノ"));
    }
    QVERIFY(!Unit3::Modified);
}

void TestAddPanel::panelLayout()
{
    const auto* combo = child<QComboBox>("ComboBox1");
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    QCOMPARE(items, (QStringList{"笑う", "泣く", "怒る", "驚く", "イバる", "眠い", "汗", "照れる", "さよなら",
                                 "えとせとら１", "えとせとら２", "えとせとら３", ""}));
    QCOMPARE(combo->currentText(), QStringLiteral("笑う"));
    QCOMPARE(child<QWidget>("Edit1")->geometry(), QRect(24, 17, 145, 20));
    QCOMPARE(child<QWidget>("Edit1")->toolTip(), QStringLiteral("ここに顔文字を入れて、、、"));
    QCOMPARE(child<QPushButton>("Button1")->text(), QStringLiteral("登録"));
    QCOMPARE(child<QPushButton>("Button1")->toolTip(), QStringLiteral("ポチッ！と登録"));
    QCOMPARE(child<QPushButton>("BitBtn1")->text(), QStringLiteral("ファイルから読み込む"));
    QCOMPARE(child<QPushButton>("BitBtn1")->toolTip(),
             QStringLiteral("テキストファイルから一気に顔文字追加！"));
    QCOMPARE(child<QWidget>("Panel1")->geometry(), QRect(2, 318, 200, 113));
    QCOMPARE(child<QLabel>("Panel2")->text(), QStringLiteral("顔文字の追加"));
    // Tab order inside the panel.
    QCOMPARE(child<QWidget>("Edit1")->nextInFocusChain(), child<QWidget>("ComboBox1"));
}

void TestAddPanel::registerFace_data()
{
    QTest::addColumn<QString>("face");
    QTest::addColumn<int>("comboIndex");
    QTest::addColumn<int>("page");        // where it lands, -1 for nowhere
    QTest::addColumn<QString>("message"); // a box shown instead, or empty
    QTest::addColumn<bool>("modified");

    const QString empty = QStringLiteral("顔文字が入ってませんよ、だんなぁ") + "\n\n" + QString(19, ' ') +
                          QStringLiteral("（-＿- #）");
    QTest::newRow("into 汗") << "(；´Д`)" << 6 << 6 << QString() << true;
    QTest::newRow("into えとせとら３") << "o(^-^)o" << 11 << 11 << QString() << true;
    QTest::newRow("spaces alone") << "   " << 0 << 0 << QString() << true;
    QTest::newRow("empty face") << "" << 6 << -1 << empty << false;
    QTest::newRow("empty genre item") << "(^^)" << 12 << -1 << QString() << true;
    QTest::newRow("not in code page 932") << "(😀)" << 0 << -1 << "「😀」(U+1F600)" << false;
    QTest::newRow("separate") << "separate" << 0 << -1 << "「separate」" << false;
    QTest::newRow("last_line") << "last_line" << 0 << -1 << "「last_line」" << false;
    QTest::newRow("near-marker is a face") << "Separate" << 0 << 0 << QString() << true;
}

void TestAddPanel::registerFace()
{
    QFETCH(QString, face);
    QFETCH(int, comboIndex);
    QFETCH(int, page);
    QFETCH(QString, message);
    QFETCH(bool, modified);

    clickLabel("hiraku_lb");
    child<QLineEdit>("Edit1")->setText(face);
    child<QComboBox>("ComboBox1")->setCurrentIndex(comboIndex);
    std::vector<int> before;
    for (int g = 0; g < KaomojiStore::GenreCount; ++g)
        before.push_back(m_form->store().count(g));
    QTest::mouseClick(child<QPushButton>("Button1"), Qt::LeftButton);

    for (int g = 0; g < KaomojiStore::GenreCount; ++g)
        QCOMPARE(m_form->store().count(g), before[static_cast<size_t>(g)] + (g == page ? 1 : 0));
    if (page >= 0) {
        QListView* list = m_form->genreListBox(page);
        QCOMPARE(rows(list).last(), face);
        QCOMPARE(selectedRow(list), -1);
        QCOMPARE(m_form->pageControl()->currentIndex(), 0); // the tab does not change
    }
    QCOMPARE(Unit3::Modified, modified);
    QCOMPARE(child<QLineEdit>("Edit1")->text(), face); // the face stays for another go
    if (message.isEmpty()) {
        QVERIFY(m_boxes->boxes.isEmpty());
    } else {
        QCOMPARE(m_boxes->boxes.size(), 1);
        QCOMPARE(m_boxes->boxes[0].title, QStringLiteral("エモパッド"));
        QVERIFY2(m_boxes->boxes[0].text.contains(message), qPrintable(m_boxes->boxes[0].text));
        if (face.isEmpty()) {
            QCOMPARE(m_boxes->boxes[0].text, message);
            QCOMPARE(m_boxes->boxes[0].placement, MessageBox::CentreOnScreen);
        }
    }
}

void TestAddPanel::registerSameFaceTwice()
{
    clickLabel("hiraku_lb");
    child<QLineEdit>("Edit1")->setText(QStringLiteral("(^_^)"));
    QTest::mouseClick(child<QPushButton>("Button1"), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>("Button1"), Qt::LeftButton);
    QCOMPARE(rows(m_form->genreListBox(0)), (QStringList{"a", "(^_^)", "(^_^)"}));
}

void TestAddPanel::comboIgnoresKeys()
{
    clickLabel("hiraku_lb");
    auto* combo = child<QComboBox>("ComboBox1");
    combo->setCurrentIndex(3);
    combo->setFocus();
    QTRY_VERIFY(combo->hasFocus());
    QTest::keyClicks(combo, "abc");
    for (Qt::Key key : {Qt::Key_Down, Qt::Key_Up, Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_End,
                        Qt::Key_PageDown, Qt::Key_Return, Qt::Key_F4})
        QTest::keyClick(combo, key);
    QTest::keyClick(combo, Qt::Key_Down, Qt::AltModifier);
    QTest::keyClick(combo, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(combo->currentIndex(), 3);
    QCOMPARE(combo->currentText(), QStringLiteral("驚く"));
    QVERIFY(!combo->view()->isVisible());
    // Tab still moves on.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), child<QWidget>("Button1"));
}

void TestAddPanel::escOpensImportOnlyWhenUnfolded()
{
    int opened = 0;
    const auto closeIt = [&](TForm2* dialog) {
        ++opened;
        QTest::mouseClick(dialog->findChild<QPushButton*>("BitBtn2"), Qt::LeftButton);
    };
    // Folded: nothing. The import would block this call until it closed.
    whenModalOpens<TForm2>(closeIt);
    QTest::keyClick(m_form.get(), Qt::Key_Escape);
    QCOMPARE(opened, 0);
    stopWatchingModals();

    clickLabel("hiraku_lb");
    child<QLineEdit>("Edit1")->setFocus();
    whenModalOpens<TForm2>(closeIt);
    QTest::keyClick(child<QLineEdit>("Edit1"), Qt::Key_Escape);
    QCOMPARE(opened, 1);
    QVERIFY(!Unit3::ImportConfirmed);

    // With Shift it is not the cancel key.
    whenModalOpens<TForm2>(closeIt);
    QTest::keyClick(child<QLineEdit>("Edit1"), Qt::Key_Escape, Qt::ShiftModifier);
    QCOMPARE(opened, 1);
}

void TestAddPanel::mascotClickAndTimer_data()
{
    QTest::addColumn<QString>("story");
    QTest::newRow("folded") << "click";
    QTest::newRow("unfolded, rests with the folded caption") << "unfold click";
    QTest::newRow("fold while angry") << "unfold click fold";
    QTest::newRow("click twice") << "click click";
}

void TestAddPanel::mascotClickAndTimer()
{
    QFETCH(QString, story);
    auto* mascot = child<QLabel>("Label1");
    const QPoint rest = mascot->pos();
    QCOMPARE(mascotColour(), QColor(Qt::white));
    for (const QString& step : story.split(' ')) {
        if (step == "click") {
            clickLabel("Label1");
            QCOMPARE(mascotColour(), QColor(0xFF, 0xFF, 0x00));
            QCOMPARE(mascot->pos(), rest + QPoint(-12, -8));
            QCOMPARE(mascot->text(), QStringLiteral("(▼▼)ゴルァ！"));
            QVERIFY(m_form->mascotTimer()->isActive());
            QCOMPARE(m_form->mascotTimer()->interval(), 1500);
        } else if (step == "unfold") {
            clickLabel("hiraku_lb");
        } else if (step == "fold") {
            clickLabel("tatamu_lb");
            QCOMPARE(mascot->text(), QStringLiteral(" ヾ(^o^)ノ"));
            QCOMPARE(mascotColour(), QColor(0xFF, 0xFF, 0x00));
            QCOMPARE(mascot->pos(), rest + QPoint(-12, -8));
        }
    }
    QTRY_VERIFY_WITH_TIMEOUT(!m_form->mascotTimer()->isActive(), 5000);
    QCOMPARE(mascotColour(), QColor(Qt::white));
    QCOMPARE(mascot->pos(), rest);
    QCOMPARE(mascot->text(), QStringLiteral(" ヾ(^o^)ノ"));
    QVERIFY(!Unit3::Modified);
}

QTEST_MAIN(TestAddPanel)
#include "tst_addpanel.moc"
