#include "MessageBox.h"

#include "FormLook.h"

#include <QApplication>

namespace MessageBox {
namespace {

QString& title()
{
    static QString t;
    return t;
}

Responder& responder()
{
    static Responder r;
    return r;
}

} // namespace

void setApplicationTitle(const QString& t)
{
    title() = t;
}

QString applicationTitle()
{
    return title();
}

void show(QWidget* parent, const QString& text, QMessageBox::Icon icon, Placement placement)
{
    const Request request{icon, title(), text, placement};
    if (responder()) {
        responder()(request);
        return;
    }
    QMessageBox box(icon, request.title, request.text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    // Shown over a hidden or not yet shown main window, the box stands alone
    // in the middle of the screen.
    if (placement == CentreOnScreen || !parent || !parent->isVisible()) {
        box.adjustSize();
        FormLook::centreOnScreen(&box);
    }
    box.exec();
}

QString withFullStop(const QString& text)
{
    if (!text.isEmpty() && text.back() > QChar('.'))
        return text + '.';
    return text;
}

void showError(QWidget* parent, const QString& text)
{
    show(parent, withFullStop(text), QMessageBox::Critical);
}

void showException(QWidget* parent, const std::exception& error)
{
    showError(parent, QString::fromUtf8(error.what()));
}

bool guard(QWidget* parent, const std::function<void()>& handler)
{
    try {
        handler();
        return true;
    } catch (const std::exception& error) {
        showException(parent, error);
    }
    return false;
}

void setResponder(Responder r)
{
    responder() = std::move(r);
}

} // namespace MessageBox
