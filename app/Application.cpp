#include "Application.h"

#include "Fonts.h"
#include "MessageBox.h"

#include <QFont>
#include <QPainter>
#include <QPixmap>

EmotipadApplication::EmotipadApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    // The windows ask for Japanese system fonts by name; map them to fonts
    // this system has, before the first window is built.
    InstallFontSubstitutions();
    setWindowIcon(icon());
}

bool EmotipadApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        MessageBox::showException(activeWindow(), error);
    }
    return false;
}

QIcon EmotipadApplication::icon()
{
    // Drawn rather than shipped: an orange tile with the mascot's eyes.
    QIcon icon;
    for (int size : {16, 32, 48, 64}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setBrush(QColor(255, 128, 0));
        painter.setPen(QPen(QColor(255, 128, 128), size / 16.0));
        painter.drawRoundedRect(QRectF(0.5, 0.5, size - 1, size - 1), size / 5.0, size / 5.0);
        QFont font;
        font.setPixelSize(size * 9 / 16);
        font.setBold(true);
        painter.setFont(font);
        painter.setPen(Qt::white);
        painter.drawText(pixmap.rect(), Qt::AlignCenter, QStringLiteral("^o^"));
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}
