#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class TFrmCombineFile;
}

namespace rs {

// "Combine Files!": joins a list of chosen files into the results file. Created per use
// by the dispatcher, shown modally and destroyed after.
class TFrmCombineFile : public QDialog {
    Q_OBJECT
public:
    explicit TFrmCombineFile(QWidget* parent = nullptr);
    ~TFrmCombineFile() override;

    void CmdAddClick();
    void CmdRemClick();
    void CmdCombineClick();
    void CmdExitClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::unique_ptr<Ui::TFrmCombineFile> ui;
};

extern TFrmCombineFile* FrmCombineFile;

}  // namespace rs
