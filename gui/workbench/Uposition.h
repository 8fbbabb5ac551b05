#pragma once

#include "core/platform/RowList.h"

#include <QWidget>

#include <cstdint>
#include <memory>
#include <string_view>

class QLineEdit;

namespace Ui {
class TFrmPosition;
}

namespace rs {

class QtRowListModel;

// The byte position finder: the rows of the current input, the row under study and the
// caret position in it. Closing it only hides it.
class TFrmPosition : public QWidget {
    Q_OBJECT
public:
    explicit TFrmPosition(QWidget* parent = nullptr);
    ~TFrmPosition() override;

    // Before a load: no rows, an empty edit box.
    void ClearLoad();
    // After a load: shows rows (kept by the caller, not copied) and puts the longest row into
    // the edit box with the caret at its start. The readout keeps its text.
    void ShowLoad(const RowList* rows, std::string_view longestRow);

    void EdCurrentClick();
    void EdCurrentKeyUp();
    void ListBox1Click();

    QtRowListModel* rowModel() const { return model_; }

    std::unique_ptr<Ui::TFrmPosition> ui;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QtRowListModel* model_;
};

extern TFrmPosition* FrmPosition;

// Characters before the caret, or before the selection when there is one (its left end).
std::int64_t CaretCharacters(const QLineEdit* edit);
// The finder's readout for an edit box: "On byte p+1.  Previous byte is #p".
QString PositionReadout(const QLineEdit* edit);
// The main window's hidden readout: "Current position is immediately after byte #p".
QString HiddenPositionReadout(const QLineEdit* edit);
// Prepares an edit box that shows a whole row: no length limit, no shaping where the
// script needs none (a very long row is laid out much faster).
void PrepareRowEdit(QLineEdit* edit);

// The most characters of a row that the edit boxes show. Laying out a line costs time in
// proportion to its length, and each change of the box lays it out again: a row of millions
// of characters would stall the window for seconds at every load.
inline constexpr std::int64_t kRowEditChars = 100000;
// A row as the edit boxes show it: whole, or its first kRowEditChars characters.
QString RowEditText(std::string_view row);

}  // namespace rs
