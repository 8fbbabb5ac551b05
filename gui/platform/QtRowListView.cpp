#include "gui/platform/QtRowListView.h"

#include <QEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

namespace rs {

QtRowListView::QtRowListView(QWidget* parent) : QAbstractItemView(parent) {
    setVerticalScrollMode(ScrollPerItem);
    setSelectionBehavior(SelectRows);
}

int QtRowListView::rowCount() const { return model() ? model()->rowCount(rootIndex()) : 0; }

QModelIndex QtRowListView::rowIndex(int row) const {
    return row >= 0 && row < rowCount() ? model()->index(row, 0, rootIndex()) : QModelIndex();
}

int QtRowListView::rowHeight() const {
    if (rowHeight_ == 0) {
        // Every row is as high as the first; an empty list measures an empty row.
        QStyleOptionViewItem option;
        initViewItemOption(&option);
        const QModelIndex first = rowIndex(0);
        const int measured = first.isValid() ? itemDelegate()->sizeHint(option, first).height() : 0;
        rowHeight_ = std::max({measured, fontMetrics().height(), 1});
    }
    return rowHeight_;
}

int QtRowListView::pageRows() const { return std::max(1, viewport()->height() / rowHeight()); }

int QtRowListView::firstShown() const { return verticalScrollBar()->value(); }

QRect QtRowListView::visualRect(const QModelIndex& index) const {
    if (!index.isValid() || index.parent() != rootIndex()) return {};
    const int h = rowHeight();
    return QRect(-horizontalOffset(), (index.row() - firstShown()) * h,
                 std::max(contentWidth_, viewport()->width()), h);
}

void QtRowListView::scrollTo(const QModelIndex& index, ScrollHint hint) {
    if (!index.isValid()) return;
    const int row = index.row();
    const int page = pageRows();
    const int first = firstShown();
    QScrollBar* bar = verticalScrollBar();
    switch (hint) {
        case PositionAtTop:
            bar->setValue(row);
            break;
        case PositionAtBottom:
            bar->setValue(row - page + 1);
            break;
        case PositionAtCenter:
            bar->setValue(row - page / 2);
            break;
        case EnsureVisible:
            if (row < first)
                bar->setValue(row);
            else if (row >= first + page)
                bar->setValue(row - page + 1);
            break;
    }
}

QModelIndex QtRowListView::indexAt(const QPoint& point) const {
    if (point.y() < 0) return {};
    return rowIndex(firstShown() + point.y() / rowHeight());
}

void QtRowListView::reset() {
    rowHeight_ = 0;
    contentWidth_ = 0;
    QAbstractItemView::reset();
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    updateGeometries();
}

QModelIndex QtRowListView::moveCursor(CursorAction action, Qt::KeyboardModifiers) {
    const int count = rowCount();
    if (count == 0) return {};
    const QModelIndex current = currentIndex();
    if (!current.isValid()) return rowIndex(0);
    int row = current.row();
    switch (action) {
        case MoveUp:
        case MovePrevious:
            --row;
            break;
        case MoveDown:
        case MoveNext:
            ++row;
            break;
        case MovePageUp:
            row -= pageRows();
            break;
        case MovePageDown:
            row += pageRows();
            break;
        case MoveHome:
            row = 0;
            break;
        case MoveEnd:
            row = count - 1;
            break;
        case MoveLeft:
        case MoveRight:
            break;
    }
    return rowIndex(std::clamp(row, 0, count - 1));
}

int QtRowListView::horizontalOffset() const { return horizontalScrollBar()->value(); }

int QtRowListView::verticalOffset() const { return firstShown() * rowHeight(); }

bool QtRowListView::isIndexHidden(const QModelIndex&) const { return false; }

void QtRowListView::setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags flags) {
    const int count = rowCount();
    if (count == 0) return;
    const QRect r = rect.normalized();
    const int h = rowHeight();
    const int top = std::clamp(firstShown() + std::max(r.top(), 0) / h, 0, count - 1);
    const int bottom = std::clamp(firstShown() + std::max(r.bottom(), 0) / h, top, count - 1);
    selectionModel()->select(QItemSelection(rowIndex(top), rowIndex(bottom)), flags);
}

QRegion QtRowListView::visualRegionForSelection(const QItemSelection& selection) const {
    QRegion region;
    const int first = firstShown();
    const int last = first + pageRows();
    for (const QItemSelectionRange& range : selection) {
        const int top = std::max(range.top(), first);
        const int bottom = std::min(range.bottom(), last);
        if (top > bottom) continue;
        region += visualRect(rowIndex(top)).united(visualRect(rowIndex(bottom)));
    }
    return region;
}

void QtRowListView::updateGeometries() {
    const int page = pageRows();
    QScrollBar* v = verticalScrollBar();
    v->setRange(0, std::max(0, rowCount() - page));
    v->setPageStep(page);
    v->setSingleStep(1);
    QScrollBar* hbar = horizontalScrollBar();
    hbar->setRange(0, std::max(0, contentWidth_ - viewport()->width()));
    hbar->setPageStep(viewport()->width());
    hbar->setSingleStep(std::max(1, fontMetrics().averageCharWidth()));
    QAbstractItemView::updateGeometries();
}

void QtRowListView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    const int h = rowHeight();
    const int first = firstShown();
    const int last = std::min(rowCount() - 1, first + viewport()->height() / h);
    const QModelIndex current = currentIndex();
    int widest = contentWidth_;
    for (int row = first; row <= last; ++row) {
        const QModelIndex index = rowIndex(row);
        QStyleOptionViewItem o = option;
        o.rect = visualRect(index);
        o.index = index;
        o.palette.setCurrentColorGroup(isEnabled() ? QPalette::Normal : QPalette::Disabled);
        if (selectionModel() && selectionModel()->isSelected(index)) o.state |= QStyle::State_Selected;
        if (index == current && hasFocus()) o.state |= QStyle::State_HasFocus;
        widest = std::max(widest, itemDelegate()->sizeHint(o, index).width());
        itemDelegate()->paint(&painter, o, index);
    }
    if (widest != contentWidth_) {
        // Rows shown so far decide the width, so a wider one widens it.
        contentWidth_ = widest;
        updateGeometries();
    }
}

void QtRowListView::scrollContentsBy(int, int) { viewport()->update(); }

void QtRowListView::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        rowHeight_ = 0;
        updateGeometries();
    }
    QAbstractItemView::changeEvent(event);
}

}  // namespace rs
