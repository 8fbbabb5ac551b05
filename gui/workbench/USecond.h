#pragma once

#include "core/workbench/InsertLogic.h"

#include <QWidget>

#include <memory>

namespace Ui {
class TFrmInsert;
}

namespace rs {

// "Insert Into": a text after a position, a prefix and a suffix on every row. Modeless;
// closing only hides it, so the settings stay for the next showing.
class TFrmInsert : public QWidget {
    Q_OBJECT
public:
    explicit TFrmInsert(QWidget* parent = nullptr);
    ~TFrmInsert() override;

    void CmdCreateClick();
    void BitBtn1Click();
    InsertSettings ReadSettings() const;

private:
    std::unique_ptr<Ui::TFrmInsert> ui;
};

extern TFrmInsert* FrmInsert;

}  // namespace rs
