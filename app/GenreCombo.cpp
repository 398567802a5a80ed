#include "GenreCombo.h"

#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace GenreCombo {
namespace {

class KeyboardEater : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease: {
            const int key = static_cast<QKeyEvent*>(event)->key();
            // Keys the window takes before the control sees them.
            if (key == Qt::Key_Tab || key == Qt::Key_Backtab || key == Qt::Key_Escape)
                return false;
            return true;
        }
        case QEvent::ShortcutOverride: {
            // Let the window's own shortcuts (Alt+C) through, and keep the line
            // edit from claiming editing shortcuts such as Ctrl+V.
            event->ignore();
            return true;
        }
        case QEvent::InputMethod:
            return true;
        default:
            return QObject::eventFilter(watched, event);
        }
    }
};

} // namespace

void ignoreKeyboard(QComboBox* combo)
{
    auto* eater = new KeyboardEater(combo);
    combo->installEventFilter(eater);
    if (QLineEdit* edit = combo->lineEdit()) {
        edit->installEventFilter(eater);
        edit->setAttribute(Qt::WA_InputMethodEnabled, false);
    }
}

} // namespace GenreCombo
