#pragma once

#include <QAbstractItemView>

namespace rs {

// A list of rows of one height that lays out nothing row by row: showing it, resetting its
// model or scrolling costs the same for ten rows as for ten million. It scrolls by whole rows
// and is as wide as the widest row it has shown.
class QtRowListView : public QAbstractItemView {
    Q_OBJECT
public:
    explicit QtRowListView(QWidget* parent = nullptr);

    QRect visualRect(const QModelIndex& index) const override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
    QModelIndex indexAt(const QPoint& point) const override;
    void reset() override;

protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    int horizontalOffset() const override;
    int verticalOffset() const override;
    bool isIndexHidden(const QModelIndex& index) const override;
    void setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags flags) override;
    QRegion visualRegionForSelection(const QItemSelection& selection) const override;
    void updateGeometries() override;
    void paintEvent(QPaintEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void changeEvent(QEvent* event) override;

private:
    int rowCount() const;
    int rowHeight() const;
    int pageRows() const;
    int firstShown() const;
    QModelIndex rowIndex(int row) const;

    mutable int rowHeight_ = 0;  // 0 until measured
    int contentWidth_ = 0;
};

}  // namespace rs
