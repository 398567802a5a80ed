#include "Unit2.h"

#include "FormLook.h"
#include "GenreCombo.h"
#include "Unit3.h"
#include "ui_Unit2.h"

#include <QFileDialog>
#include <QKeyEvent>

using FormLook::pixelFont;
using FormLook::setColor;

namespace {

TForm2::FileChooser& fileChooser()
{
    static TForm2::FileChooser chooser;
    return chooser;
}

QString chooseWithDialog(QWidget* parent, const QString& lastFile)
{
    QFileDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("OpenDialog1"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile); // the file need not exist
    dialog.setNameFilter(TForm2::filter());
    if (!lastFile.isEmpty())
        dialog.selectFile(lastFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().first();
}

} // namespace

TForm2::TForm2(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_ui(std::make_unique<Ui::TForm2>())
{
    m_ui->setupUi(this);
    setFixedSize(248, 187);
    setFont(pixelFont(12));
    setColor(this, QPalette::Window, QColor(0xFF, 0x80, 0x80));
    setAutoFillBackground(true);

    m_ui->Memo1->setFont(pixelFont(13, false, QStringLiteral("MS UI Gothic")));
    setColor(m_ui->Memo1, QPalette::Base, QColor(0xFF, 0xDD, 0xDD));
    setColor(m_ui->Memo1, QPalette::Text, QColor(0, 0, 128));
    m_ui->Memo1->installEventFilter(this);

    m_ui->Panel1->setFrameShape(QFrame::Panel);
    m_ui->Panel1->setFrameShadow(QFrame::Sunken);
    m_ui->Panel1->setAutoFillBackground(true);
    setColor(m_ui->Panel1, QPalette::Window, QColor(0xFF, 0x80, 0x00));
    setColor(m_ui->Panel1, QPalette::WindowText, Qt::white);
    for (QLabel* label : {m_ui->Label1, m_ui->Label2})
        label->setFont(pixelFont(12, true));
    for (QWidget* black : std::initializer_list<QWidget*>{m_ui->ComboBox1, m_ui->BitBtn2})
        black->setPalette(QGuiApplication::palette());
    m_ui->BitBtn1->setPalette(QGuiApplication::palette());

    GenreCombo::ignoreKeyboard(m_ui->ComboBox1);
    connect(m_ui->BitBtn1, &QPushButton::clicked, this, &TForm2::BitBtn1Click);
    connect(m_ui->BitBtn2, &QPushButton::clicked, this, &TForm2::BitBtn2Click);
    FormCreate();
}

TForm2::~TForm2() = default;

void TForm2::setFileChooser(FileChooser chooser)
{
    fileChooser() = std::move(chooser);
}

QString TForm2::filter()
{
    return QStringLiteral("ﾃｷｽﾄﾌｧｲﾙ(*.txt)");
}

void TForm2::FormCreate()
{
    Unit3::ImportConfirmed = false;
}

void TForm2::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormLook::centreOnScreen(this);
}

void TForm2::BitBtn1Click()
{
    const QString chosen =
        fileChooser() ? fileChooser()(this, m_lastFile) : chooseWithDialog(this, m_lastFile);
    if (chosen.isEmpty()) {
        // Cancelled: the dialog stays open for another try.
        Unit3::ImportConfirmed = false;
        return;
    }
    m_lastFile = chosen;
    Unit3::ImportGenre = m_ui->ComboBox1->currentText();
    Unit3::ImportFileName = chosen;
    Unit3::ImportConfirmed = true;
    accept();
    Unit3::Modified = true;
}

void TForm2::BitBtn2Click()
{
    Unit3::ImportConfirmed = false;
    done(QDialog::Rejected);
}

void TForm2::reject()
{
    BitBtn2Click();
}

bool TForm2::eventFilter(QObject* watched, QEvent* event)
{
    // The memo keeps Enter and Esc for itself.
    if (watched == m_ui->Memo1 &&
        (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride)) {
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            event->accept();
            return event->type() == QEvent::KeyPress;
        }
    }
    return QDialog::eventFilter(watched, event);
}
