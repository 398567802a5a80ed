#pragma once
// Shared set-up for the window tests: a dictionary in a temporary directory,
// message boxes recorded instead of shown, and helpers that act as a user.

#include "Cp932.h"
#include "KaomojiStore.h"
#include "MessageBox.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <fstream>
#include <functional>

namespace AppFixture {

inline std::string cp932(const QString& text)
{
    return *Cp932::encode(text);
}

inline void writeFile(const QString& path, const std::string& bytes)
{
    std::ofstream out(path.toStdString(), std::ios::binary | std::ios::trunc);
    out << bytes;
}

inline std::string readFile(const QString& path)
{
    std::ifstream in(path.toStdString(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// A dictionary file from the faces of each genre, in page order.
inline std::string dictionary(const QList<QStringList>& genres)
{
    KaomojiStore store;
    for (int g = 0; g < genres.size(); ++g) {
        for (const QString& face : genres[g])
            store.append(g, cp932(face));
    }
    return store.serialize();
}

// What a list view shows, row by row.
inline QStringList rows(const QAbstractItemView* view)
{
    QStringList out;
    for (int row = 0; row < view->model()->rowCount(); ++row)
        out << view->model()->data(view->model()->index(row, 0)).toString();
    return out;
}

inline int selectedRow(const QAbstractItemView* view)
{
    const QModelIndexList selected = view->selectionModel()->selectedRows();
    return selected.isEmpty() ? -1 : selected.first().row();
}

inline QPoint rowCentre(const QAbstractItemView* view, int row)
{
    return view->visualRect(view->model()->index(row, 0)).center();
}

inline QList<QPointer<QTimer>>& modalWatchers()
{
    static QList<QPointer<QTimer>> watchers;
    return watchers;
}

// Stops the watchers that never saw their dialog; every test's cleanup calls
// it, so that no watcher outlives its test.
inline void stopWatchingModals()
{
    for (const QPointer<QTimer>& watcher : modalWatchers())
        delete watcher.data();
    modalWatchers().clear();
}

// Runs `act` on the next modal dialog of type T once it is open and active.
template <typename T> void whenModalOpens(const std::function<void(T*)>& act)
{
    auto* poll = new QTimer;
    modalWatchers().append(poll);
    poll->setInterval(10);
    auto tries = std::make_shared<int>(0);
    QObject::connect(poll, &QTimer::timeout, [poll, act, tries] {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
            // Active as it opens; some dialogs are never made active
            // offscreen, so a visible one is taken after a short while.
            if (dialog->isVisible() && (dialog->isActiveWindow() || *tries > 30)) {
                poll->stop();
                poll->deleteLater();
                act(dialog);
                return;
            }
        }
        if (++*tries > 1000) { // ten seconds: the dialog never came
            poll->stop();
            poll->deleteLater();
        }
    });
    poll->start();
}

// Records every message box instead of showing it.
class RecordedBoxes
{
public:
    RecordedBoxes()
    {
        MessageBox::setApplicationTitle(QStringLiteral("エモパッド"));
        MessageBox::setResponder([this](const MessageBox::Request& request) { boxes.append(request); });
    }
    ~RecordedBoxes() { MessageBox::setResponder({}); }
    QStringList texts() const
    {
        QStringList out;
        for (const auto& box : boxes)
            out << box.text;
        return out;
    }
    QList<MessageBox::Request> boxes;
};

} // namespace AppFixture
