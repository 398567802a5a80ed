#pragma once
// The application object: an error that escapes an event handler ends that
// handler and is shown in the application error box, and the program goes on.

#include <QApplication>
#include <QIcon>

class EmotipadApplication : public QApplication
{
public:
    EmotipadApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;

    static QIcon icon();
};
