#pragma once

#include <QDialog>

#include <memory>
#include <string>

namespace Ui {
class TFrmManyFiles;
}

namespace rs {

// "Insert into many files": copies of every matching file of the work folder with
// lines inserted around key lines. Created at start-up; shown modally by the dispatcher.
class TFrmManyFiles : public QDialog {
    Q_OBJECT
public:
    explicit TFrmManyFiles(QWidget* parent = nullptr);
    ~TFrmManyFiles() override;

    void BitBtn1Click();
    void BitBtn2Click();

    // The folder that is searched and shown, ending with a separator.
    void SetFolder(const std::string& folder);

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::unique_ptr<Ui::TFrmManyFiles> ui;
};

extern TFrmManyFiles* FrmManyFiles;

}  // namespace rs
