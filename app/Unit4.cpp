#include "Unit4.h"

#include "FormLook.h"
#include "ui_Unit4.h"

#include <QGuiApplication>
#include <QTimer>

using FormLook::pixelFont;
using FormLook::setColor;

TForm4::TForm4(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), m_ui(std::make_unique<Ui::TForm4>()),
      m_timer(new QTimer(this))
{
    m_ui->setupUi(this);
    setFixedSize(256, 145);
    setFont(pixelFont(12));
    setColor(this, QPalette::Window, QColor(255, 128, 128));
    setAutoFillBackground(true);
    FormLook::makeBevelledPanel(m_ui->Panel1, QColor(255, 221, 221));
    FormLook::makeTopLineBevel(m_ui->Bevel1);
    for (QLabel* label : {m_ui->Label1, m_ui->Label2}) {
        label->setFont(pixelFont(12));
        setColor(label, QPalette::WindowText, QColor(0, 0, 128));
    }
    m_ui->Label3->setFont(pixelFont(15));
    m_ui->Label4->setFont(pixelFont(15));
    setColor(m_ui->Label4, QPalette::WindowText, Qt::black);
    for (QPushButton* button : {m_ui->Button1, m_ui->Button2}) {
        button->setFont(pixelFont(13));
        button->setPalette(QGuiApplication::palette());
    }

    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(500);
    connect(m_timer, &QTimer::timeout, this, &TForm4::Timer1Timer);
    connect(m_ui->Button1, &QPushButton::clicked, this, [this] { done(ResultYes); });
    connect(m_ui->Button2, &QPushButton::clicked, this, [this] { done(ResultNo); });
}

TForm4::~TForm4() = default;

void TForm4::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormLook::centreOnScreen(this);
    m_ui->Button1->setFocus();
}

bool TForm4::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        FormActivate();
    return QDialog::event(event);
}

void TForm4::FormActivate()
{
    m_blinkPhase = true;
    // Switching on a running timer does not restart it.
    if (!m_timer->isActive())
        m_timer->start();
}

void TForm4::Timer1Timer()
{
    if (m_blinkPhase) {
        m_ui->Label4->show();
        m_ui->Label3->hide();
        m_blinkPhase = false;
    } else {
        m_ui->Label4->hide();
        m_ui->Label3->show();
        m_blinkPhase = true;
    }
}
