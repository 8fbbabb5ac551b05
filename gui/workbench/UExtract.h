#pragma once

#include "core/workbench/ExtractLogic.h"

#include <QWidget>

#include <memory>

namespace Ui {
class TFrmExtract;
}

namespace rs {

// "Extract or Remove": parts of rows, rows by a test or its opposite, or every word.
// Modeless; closing only hides it.
class TFrmExtract : public QWidget {
    Q_OBJECT
public:
    explicit TFrmExtract(QWidget* parent = nullptr);
    ~TFrmExtract() override;

    void CmdCreateClick();
    void BitBtn1Click();

    // Selects the by-position choice, as every opening does.
    void SelectByPositions();
    void EdStringInChange();
    void RadPositionsClick();
    void RadStringClick();
    void RadStrExistsClick();
    void RadStringByteClick();
    ExtractSettings ReadSettings() const;

private:
    std::unique_ptr<Ui::TFrmExtract> ui;
};

extern TFrmExtract* FrmExtract;

}  // namespace rs
