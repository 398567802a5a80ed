// Emotipad: a kaomoji dictionary whose faces go to the clipboard with one
// double-click.

#include "Application.h"
#include "MessageBox.h"
#include "Unit1.h"
#include "Unit2.h"
#include "Unit4.h"

int main(int argc, char* argv[])
{
    EmotipadApplication app(argc, argv);
    // The program ends when the main window closes, not when the last window
    // disappears: the quit flow hides the main window while it asks.
    QApplication::setQuitOnLastWindowClosed(false);
    MessageBox::setApplicationTitle(QStringLiteral("エモパッド"));
    MessageBox::guard(nullptr, [&] {
        TForm1 form1;
        QObject::connect(&form1, &TForm1::closed, &app, &QCoreApplication::quit, Qt::QueuedConnection);
        TForm2 form2;
        TForm4 form4;
        form1.setImportDialog(&form2);
        form1.setSaveConfirmation(&form4);
        form1.show();
        QApplication::exec();
    });
    return 0;
}
