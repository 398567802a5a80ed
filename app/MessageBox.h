#pragma once
// Every message box of the program goes through here: the application error
// box and the program's own messages, all titled with the application title.
// Tests install a responder and read what would have been shown.

#include <QMessageBox>
#include <QString>

#include <exception>
#include <functional>

namespace MessageBox {

enum Placement { OverParent, CentreOnScreen };

struct Request
{
    QMessageBox::Icon icon;
    QString title;
    QString text;
    Placement placement;
};

// The application title, the caption of every message box ("エモパッド").
void setApplicationTitle(const QString& title);
QString applicationTitle();

// A box with one OK button; `icon` Information for the program's messages.
void show(QWidget* parent, const QString& text, QMessageBox::Icon icon = QMessageBox::Information,
          Placement placement = OverParent);

// The application error box: stop icon, OK, and a full stop after the text
// when its last character sorts after ".".
void showError(QWidget* parent, const QString& text);
QString withFullStop(const QString& text);

// Shows an exception's text in the application error box.
void showException(QWidget* parent, const std::exception& error);

// Runs `handler`; an error it raises ends it and is shown as an application
// error box. Returns false when it failed.
bool guard(QWidget* parent, const std::function<void()>& handler);

// Test seam: while set, boxes are handed to `responder` instead of shown.
using Responder = std::function<void(const Request&)>;
void setResponder(Responder responder);

} // namespace MessageBox
