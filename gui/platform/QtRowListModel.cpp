#include "gui/platform/QtRowListModel.h"

#include "gui/platform/QtText.h"

#include <algorithm>
#include <climits>

namespace rs {

QtRowListModel::QtRowListModel(QObject* parent) : QAbstractListModel(parent) {}

void QtRowListModel::reset(const RowList* rows) {
    beginResetModel();
    rows_ = rows;
    // A list view counts rows in int.
    count_ = rows ? static_cast<int>(std::min<std::size_t>(rows->size(), INT_MAX)) : 0;
    endResetModel();
}

std::string_view QtRowListModel::rowBytes(const QModelIndex& index) const {
    // The rows may shrink under a load that pumps events before the model is reset.
    if (!rows_ || !index.isValid() || index.row() < 0 ||
        static_cast<std::size_t>(index.row()) >= rows_->size())
        return {};
    return (*rows_)[static_cast<std::size_t>(index.row())];
}

int QtRowListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : count_; }

QVariant QtRowListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (!rows_ || !index.isValid() || static_cast<std::size_t>(index.row()) >= rows_->size()) return {};
    ++textsMade_;
    return RowToQString(rowBytes(index), kMaxShownChars);
}

}  // namespace rs
