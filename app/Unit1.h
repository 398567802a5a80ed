#pragma once
// TForm1, the main window: twelve genre pages over the kaomoji store, the add
// panel below them, and the quit button.

#include "GenreModel.h"
#include "KaomojiStore.h"

#include <QListView>
#include <QWidget>

#include <array>
#include <memory>

namespace Ui {
class TForm1;
}

class PageControl;

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

    bool panelOpen() const { return m_panelOpen; }
    // The window's height with its title bar and borders.
    int outerHeight() const;
    void setOuterHeight(int height);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildAppearance();
    void readPosition();
    void FormCreate();
    void FormClose();
    void PageControl1Change(int page);
    void updateScrollExtent();

    std::unique_ptr<Ui::TForm1> m_ui;
    Paths m_paths;
    KaomojiStore m_store;
    std::array<GenreModel*, KaomojiStore::GenreCount> m_models{};
    bool m_panelOpen = false;
    int m_requestedOuterHeight = 0;
    bool m_extentUpdateQueued = false;
};
