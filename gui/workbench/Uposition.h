#pragma once

#include "core/platform/RowList.h"

#include <QWidget>

#include <memory>
#include <string_view>

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

    // Puts a text into the edit box under study, as a click on a row does.
    void SetRowText(const QString& text);

    QtRowListModel* rowModel() const { return model_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::unique_ptr<Ui::TFrmPosition> ui;
    QtRowListModel* model_;
};

extern TFrmPosition* FrmPosition;

}  // namespace rs
