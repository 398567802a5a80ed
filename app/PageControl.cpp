#include "PageControl.h"

#include <QButtonGroup>
#include <QEvent>
#include <QStyleOptionTab>
#include <QStyleOptionTabWidgetFrame>
#include <QStylePainter>

PageTab::PageTab(QWidget* parent) : QAbstractButton(parent)
{
    setCheckable(true);
    setAutoExclusive(true);
    setFocusPolicy(Qt::NoFocus);
}

QSize PageTab::sizeHint() const
{
    return {98, 20};
}

void PageTab::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionTab option;
    option.initFrom(this);
    option.shape = QTabBar::RoundedNorth;
    option.text = text();
    option.position = QStyleOptionTab::Middle;
    option.documentMode = false;
    if (isChecked())
        option.state |= QStyle::State_Selected;
    if (isDown())
        option.state |= QStyle::State_Sunken;
    painter.drawControl(QStyle::CE_TabBarTab, option);
}

PageControl::PageControl(QWidget* parent) : QStackedWidget(parent)
{
    setFrameShape(QFrame::NoFrame);
    connect(this, &QStackedWidget::currentChanged, this, [this](int index) {
        if (index >= 0 && static_cast<size_t>(index) < m_tabs.size())
            m_tabs[static_cast<size_t>(index)]->setChecked(true);
    });
    connect(this, &QStackedWidget::widgetRemoved, this, [this] { syncTabs(); });
}

void PageControl::setTabSize(int width, int height)
{
    m_tabWidth = width;
    m_tabHeight = height;
    layoutTabs();
}

PageTab* PageControl::tab(int index)
{
    if (m_tabs.size() != static_cast<size_t>(count()))
        syncTabs();
    if (index < 0 || static_cast<size_t>(index) >= m_tabs.size())
        return nullptr;
    return m_tabs[static_cast<size_t>(index)];
}

void PageControl::syncTabs()
{
    for (PageTab* tab : m_tabs)
        delete tab;
    m_tabs.clear();
    for (int i = 0; i < count(); ++i) {
        QWidget* page = widget(i);
        page->installEventFilter(this);
        auto* tab = new PageTab(this);
        tab->setObjectName(QStringLiteral("tab_") + page->objectName());
        tab->setText(page->windowTitle());
        tab->setChecked(i == currentIndex());
        connect(tab, &QAbstractButton::clicked, this, [this, page] { setCurrentWidget(page); });
        m_tabs.push_back(tab);
        tab->show();
    }
    layoutTabs();
}

int PageControl::columns() const
{
    return std::max(1, (width() - 4) / std::max(1, m_tabWidth));
}

void PageControl::layoutTabs()
{
    const int cols = columns();
    const int rows =
        static_cast<int>((m_tabs.size() + static_cast<size_t>(cols) - 1) / static_cast<size_t>(cols));
    for (size_t i = 0; i < m_tabs.size(); ++i) {
        const int row = static_cast<int>(i) / cols;
        const int col = static_cast<int>(i) % cols;
        m_tabs[i]->setGeometry(2 + col * m_tabWidth, row * m_tabHeight, m_tabWidth, m_tabHeight);
    }
    // The pages take what the rows of tabs leave, inside a two-pixel frame.
    setContentsMargins(2, rows * m_tabHeight + 2, 2, 2);
}

bool PageControl::event(QEvent* event)
{
    // Pages come from the form description one by one; their tabs are built
    // once the control is about to be shown.
    if ((event->type() == QEvent::Polish || event->type() == QEvent::Show) &&
        m_tabs.size() != static_cast<size_t>(count()))
        syncTabs();
    return QStackedWidget::event(event);
}

bool PageControl::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::WindowTitleChange) {
        const int index = indexOf(qobject_cast<QWidget*>(watched));
        if (index >= 0 && static_cast<size_t>(index) < m_tabs.size())
            m_tabs[static_cast<size_t>(index)]->setText(widget(index)->windowTitle());
    }
    return QStackedWidget::eventFilter(watched, event);
}

void PageControl::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionTabWidgetFrame frame;
    frame.initFrom(this);
    frame.rect = contentsRect().adjusted(-2, -2, 2, 2);
    frame.shape = QTabBar::RoundedNorth;
    painter.drawPrimitive(QStyle::PE_FrameTabWidget, frame);
}

void PageControl::resizeEvent(QResizeEvent* event)
{
    QStackedWidget::resizeEvent(event);
    layoutTabs();
}
