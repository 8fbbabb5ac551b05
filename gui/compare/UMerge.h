#pragma once

#include "core/compare/CompareLogic.h"
#include "core/compare/Merge.h"

#include <QDialog>

#include <memory>

class QLabel;

namespace Ui {
class TFrmMerge;
}

namespace rs {

// "Compare Files or Merge Files": two chosen files compared line by line regardless of
// order, or merged on key positions.
class TFrmMerge : public QDialog {
    Q_OBJECT
public:
    explicit TFrmMerge(QWidget* parent = nullptr);
    ~TFrmMerge() override;

    void FormCreate();
    void CmdSelect1Click();
    void CmdSelect2Click();
    void CmdCompareClick();
    void CmdMergeClick();
    void CmdReturnClick();
    void Spin1Change();
    void Spin2Change();
    void Spin3Change();
    void Spin4Change();

    // The settings as the controls show them now.
    CompareSettings ReadCompareSettings() const;
    MergeSettings ReadMergeSettings() const;

    // The chosen files' lines, as they were when chosen.
    LoadedFile File1;
    LoadedFile File2;

private:
    void SelectFile(QLabel* label, LoadedFile& file);

    std::unique_ptr<Ui::TFrmMerge> ui;
};

extern TFrmMerge* FrmMerge;

}  // namespace rs
