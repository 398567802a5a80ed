// Copy, cut, paste and delete on the genre lists, the popup menu and the
// hint, driven through the real widgets.

#include "AppFixture.h"
#include "PageControl.h"
#include "Unit1.h"
#include "Unit3.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>

using namespace AppFixture;

class TestListCommands : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void doubleClickCopies();
    void doubleClickOnEmptyListShowsIndexError();
    void clickBelowTheFacesPicksTheLast();
    void pasteBeforeAnyCopyInsertsEmptyFace();
    void cutInOneGenrePasteInAnother();
    void copyThenPasteTwiceAtLastFace();
    void pasteNeverReadsClipboard();
    void deleteKeyTwice_data();
    void deleteKeyTwice();
    void deleteFromMenu();
    void rightClickMenuState();
    void hintFollowsKeyboardSelection();

private:
    QListView* list(int page) const { return m_form->genreListBox(page); }
    void select(int page, int row);
    void openMenu(int page, const QPoint& at);
    void trigger(const char* action);
    QAction* action(const char* name) const { return m_form->popupMenu()->findChild<QAction*>(name); }
    // A double-click as a person makes it: its first click selects.
    void doubleClick(int page, const QPoint& at)
    {
        QTest::mouseClick(list(page)->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list(page)->viewport(), Qt::LeftButton, {}, at);
    }
    void showPage(int page) { QTest::mouseClick(m_form->pageControl()->tab(page), Qt::LeftButton); }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<RecordedBoxes> m_boxes;
    std::unique_ptr<TForm1> m_form;
    const QString m_smile = QStringLiteral("(´∀｀)");
};

void TestListCommands::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_boxes = std::make_unique<RecordedBoxes>();
    const TForm1::Paths paths{m_dir->filePath("kaomoji.dat"), m_dir->filePath("emotipad.INI")};
    writeFile(paths.dataFile, dictionary({{"a", m_smile, "c"}, {"x", "y"}}));
    m_form = std::make_unique<TForm1>(paths);
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    QVERIFY(!Unit3::Modified);
}

void TestListCommands::cleanup()
{
    m_form.reset();
    m_boxes.reset();
}

void TestListCommands::select(int page, int row)
{
    QTest::mouseClick(list(page)->viewport(), Qt::LeftButton, {}, rowCentre(list(page), row));
    QCOMPARE(selectedRow(list(page)), row);
}

void TestListCommands::openMenu(int page, const QPoint& at)
{
    // The right button as the platform delivers it: a press, then the menu request.
    QWidget* viewport = list(page)->viewport();
    QTest::mousePress(viewport, Qt::RightButton, {}, at);
    QTest::mouseRelease(viewport, Qt::RightButton, {}, at);
    QContextMenuEvent request(QContextMenuEvent::Mouse, at, viewport->mapToGlobal(at));
    QApplication::sendEvent(viewport, &request);
    QTRY_VERIFY(m_form->popupMenu()->isVisible());
}

void TestListCommands::trigger(const char* name)
{
    QAction* item = action(name);
    QVERIFY(item->isEnabled());
    m_form->popupMenu()->hide();
    item->trigger();
}

void TestListCommands::doubleClickCopies()
{
    doubleClick(0, rowCentre(list(0), 1));
    QCOMPARE(QGuiApplication::clipboard()->text(), m_smile);
    QCOMPARE(m_form->copyBuffer(), cp932(m_smile));
    QCOMPARE(rows(list(0)), (QStringList{"a", m_smile, "c"}));
    QCOMPARE(selectedRow(list(0)), 1);
    QCOMPARE(list(0)->property("hint").toString(), m_smile);
    QVERIFY(list(0)->toolTip().contains(m_smile.toHtmlEscaped()));
    QVERIFY(!Unit3::Modified);
    QVERIFY(m_boxes->boxes.isEmpty());
}

void TestListCommands::doubleClickOnEmptyListShowsIndexError()
{
    showPage(2);
    doubleClick(2, QPoint(20, 20));
    QCOMPARE(m_boxes->texts(), QStringList{"リストのインデックスが範囲を超えています (-1)"});
    QCOMPARE(m_boxes->boxes[0].icon, QMessageBox::Critical);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("before"));
    QVERIFY(m_form->copyBuffer().empty());
    QCOMPARE(list(2)->model()->rowCount(), 0);
    QVERIFY(!Unit3::Modified);
}

void TestListCommands::clickBelowTheFacesPicksTheLast()
{
    const QPoint below(20, list(0)->viewport()->height() - 5);
    QVERIFY(!list(0)->indexAt(below).isValid());
    doubleClick(0, below);
    QCOMPARE(selectedRow(list(0)), 2);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("c"));
    QVERIFY(m_boxes->boxes.isEmpty());
}

void TestListCommands::pasteBeforeAnyCopyInsertsEmptyFace()
{
    select(0, 0);
    openMenu(0, rowCentre(list(0), 0));
    trigger("Paste1");
    QCOMPARE(rows(list(0)), (QStringList{"a", "", m_smile, "c"}));
    QCOMPARE(selectedRow(list(0)), 0);
    QCOMPARE(list(0)->property("hint").toString(), QStringLiteral("a"));
    QVERIFY(Unit3::Modified);
    QCOMPARE(m_form->store().faceAt(0, 1), std::string());
}

void TestListCommands::cutInOneGenrePasteInAnother()
{
    select(0, 1);
    openMenu(0, rowCentre(list(0), 1));
    trigger("Cut1");
    QCOMPARE(rows(list(0)), (QStringList{"a", "c"}));
    QCOMPARE(selectedRow(list(0)), -1);
    QCOMPARE(QGuiApplication::clipboard()->text(), m_smile);
    QCOMPARE(list(0)->property("hint").toString(), m_smile); // until the next selection
    QVERIFY(Unit3::Modified);

    showPage(1);
    select(1, 0);
    openMenu(1, rowCentre(list(1), 0));
    trigger("Paste1");
    QCOMPARE(rows(list(1)), (QStringList{"x", m_smile, "y"}));
    QCOMPARE(selectedRow(list(1)), 0);
    QCOMPARE(rows(list(0)), (QStringList{"a", "c"}));
    // The bytes moved unchanged.
    QCOMPARE(m_form->store().faceAt(1, 1), cp932(m_smile));
}

void TestListCommands::copyThenPasteTwiceAtLastFace()
{
    select(0, 2);
    openMenu(0, rowCentre(list(0), 2));
    trigger("Copy1");
    QVERIFY(!Unit3::Modified);
    for (int i = 0; i < 2; ++i) {
        openMenu(0, rowCentre(list(0), 2));
        trigger("Paste1");
    }
    QCOMPARE(rows(list(0)), (QStringList{"a", m_smile, "c", "c", "c"}));
    QCOMPARE(selectedRow(list(0)), 2);
    QCOMPARE(m_form->copyBuffer(), std::string("c"));
    QVERIFY(Unit3::Modified);
}

void TestListCommands::pasteNeverReadsClipboard()
{
    doubleClick(0, rowCentre(list(0), 0));
    QGuiApplication::clipboard()->setText(QStringLiteral("from another program"));
    showPage(1);
    select(1, 1);
    openMenu(1, rowCentre(list(1), 1));
    trigger("Paste1");
    QCOMPARE(rows(list(1)), (QStringList{"x", "y", "a"}));
}

void TestListCommands::deleteKeyTwice_data()
{
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::newRow("plain") << Qt::KeyboardModifiers();
    QTest::newRow("shift") << Qt::KeyboardModifiers(Qt::ShiftModifier);
    QTest::newRow("ctrl") << Qt::KeyboardModifiers(Qt::ControlModifier);
    QTest::newRow("alt+ctrl") << Qt::KeyboardModifiers(Qt::AltModifier | Qt::ControlModifier);
}

void TestListCommands::deleteKeyTwice()
{
    QFETCH(Qt::KeyboardModifiers, modifiers);
    select(0, 1);
    QTest::keyClick(list(0), Qt::Key_Delete, modifiers);
    QCOMPARE(rows(list(0)), (QStringList{"a", "c"}));
    QCOMPARE(selectedRow(list(0)), -1);
    QVERIFY(Unit3::Modified);
    QTest::keyClick(list(0), Qt::Key_Delete, modifiers);
    QCOMPARE(rows(list(0)), (QStringList{"a", "c"}));
    QVERIFY(Unit3::Modified);
}

void TestListCommands::deleteFromMenu()
{
    select(1, 1);
    showPage(1);
    openMenu(1, rowCentre(list(1), 1));
    trigger("Delete1");
    QCOMPARE(rows(list(1)), QStringList{"x"});
    QCOMPARE(selectedRow(list(1)), -1);
    QVERIFY(Unit3::Modified);
    QCOMPARE(m_form->store().count(1), 1);
}

void TestListCommands::rightClickMenuState()
{
    const QList<QAction*> items = m_form->popupMenu()->actions();
    QCOMPARE(items.size(), 5);
    QCOMPARE(items[0]->text(), QStringLiteral("コピー"));
    QVERIFY(items[1]->isSeparator());
    QCOMPARE(items[2]->text(), QStringLiteral("切り取り"));
    QCOMPARE(items[3]->text(), QStringLiteral("貼り付け"));
    QCOMPARE(items[4]->text(), QStringLiteral("削除"));

    // Nothing selected: the right button selects nothing and every command is off.
    openMenu(0, rowCentre(list(0), 1));
    QCOMPARE(selectedRow(list(0)), -1);
    for (const char* name : {"Copy1", "Cut1", "Paste1", "Delete1"})
        QVERIFY2(!action(name)->isEnabled(), name);
    m_form->popupMenu()->hide();

    // With a selection every command is on, and a right-click elsewhere keeps it.
    select(0, 0);
    openMenu(0, rowCentre(list(0), 2));
    QCOMPARE(selectedRow(list(0)), 0);
    for (const char* name : {"Copy1", "Cut1", "Paste1", "Delete1"})
        QVERIFY2(action(name)->isEnabled(), name);
    trigger("Cut1");
    QCOMPARE(rows(list(0)), (QStringList{m_smile, "c"}));
}

void TestListCommands::hintFollowsKeyboardSelection()
{
    select(0, 0);
    QTest::keyClick(list(0), Qt::Key_Down);
    QCOMPARE(selectedRow(list(0)), 1);
    QCOMPARE(list(0)->property("hint").toString(), m_smile);
    // Each list keeps its own hint.
    QVERIFY(list(1)->property("hint").toString().isEmpty());
    QVERIFY(!Unit3::Modified);
}

QTEST_MAIN(TestListCommands)
#include "tst_listcommands.moc"
