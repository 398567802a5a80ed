#include "GenreModel.h"

#include "Cp932.h"

GenreModel::GenreModel(KaomojiStore& store, int genre, QObject* parent)
    : QAbstractListModel(parent), m_store(store), m_genre(genre)
{
}

int GenreModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_store.count(m_genre);
}

QVariant GenreModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    if (role == Qt::DisplayRole)
        return Cp932::decode(m_store.faceAt(m_genre, index.row()));
    return {};
}

void GenreModel::append(const Face& face)
{
    insert(rowCount(), face);
}

void GenreModel::insert(int row, const Face& face)
{
    // Let the store refuse first, so the view is never told of a row that
    // does not come.
    KaomojiStore::checkFace(face);
    if (row < 0 || row > rowCount())
        throw StoreError(listIndexError(row));
    beginInsertRows(QModelIndex(), row, row);
    m_store.insert(m_genre, row, face);
    endInsertRows();
}

void GenreModel::removeAt(int row)
{
    if (row < 0 || row >= rowCount())
        throw StoreError(listIndexError(row));
    beginRemoveRows(QModelIndex(), row, row);
    m_store.removeAt(m_genre, row);
    endRemoveRows();
}

void GenreModel::reload()
{
    beginResetModel();
    endResetModel();
}
