#include "gui/filetools/UManyFiles.h"

#include "core/filetools/BulkInsertLogic.h"
#include "core/platform/Dialogs.h"
#include "core/workbench/AppState.h"
#include "gui/platform/FormHelpers.h"
#include "gui/platform/QtText.h"
#include "gui/workbench/RunGuarded.h"
#include "gui/workbench/UProgressWindow.h"
#include "ui_ManyFiles.h"

#include <QIcon>

namespace rs {

TFrmManyFiles* FrmManyFiles = nullptr;

TFrmManyFiles::TFrmManyFiles(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::TFrmManyFiles>()) {
    ui->setupUi(this);
    setWindowIcon(QIcon(QStringLiteral(":/main32.png")));
    connect(ui->BitBtn1, &QPushButton::clicked, this, &TFrmManyFiles::BitBtn1Click);
    connect(ui->BitBtn2, &QPushButton::clicked, this, &TFrmManyFiles::BitBtn2Click);
}

TFrmManyFiles::~TFrmManyFiles() = default;

void TFrmManyFiles::showEvent(QShowEvent* event) {
    CentreOnScreen(this);
    QDialog::showEvent(event);
}

void TFrmManyFiles::BitBtn1Click() {
    RunGuarded([this] {
        BulkInsertSettings s;
        s.key = ToUtf8(ui->EdKey->text());
        s.before = ui->ChkBefore->isChecked();
        s.after = ui->ChkAfter->isChecked();
        s.dataText = MemoText(ui->MemoText);
        s.extension = ToUtf8(ui->EdExt->text());
        const std::string folder = ToUtf8(ui->LblFolder->text());
        const std::string& work = appState().WorkFolder;
        Finish(BulkInsertFolder(folder, BulkInsertMask(s.extension), work, s, *FrmProgressWindow).outcome);
    });
}

void TFrmManyFiles::BitBtn2Click() { close(); }

void TFrmManyFiles::SetFolder(const std::string& folder) { ui->LblFolder->setText(ToQString(folder)); }

}  // namespace rs
