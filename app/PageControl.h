#pragma once
// A tab control whose tabs stand in several rows of fixed-width tabs above the
// pages. Pages are the widgets of the stack; a page's window title is its
// tab's caption.

#include <QAbstractButton>
#include <QStackedWidget>

#include <vector>

class PageTab : public QAbstractButton
{
    Q_OBJECT
public:
    explicit PageTab(QWidget* parent = nullptr);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};

class PageControl : public QStackedWidget
{
    Q_OBJECT
public:
    explicit PageControl(QWidget* parent = nullptr);

    int tabWidth() const { return m_tabWidth; }
    int tabHeight() const { return m_tabHeight; }
    void setTabSize(int width, int height);

    // The tab of page `index`; creates the tabs for pages added since.
    PageTab* tab(int index);
    QWidget* activePage() const { return currentWidget(); }

    // Builds a tab for every page, in page order, with its title as caption.
    void syncTabs();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void layoutTabs();
    int columns() const;

    std::vector<PageTab*> m_tabs;
    int m_tabWidth = 98;
    int m_tabHeight = 20;
};
