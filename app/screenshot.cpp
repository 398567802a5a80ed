// Renders the real main window, started on the dictionary in the current
// directory, to the PNG named on the command line.

#include "Application.h"
#include "MessageBox.h"
#include "Unit1.h"

#include <QListView>
#include <QTimer>

#include <cstdio>

int main(int argc, char* argv[])
{
    EmotipadApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: emotipad_screenshot OUTPUT.png\n");
        return 2;
    }
    MessageBox::setApplicationTitle(QStringLiteral("エモパッド"));
    TForm1 form;
    form.show();
    // A selected face, as a user would see the window in use.
    form.activeListBox()->setCurrentIndex(form.genreModel(0)->index(1, 0));
    int status = 1;
    QTimer::singleShot(300, [&] {
        status = form.grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
        app.quit();
    });
    app.exec();
    return status;
}
