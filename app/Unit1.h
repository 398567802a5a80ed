#pragma once
// TForm1, the main window: twelve genre pages over the kaomoji store, the add
// panel below them, and the quit button.

#include "GenreModel.h"
#include "KaomojiStore.h"

#include <QListView>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>

namespace Ui {
class TForm1;
}

class PageControl;
class QAction;
class QMenu;
class TForm2;
class TForm4;
class QTimer;

class TForm1 : public QWidget
{
    Q_OBJECT
public:
    // Where the window finds its files. By default the dictionary is
    // kaomoji.dat in the current directory at start-up, and the position file
    // lies beside the executable.
    struct Paths
    {
        QString dataFile;
        QString iniFile;
        static Paths fromEnvironment();
    };

    static constexpr int FoldedHeight = 319;
    static constexpr int UnfoldedHeight = 480;

    explicit TForm1(const Paths& paths = Paths::fromEnvironment(), QWidget* parent = nullptr);
    ~TForm1() override;

    KaomojiStore& store() { return m_store; }
    const Paths& paths() const { return m_paths; }
    PageControl* pageControl() const;
    // The list box of page `page` (from 0): the one control on that page.
    QListView* genreListBox(int page) const;
    QListView* activeListBox() const;
    GenreModel* genreModel(int page) const { return m_models[static_cast<size_t>(page)]; }

    // The dialog that the quit button asks before saving.
    void setSaveConfirmation(TForm4* form4) { m_form4 = form4; }
    // The dialog that the add panel's import button opens.
    void setImportDialog(TForm2* form2) { m_form2 = form2; }

    // The lines of the file imported last.
    const std::vector<Face>& importLines() const { return m_importLines; }
    QTimer* mascotTimer() const { return Timer1; }

    // The last face copied or cut; what a paste inserts.
    const std::string& copyBuffer() const { return m_copyBuffer; }
    QMenu* popupMenu() const { return m_popup; }

    bool panelOpen() const { return m_panelOpen; }
    // The window's height with its title bar and borders.
    int outerHeight() const;
    void setOuterHeight(int height);

signals:
    // The window has closed, by whatever means; the program ends.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // Wraps an event handler so that an error it raises goes to the
    // application error box.
    std::function<void()> handler(void (TForm1::*method)());
    void buildAppearance();
    void readPosition();
    void FormCreate();
    void FormClose();
    void PageControl1Change(int page);
    void updateScrollExtent();

    // List commands, on the active genre list whichever list raised them.
    void buildListCommands();
    void Copy1Click();
    void Cut1Click();
    void Paste1Click();
    void Delete1Click();
    void ListBox8KeyDown(QKeyEvent* event);
    void ListBox1ContextPopup(QListView* list, const QPoint& position);
    void ListBox8Click(QListView* list);
    bool listMouseEvent(QListView* list, QMouseEvent* event);
    int selectedIndex(QListView* list) const;
    GenreModel* activeModel() const;
    int pageOfList(QListView* list) const;
    void removeSelected();

    // The add panel and the mascot.
    void buildAddPanel();
    void hiraku_lbClick();
    void Button1Click();
    void Label1Click();
    void Timer1Timer();
    void setMascotCaption(const QString& caption);
    // The import: asks the dialog for a file and appends its lines.
    void BitBtn1Click();

    // The quit button: asks before saving an edited dictionary.
    void BitBtn3Click();

    std::unique_ptr<Ui::TForm1> m_ui;
    Paths m_paths;
    KaomojiStore m_store;
    std::array<GenreModel*, KaomojiStore::GenreCount> m_models{};
    QMenu* m_popup = nullptr;
    QAction* Copy1 = nullptr;
    QAction* N1 = nullptr;
    QAction* Cut1 = nullptr;
    QAction* Paste1 = nullptr;
    QAction* Delete1 = nullptr;
    std::string m_copyBuffer;
    TForm4* m_form4 = nullptr;
    TForm2* m_form2 = nullptr;
    QTimer* Timer1 = nullptr;
    std::vector<Face> m_importLines;
    bool m_panelOpen = false;
    int m_requestedOuterHeight = 0;
    bool m_extentUpdateQueued = false;
};
