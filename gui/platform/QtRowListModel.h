#pragma once

#include "core/platform/RowList.h"

#include <QAbstractListModel>
#include <QString>

#include <cstdint>
#include <string_view>

namespace rs {

// A list model over a RowList that makes a row's text only when a view asks for it, so a
// view with uniform item sizes shows millions of rows at once.
class QtRowListModel : public QAbstractListModel {
    Q_OBJECT
public:
    // Rows longer than this are shown cut; a row this long cannot be read on screen anyway.
    static constexpr std::int64_t kMaxShownChars = 1024;

    explicit QtRowListModel(QObject* parent = nullptr);

    // Shows rows (nullptr: none). Call it after the rows changed: the model keeps no copy.
    void reset(const RowList* rows);
    // Points at another store that holds the very same rows, without a reset: the view keeps
    // its layout, scroll position and selection.
    void rebind(const RowList* sameRows) { rows_ = sameRows; }

    // The whole row of an index; empty when the index is out of range.
    std::string_view rowBytes(const QModelIndex& index) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // How many row texts have been made so far.
    std::uint64_t textsMade() const { return textsMade_; }

private:
    const RowList* rows_ = nullptr;
    int count_ = 0;
    mutable std::uint64_t textsMade_ = 0;
};

}  // namespace rs
