#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class TFrmAbout;
}

namespace rs {

// The about box, shown modally from the main window's "About" button.
class TFrmAbout : public QDialog {
    Q_OBJECT
public:
    explicit TFrmAbout(QWidget* parent = nullptr);
    ~TFrmAbout() override;

    void FormCreate();
    void BitBtn1Click();

private:
    std::unique_ptr<Ui::TFrmAbout> ui;
};

extern TFrmAbout* FrmAbout;

}  // namespace rs
