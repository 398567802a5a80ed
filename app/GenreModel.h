#pragma once
// One genre of the store as a list model, so a list view shows only the rows
// it paints and a genre of any length opens at once. Edits of a genre made
// while its list is shown go through here, so the view follows them.

#include "KaomojiStore.h"

#include <QAbstractListModel>

class GenreModel : public QAbstractListModel
{
    Q_OBJECT
public:
    GenreModel(KaomojiStore& store, int genre, QObject* parent = nullptr);

    int genre() const { return m_genre; }
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    const Face& faceAt(int row) const { return m_store.faceAt(m_genre, row); }
    void append(const Face& face);
    void insert(int row, const Face& face);
    void removeAt(int row);

    // After the store was filled or emptied behind the model's back.
    void reload();

private:
    KaomojiStore& m_store;
    int m_genre;
};
