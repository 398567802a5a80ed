// Emotipad: a kaomoji dictionary whose faces go to the clipboard with one
// double-click.

#include "Application.h"
#include "MessageBox.h"
#include "Unit1.h"

int main(int argc, char* argv[])
{
    EmotipadApplication app(argc, argv);
    MessageBox::setApplicationTitle(QStringLiteral("エモパッド"));
    MessageBox::guard(nullptr, [] {
        installJapaneseFontSubstitutions();
        TForm1 form1;
        form1.show();
        QApplication::exec();
    });
    return 0;
}
