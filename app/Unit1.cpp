#include "Unit1.h"

#include "Cp932.h"
#include "FormLook.h"
#include "GenreCombo.h"
#include "ImportFile.h"
#include "IniFile.h"
#include "MessageBox.h"
#include "PageControl.h"
#include "HomePage.h"
#include "UrlShowPanel.h"
#include "Unit2.h"
#include "Unit3.h"
#include "Unit4.h"
#include "ui_Unit1.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QMenu>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTimer>

namespace {

using FormLook::pixelFont;
using FormLook::setColor;

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
    m_ui->UrlShowPanel1->SetPageTitle(HomePage::Url);
    m_ui->UrlShowPanel1->SetUrl(HomePage::Url);
    for (int page = 0; page < KaomojiStore::GenreCount; ++page) {
        auto* model = new GenreModel(m_store, page, this);
        m_models[static_cast<size_t>(page)] = model;
        genreListBox(page)->setModel(model);
    }
    buildAppearance();
    connect(m_ui->PageControl1, &QStackedWidget::currentChanged, this, &TForm1::PageControl1Change);
    buildListCommands();
    buildAddPanel();
    connect(m_ui->BitBtn3, &QPushButton::clicked, this, handler(&TForm1::BitBtn3Click));

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

    FormLook::makeTopLineBevel(m_ui->Bevel2);

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

    FormLook::makeBevelledPanel(m_ui->Panel1, QColor(255, 128, 64));

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

std::function<void()> TForm1::handler(void (TForm1::*method)())
{
    // An error ends the handler and is shown; the program goes on.
    return [this, method] { MessageBox::guard(this, [this, method] { (this->*method)(); }); };
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
    const int top =
        IniFile::readInteger(m_paths.iniFile, QStringLiteral("Form1"), QStringLiteral("Top"), 100);
    const int left =
        IniFile::readInteger(m_paths.iniFile, QStringLiteral("Form1"), QStringLiteral("Left"), 100);
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
        MessageBox::show(
            this, QStringLiteral("%1 の最後の「separate」の後にある %2 行は、どのジャンルにも入らないため"
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
    m_ui->UrlShowPanel1->SetShowHint(true);
}

void TForm1::FormClose()
{
    IniFile::writeIntegers(
        m_paths.iniFile, QStringLiteral("Form1"),
        {{QStringLiteral("Top"), frameGeometry().top()}, {QStringLiteral("Left"), frameGeometry().left()}});
}

void TForm1::closeEvent(QCloseEvent* event)
{
    // A position that cannot be stored is reported, but never keeps the
    // program from ending.
    MessageBox::guard(this, [this] { FormClose(); });
    event->accept();
    emit closed();
}

void TForm1::PageControl1Change(int) {}

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
        QMetaObject::invokeMethod(
            this, [this] { setOuterHeight(m_requestedOuterHeight); }, Qt::QueuedConnection);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        auto* label = qobject_cast<QLabel*>(watched);
        // A label's click: the left button released over it.
        if (label && mouse->button() == Qt::LeftButton &&
            label->rect().contains(mouse->position().toPoint())) {
            if (label == m_ui->hiraku_lb || label == m_ui->tatamu_lb)
                handler (&TForm1::hiraku_lbClick)();
            else if (label == m_ui->Label1)
                handler (&TForm1::Label1Click)();
        }
    }
    for (int page = 0; page < KaomojiStore::GenreCount; ++page) {
        QListView* list = genreListBox(page);
        if (watched == list && event->type() == QEvent::KeyPress) {
            MessageBox::guard(this, [&] { ListBox8KeyDown(static_cast<QKeyEvent*>(event)); });
            return false; // the list still sees the key
        }
        if (watched == list->viewport() &&
            (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick))
            return listMouseEvent(list, static_cast<QMouseEvent*>(event));
    }
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::Move:
    case QEvent::Resize:
        if (!m_extentUpdateQueued) {
            m_extentUpdateQueued = true;
            QMetaObject::invokeMethod(
                this, [this] { updateScrollExtent(); }, Qt::QueuedConnection);
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

void TForm1::buildListCommands()
{
    m_popup = new QMenu(this);
    m_popup->setObjectName(QStringLiteral("PopupMenu1"));
    Copy1 = m_popup->addAction(QStringLiteral("コピー"), this, handler(&TForm1::Copy1Click));
    N1 = m_popup->addSeparator();
    Cut1 = m_popup->addAction(QStringLiteral("切り取り"), this, handler(&TForm1::Cut1Click));
    Paste1 = m_popup->addAction(QStringLiteral("貼り付け"), this, handler(&TForm1::Paste1Click));
    Delete1 = m_popup->addAction(QStringLiteral("削除"), this, handler(&TForm1::Delete1Click));
    Copy1->setObjectName(QStringLiteral("Copy1"));
    N1->setObjectName(QStringLiteral("N1"));
    Cut1->setObjectName(QStringLiteral("Cut1"));
    Paste1->setObjectName(QStringLiteral("Paste1"));
    Delete1->setObjectName(QStringLiteral("Delete1"));
    Copy1->setEnabled(false);
    Delete1->setEnabled(false);

    for (int page = 0; page < KaomojiStore::GenreCount; ++page) {
        QListView* list = genreListBox(page);
        list->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(list, &QWidget::customContextMenuRequested, this,
                [this, list](const QPoint& position) { ListBox1ContextPopup(list, position); });
        connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
                [this, list] { ListBox8Click(list); });
        list->installEventFilter(this);
        list->viewport()->installEventFilter(this);
    }
}

int TForm1::pageOfList(QListView* list) const
{
    for (int page = 0; page < KaomojiStore::GenreCount; ++page) {
        if (genreListBox(page) == list)
            return page;
    }
    return -1;
}

GenreModel* TForm1::activeModel() const
{
    return m_models[static_cast<size_t>(m_ui->PageControl1->currentIndex())];
}

int TForm1::selectedIndex(QListView* list) const
{
    const QModelIndexList rows = list->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void TForm1::Copy1Click()
{
    const Face& face = activeModel()->faceAt(selectedIndex(activeListBox()));
    // The copy buffer holds the face even when the clipboard does not take it.
    m_copyBuffer = face;
    QGuiApplication::clipboard()->setText(Cp932::decode(m_copyBuffer), QClipboard::Clipboard);
}

void TForm1::Cut1Click()
{
    Copy1Click();
    removeSelected();
    Unit3::Modified = true;
}

void TForm1::Paste1Click()
{
    // The copy buffer, never the clipboard, goes in right after the selected
    // face; the selection stays where it was.
    activeModel()->insert(selectedIndex(activeListBox()) + 1, m_copyBuffer);
    Unit3::Modified = true;
}

void TForm1::Delete1Click()
{
    removeSelected();
    Unit3::Modified = true;
}

void TForm1::removeSelected()
{
    QListView* list = activeListBox();
    const int row = selectedIndex(list);
    // Cleared first, so that the view does not hand the selection on to the
    // face that moves up.
    list->selectionModel()->clear();
    activeModel()->removeAt(row);
}

void TForm1::ListBox8KeyDown(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Delete && selectedIndex(activeListBox()) >= 0) {
        removeSelected();
        Unit3::Modified = true;
    }
}

void TForm1::ListBox1ContextPopup(QListView* list, const QPoint& position)
{
    const bool any = selectedIndex(activeListBox()) >= 0;
    for (QAction* action : {Copy1, Delete1, Paste1, Cut1})
        action->setEnabled(any);
    m_popup->popup(list->viewport()->mapToGlobal(position));
}

void TForm1::ListBox8Click(QListView* list)
{
    const int row = selectedIndex(list);
    if (row < 0)
        return;
    // Shown as plain text on one line, so a face with "<" is never markup and
    // a long face is never wrapped.
    const QString face = Cp932::decode(m_models[static_cast<size_t>(pageOfList(list))]->faceAt(row));
    list->setToolTip(QStringLiteral("<p style='white-space:pre'>%1</p>").arg(face.toHtmlEscaped()));
    list->setProperty("hint", face);
}

bool TForm1::listMouseEvent(QListView* list, QMouseEvent* event)
{
    // The right button opens the menu but never moves the selection.
    if (event->button() == Qt::RightButton)
        return true;
    if (event->button() != Qt::LeftButton)
        return false;
    if (event->type() == QEvent::MouseButtonDblClick) {
        handler (&TForm1::Copy1Click)();
        return true;
    }
    // A click below the last face picks the last face, as list boxes of this
    // kind always have, rather than clearing the selection.
    if (!list->indexAt(event->position().toPoint()).isValid()) {
        const int rows = list->model()->rowCount();
        if (rows > 0)
            list->setCurrentIndex(list->model()->index(rows - 1, 0));
        return true;
    }
    return false;
}

void TForm1::BitBtn3Click()
{
    if (Unit3::Modified) {
        hide();
        const int result = m_form4 ? m_form4->exec() : TForm4::ResultNo;
        if (result == TForm4::ResultYes) {
            try {
                m_store.save(m_paths.dataFile.toStdString());
            } catch (const std::exception& error) {
                // Nothing is lost: the old file is whole, the edits are still
                // here, and the quit button can be tried again.
                MessageBox::showException(nullptr, error);
                show();
                return;
            }
        }
    }
    close();
}

void TForm1::buildAddPanel()
{
    FormLook::makeTopLineBevel(m_ui->Bevel1);
    GenreCombo::ignoreKeyboard(m_ui->ComboBox1);
    for (QWidget* control :
         std::initializer_list<QWidget*>{m_ui->Edit1, m_ui->ComboBox1, m_ui->Button1, m_ui->BitBtn1})
        control->setPalette(QApplication::palette());
    connect(m_ui->Button1, &QPushButton::clicked, this, handler(&TForm1::Button1Click));
    connect(m_ui->BitBtn1, &QPushButton::clicked, this, handler(&TForm1::BitBtn1Click));

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1500);
    connect(Timer1, &QTimer::timeout, this, handler(&TForm1::Timer1Timer));
    setMascotCaption(m_ui->Label1->text());
}

void TForm1::hiraku_lbClick()
{
    if (!m_panelOpen) {
        // The window grows before the panel shows.
        setOuterHeight(UnfoldedHeight);
        m_ui->Panel1->show();
        m_ui->Bevel2->show();
        m_panelOpen = true;
        m_ui->hiraku_lb->hide();
        m_ui->tatamu_lb->show();
        m_ui->Panel2->show();
        setMascotCaption(QStringLiteral("┌(^o^)ノ"));
    } else {
        // And shrinks after the panel has gone.
        m_ui->Panel1->hide();
        m_ui->Bevel2->hide();
        m_ui->hiraku_lb->show();
        m_ui->tatamu_lb->hide();
        m_ui->Panel2->hide();
        setOuterHeight(FoldedHeight);
        m_panelOpen = false;
        setMascotCaption(QStringLiteral(" ヾ(^o^)ノ"));
    }
}

void TForm1::Button1Click()
{
    const QString text = m_ui->Edit1->text();
    if (text.isEmpty()) {
        MessageBox::show(this,
                         QStringLiteral("顔文字が入ってませんよ、だんなぁ\n\n                   （-＿- #）"),
                         QMessageBox::NoIcon, MessageBox::CentreOnScreen);
        return;
    }
    QString unencodable;
    const std::optional<std::string> face = Cp932::encode(text, &unencodable);
    if (!face) {
        MessageBox::show(
            this,
            QStringLiteral("「%1」(%2) はシフトJISの顔文字ファイルに保存できない文字なので、登録できません。")
                .arg(unencodable, Cp932::codePointName(unencodable)),
            QMessageBox::Warning);
        return;
    }
    if (KaomojiStore::isMarker(*face)) {
        MessageBox::show(
            this,
            QStringLiteral("「%1」は顔文字ファイルの区切りの行と同じなので、顔文字としては登録できません。")
                .arg(text),
            QMessageBox::Warning);
        return;
    }
    const QString genre = m_ui->ComboBox1->currentText();
    for (int page = 0; page < KaomojiStore::GenreCount; ++page) {
        if (m_ui->PageControl1->widget(page)->windowTitle() == genre)
            m_models[static_cast<size_t>(page)]->append(*face);
    }
    Unit3::Modified = true;
}

void TForm1::setMascotCaption(const QString& caption)
{
    // The mascot is sized to its caption, its top-left corner staying put.
    m_ui->Label1->setText(caption);
    m_ui->Label1->resize(m_ui->Label1->sizeHint());
}

void TForm1::Label1Click()
{
    FormLook::setColor(m_ui->Label1, QPalette::WindowText, QColor(0xFF, 0xFF, 0x00));
    // A click while already angry does not step the label further away, so
    // the one timer firing always brings it back to its resting place.
    if (!Timer1->isActive())
        m_ui->Label1->move(m_ui->Label1->pos() + QPoint(-12, -8));
    setMascotCaption(QStringLiteral("(▼▼)ゴルァ！"));
    if (!Timer1->isActive())
        Timer1->start();
}

void TForm1::Timer1Timer()
{
    FormLook::setColor(m_ui->Label1, QPalette::WindowText, Qt::white);
    m_ui->Label1->move(m_ui->Label1->pos() + QPoint(12, 8));
    setMascotCaption(QStringLiteral(" ヾ(^o^)ノ"));
    Timer1->stop();
}

void TForm1::keyPressEvent(QKeyEvent* event)
{
    // Esc is the add panel's import button while the panel is unfolded.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        if (m_ui->BitBtn1->isVisible() && m_ui->BitBtn1->isEnabled())
            m_ui->BitBtn1->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TForm1::BitBtn1Click()
{
    m_importLines.clear();
    if (!m_form2)
        return;
    m_form2->exec();
    if (!Unit3::ImportConfirmed)
        return;
    for (int page = 0; page < KaomojiStore::GenreCount; ++page) {
        if (m_ui->PageControl1->widget(page)->windowTitle() != Unit3::ImportGenre)
            continue;
        try {
            m_importLines = ImportFile::read(Unit3::ImportFileName);
        } catch (const ImportContentError& error) {
            MessageBox::show(this, QString::fromUtf8(error.what()), QMessageBox::Warning);
            return;
        }
        GenreModel* model = m_models[static_cast<size_t>(page)];
        for (const Face& face : m_importLines)
            model->append(face);
    }
}
