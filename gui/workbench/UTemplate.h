#pragma once

#include "core/workbench/TemplateLogic.h"

#include <QDialog>

#include <memory>

namespace Ui {
class TFrmTemplate;
}

namespace rs {

// "Template File Generator": replicates the template rows once per filler row. Shown
// modally by the dispatcher (exec()); closing only hides it, so every box keeps its text.
class TFrmTemplate : public QDialog {
    Q_OBJECT
public:
    explicit TFrmTemplate(QWidget* parent = nullptr);
    ~TFrmTemplate() override;

    void CmdApplyClick();
    void Memo33Change();
    void Memo6Change();
    void Memo7Change();
    void BitBtn1Click();
    void Button1Click();

    // The boxes as they are now.
    TemplateSettings ReadSettings() const;

private:
    std::unique_ptr<Ui::TFrmTemplate> ui;
};

extern TFrmTemplate* FrmTemplate;

}  // namespace rs
