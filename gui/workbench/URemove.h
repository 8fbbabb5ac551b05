#pragma once

#include "core/workbench/RemoveLogic.h"

#include <QWidget>

#include <memory>

namespace Ui {
class TFrmRemove;
}

namespace rs {

// "Remove or Delete": delete a range of characters from every row, or drop the rows whose
// key in that range is shared. Modeless; closing only hides it.
class TFrmRemove : public QWidget {
    Q_OBJECT
public:
    explicit TFrmRemove(QWidget* parent = nullptr);
    ~TFrmRemove() override;

    void CmdCreateClick();
    void BitBtn1Click();

    // Unticks "Only delete if the positions contain the following string:", as every opening does.
    void ClearOnlyIfContains();
    RemoveSettings ReadSettings() const;

private:
    std::unique_ptr<Ui::TFrmRemove> ui;
};

extern TFrmRemove* FrmRemove;

}  // namespace rs
