#include "StringListModel.h"

TStringListModel::TStringListModel(TStringList* list, QObject* parent)
    : QAbstractListModel(parent), FList(list), FRowCount(list->Count()) {}

int TStringListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : FRowCount;
}

QVariant TStringListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= FRowCount || index.row() >= FList->Count()) return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole) return FList->Strings(index.row());
    return {};
}

void TStringListModel::Splice(int index, int removed, int inserted) {
    if (removed > 0) {
        beginRemoveRows({}, index, index + removed - 1);
        FRowCount -= removed;
        endRemoveRows();
    }
    if (inserted > 0) {
        beginInsertRows({}, index, index + inserted - 1);
        FRowCount += inserted;
        endInsertRows();
    }
    if (removed == 0 && inserted == 0 && index >= 0 && index < FRowCount)
        emit dataChanged(this->index(index), this->index(index));
}
