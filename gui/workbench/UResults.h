#pragma once

#include <QWidget>

#include <memory>
#include <string>
#include <vector>

namespace Ui {
class TFrmResults;
}

namespace rs {

// "Your Results": a list of report lines with an Exit button.
class TFrmResults : public QWidget {
    Q_OBJECT
public:
    explicit TFrmResults(QWidget* parent = nullptr);
    ~TFrmResults() override;

    // Replaces the lines and shows the window without blocking.
    void showLines(const std::vector<std::string>& lines);
    QStringList lines() const;

    void CmdExitClick();

private:
    std::unique_ptr<Ui::TFrmResults> ui;
};

extern TFrmResults* FrmResults;

}  // namespace rs
