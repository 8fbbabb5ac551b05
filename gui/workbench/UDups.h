#pragma once

#include "core/workbench/DupsLogic.h"

#include <QWidget>

#include <memory>

namespace Ui {
class TFrmDups;
}

namespace rs {

// "Duplicates": rows sharing the characters between two positions. Modeless; closing it only
// hides it, so its settings stay for the next showing.
class TFrmDups : public QWidget {
    Q_OBJECT
public:
    explicit TFrmDups(QWidget* parent = nullptr);
    ~TFrmDups() override;

    void FormCreate();
    void CmdCreateClick();
    void BitBtn1Click();

    // The settings as the controls hold them now.
    DupsSettings Settings() const;

private:
    std::unique_ptr<Ui::TFrmDups> ui;
};

extern TFrmDups* FrmDups;

}  // namespace rs
