#include "FormLook.h"

#include <QFrame>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace FormLook {

QFont pixelFont(int pixels, bool bold, const QString& family)
{
    QFont font(family.isEmpty() ? QStringLiteral("ＭＳ Ｐゴシック") : family);
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

void makeTopLineBevel(QFrame* frame)
{
    frame->setFrameShape(QFrame::NoFrame);
    frame->setStyleSheet(QStringLiteral("QFrame#%1 { border-style: solid; border-width: 1px 0 1px 0;"
                                        " border-top-color: #808080; border-bottom-color: transparent;"
                                        " background: transparent; }")
                             .arg(frame->objectName()));
}

void makeBevelledPanel(QFrame* frame, const QColor& color)
{
    frame->setFrameShape(QFrame::Panel);
    frame->setFrameShadow(QFrame::Raised);
    frame->setLineWidth(1);
    frame->setAutoFillBackground(true);
    setColor(frame, QPalette::Window, color);
}

void centreOnScreen(QWidget* window)
{
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        window->move(screen->availableGeometry().center() - window->rect().center());
}

} // namespace FormLook
