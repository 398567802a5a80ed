#include "Unit1.h"

#include "IniFile.h"
#include "MessageBox.h"
#include "PageControl.h"
#include "Unit3.h"
#include "ui_Unit1.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QScrollBar>
#include <QStyledItemDelegate>

namespace {

const char* const FormFontFamily = "ＭＳ Ｐゴシック";

QFont pixelFont(int pixels, bool bold = false)
{
    QFont font(QString::fromUtf8(FormFontFamily));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

void setColor(QWidget* widget, QPalette::ColorRole role, const QColor& color)
{
    QPalette palette = widget->palette();
    palette.setColor(role, color);
    widget->setPalette(palette);
}

// Rows of one fixed height, as the genre table gives them.
class ItemHeightDelegate : public QStyledItemDelegate
{
public:
    ItemHeightDelegate(int height, QObject* parent) : QStyledItemDelegate(parent), m_height(height) {}
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return {QStyledItemDelegate::sizeHint(option, index).width(), m_height};
    }

private:
    int m_height;
};

struct GenrePage
{
    int fontHeight;
};

// Font and item height of each genre's list, in page order.
constexpr std::array<GenrePage, KaomojiStore::GenreCount> GenrePages = {
    {{15}, {15}, {13}, {13}, {12}, {13}, {13}, {13}, {13}, {13}, {12}, {13}}};

} // namespace

TForm1::Paths TForm1::Paths::fromEnvironment()
{
    return {QDir::current().absoluteFilePath(QStringLiteral("kaomoji.dat")),
            IniFile::pathForExecutable(QCoreApplication::applicationFilePath())};
}

TForm1::TForm1(const Paths& paths, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      m_ui(std::make_unique<Ui::TForm1>()), m_paths(paths)
{
    m_ui->setupUi(this);
    for (int page = 0; page < KaomojiStore::GenreCount; ++page) {
        auto* model = new GenreModel(m_store, page, this);
        m_models[static_cast<size_t>(page)] = model;
        genreListBox(page)->setModel(model);
    }
    buildAppearance();
    connect(m_ui->PageControl1, &QStackedWidget::currentChanged, this, &TForm1::PageControl1Change);

    readPosition();
    MessageBox::guard(this, [this] { FormCreate(); });
}

TForm1::~TForm1() = default;

void TForm1::buildAppearance()
{
    setFixedSize(204, 563);
    setFont(pixelFont(12));
    setColor(this, QPalette::Window, QColor(255, 128, 128));
    setAutoFillBackground(true);
    m_ui->ScrollArea->viewport()->setAutoFillBackground(false);
    m_ui->ClientArea->setAutoFillBackground(false);

    for (QLabel* arrow : {m_ui->hiraku_lb, m_ui->tatamu_lb}) {
        arrow->setFont(pixelFont(12));
        setColor(arrow, QPalette::WindowText, Qt::white);
    }
    m_ui->Label1->setFont(pixelFont(16, true));
    setColor(m_ui->Label1, QPalette::WindowText, Qt::white);

    m_ui->Bevel2->setStyleSheet(
        QStringLiteral("QFrame#Bevel2 { border-style: solid; border-width: 1px 0 0 0; border-color: #808080; }"));

    PageControl* pages = m_ui->PageControl1;
    pages->setPalette(QApplication::palette());
    pages->setAutoFillBackground(false);
    pages->setFont(pixelFont(13));
    pages->syncTabs();
    for (int page = 0; page < KaomojiStore::GenreCount; ++page) {
        QListView* list = genreListBox(page);
        const int height = GenrePages[static_cast<size_t>(page)].fontHeight;
        list->setFont(pixelFont(height));
        list->setItemDelegate(new ItemHeightDelegate(height, list));
    }
    pages->setCurrentIndex(0);

    m_ui->Panel1->setFrameShape(QFrame::Panel);
    m_ui->Panel1->setFrameShadow(QFrame::Raised);
    m_ui->Panel1->setAutoFillBackground(true);
    setColor(m_ui->Panel1, QPalette::Window, QColor(255, 128, 64));

    m_ui->Panel2->setFrameShape(QFrame::Panel);
    m_ui->Panel2->setFrameShadow(QFrame::Raised);
    m_ui->Panel2->setLineWidth(2);
    m_ui->Panel2->setAutoFillBackground(true);
    m_ui->Panel2->setFont(pixelFont(12, true));
    setColor(m_ui->Panel2, QPalette::Window, QColor(255, 128, 0));
    setColor(m_ui->Panel2, QPalette::WindowText, Qt::white);

    // Scroll bars follow the controls that are shown, as the client area
    // grows and shrinks with folding.
    for (QObject* child : m_ui->ClientArea->children()) {
        if (child->isWidgetType())
            child->installEventFilter(this);
    }
    updateScrollExtent();
}

PageControl* TForm1::pageControl() const
{
    return m_ui->PageControl1;
}

QListView* TForm1::genreListBox(int page) const
{
    QWidget* sheet = m_ui->PageControl1->widget(page);
    return sheet ? sheet->findChild<QListView*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

QListView* TForm1::activeListBox() const
{
    return genreListBox(m_ui->PageControl1->currentIndex());
}

void TForm1::readPosition()
{
    const int top = IniFile::readInteger(m_paths.iniFile, QStringLiteral("Form1"), QStringLiteral("Top"), 100);
    const int left = IniFile::readInteger(m_paths.iniFile, QStringLiteral("Form1"), QStringLiteral("Left"), 100);
    move(left, top);
}

void TForm1::FormCreate()
{
    try {
        m_store.load(m_paths.dataFile.toStdString());
    } catch (...) {
        for (GenreModel* model : m_models)
            model->reload();
        throw;
    }
    for (GenreModel* model : m_models)
        model->reload();
    if (const int kept = m_store.extraFaceCount(); kept > 0) {
        MessageBox::show(this, QStringLiteral("%1 の最後の「separate」の後にある %2 行は、どのジャンルにも入らないため"
                                              "表示されません。保存するときはそのまま残します。")
                                   .arg(QFileInfo(m_paths.dataFile).fileName())
                                   .arg(kept));
    }
    setOuterHeight(FoldedHeight);
    m_panelOpen = false;
    MessageBox::setApplicationTitle(QStringLiteral("エモパッド"));
    m_ui->hiraku_lb->show();
    m_ui->tatamu_lb->hide();
    m_ui->Panel2->hide();
    Unit3::Modified = false;
}

void TForm1::FormClose()
{
    IniFile::writeIntegers(m_paths.iniFile, QStringLiteral("Form1"),
                           {{QStringLiteral("Top"), frameGeometry().top()}, {QStringLiteral("Left"), frameGeometry().left()}});
}

void TForm1::closeEvent(QCloseEvent* event)
{
    // A position that cannot be stored is reported, but never keeps the
    // program from ending.
    MessageBox::guard(this, [this] { FormClose(); });
    event->accept();
}

void TForm1::PageControl1Change(int)
{
}

int TForm1::outerHeight() const
{
    return frameGeometry().height();
}

void TForm1::setOuterHeight(int height)
{
    m_requestedOuterHeight = height;
    const int frame = isVisible() ? frameGeometry().height() - geometry().height() : 0;
    setFixedHeight(height - frame);
}

void TForm1::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // The frame is known only once the window is on screen.
    if (m_requestedOuterHeight > 0)
        QMetaObject::invokeMethod(this, [this] { setOuterHeight(m_requestedOuterHeight); }, Qt::QueuedConnection);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::Move:
    case QEvent::Resize:
        if (!m_extentUpdateQueued) {
            m_extentUpdateQueued = true;
            QMetaObject::invokeMethod(this, [this] { updateScrollExtent(); }, Qt::QueuedConnection);
        }
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void TForm1::updateScrollExtent()
{
    m_extentUpdateQueued = false;
    QRect extent(0, 0, 1, 1);
    for (QObject* child : m_ui->ClientArea->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (widget && !widget->isHidden())
            extent = extent.united(widget->geometry());
    }
    m_ui->ClientArea->resize(extent.right() + 1, extent.bottom() + 1);
}
