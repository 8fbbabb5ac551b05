#pragma once

#include <QDialog>

#include <memory>
#include <string>

namespace Ui {
class TFrmBulkSplit;
}

class QCheckBox;

namespace rs {

// "Create Many Files": splits one file into many at every change of a key field.
// Created per use by the dispatcher, shown modally and destroyed after.
class TFrmBulkSplit : public QDialog {
    Q_OBJECT
public:
    explicit TFrmBulkSplit(QWidget* parent = nullptr);
    ~TFrmBulkSplit() override;

    void FormCreate();
    void CmdAddClick();
    void CmdCreateClick();
    void ChkFixMouseDown();
    void ChkVar1MouseDown();
    void Chkvar2MouseDown();
    void Chkvar3MouseDown();
    // The spin edits' change handlers do nothing by design: the positions are read when the split runs.
    void Spin1Change() {}
    void Spin2Change() {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void UncheckAllBut(QCheckBox* keep);
    std::string InputPath() const;

    std::unique_ptr<Ui::TFrmBulkSplit> ui;
    std::string chosenFile_;  // the chooser's bytes behind LblFile's text
};

extern TFrmBulkSplit* FrmBulkSplit;

}  // namespace rs
