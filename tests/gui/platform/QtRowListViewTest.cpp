#include "gui/platform/QtRowListView.h"

#include "core/platform/RowList.h"
#include "gui/platform/QtRowListModel.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

using namespace rs;

// Showing, resetting and scrolling the list must not visit the rows one by one, or a load of
// millions of rows would pay for it.
TEST(RowListView, ShowsAndResetsWithoutVisitingEveryRow) {
    struct CountingModel : QtRowListModel {
        mutable int indexes = 0;
        QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override {
            ++indexes;
            return QtRowListModel::index(row, column, parent);
        }
    } model;
    RowList rows;
    for (int i = 0; i < 2000000; ++i) rows.append(i % 3 ? "short" : "a somewhat longer row");
    QtRowListView view;
    view.setModel(&model);
    view.resize(300, 200);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    for (int round = 0; round < 3; ++round) {
        model.reset(&rows);
        QCoreApplication::processEvents();
        view.scrollToBottom();
        QCoreApplication::processEvents();
    }
    EXPECT_GT(view.indexAt(QPoint(2, 2)).row(), 1999000);
    EXPECT_LT(model.indexes, 5000);

    view.setCurrentIndex(model.index(5, 0));
    view.setFocus();
    QTest::keyClick(&view, Qt::Key_PageDown);
    EXPECT_GT(view.currentIndex().row(), 6);
    QTest::keyClick(&view, Qt::Key_End);
    EXPECT_EQ(view.currentIndex().row(), 1999999);
    QTest::keyClick(&view, Qt::Key_Home);
    EXPECT_EQ(view.currentIndex().row(), 0);
    EXPECT_EQ(view.indexAt(QPoint(2, 2)).row(), 0);
}
