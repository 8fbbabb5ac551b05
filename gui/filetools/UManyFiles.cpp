#include "gui/filetools/UManyFiles.h"

#include "core/filetools/BulkInsertLogic.h"
#include "core/platform/Dialogs.h"
#include "gui/platform/QtText.h"
#include "ui_ManyFiles.h"
#include "core/workbench/AppState.h"
#include "gui/workbench/UGuard.h"
#include "gui/workbench/UProgressWindow.h"

#include <QGuiApplication>
#include <QIcon>
#include <QScreen>

namespace rs {

TFrmManyFiles* FrmManyFiles = nullptr;

namespace {
std::string S(const QString& q) { return q.toUtf8().toStdString(); }
}  // namespace

TFrmManyFiles::TFrmManyFiles(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::TFrmManyFiles>()) {
    ui->setupUi(this);
    setWindowIcon(QIcon(QStringLiteral(":/main32.png")));
    resize(542, 537);
    connect(ui->BitBtn1, &QPushButton::clicked, this, &TFrmManyFiles::BitBtn1Click);
    connect(ui->BitBtn2, &QPushButton::clicked, this, &TFrmManyFiles::BitBtn2Click);
}

TFrmManyFiles::~TFrmManyFiles() = default;

void TFrmManyFiles::showEvent(QShowEvent* event) {
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));
    QDialog::showEvent(event);
}

void TFrmManyFiles::BitBtn1Click() {
    RunGuarded([this] {
        BulkInsertSettings s;
        s.key = S(ui->EdKey->text());
        s.before = ui->ChkBefore->isChecked();
        s.after = ui->ChkAfter->isChecked();
        s.dataText = MemoText(ui->MemoText);
        s.extension = S(ui->EdExt->text());
        Finish(BulkInsertFolder(S(ui->LblFolder->text()), BulkInsertMask(s.extension), appState().WorkFolder, s,
                                *FrmProgressWindow)
                   .outcome);
    });
}

void TFrmManyFiles::BitBtn2Click() { close(); }

void TFrmManyFiles::SetFolder(const std::string& folder) { ui->LblFolder->setText(QString::fromStdString(folder)); }

}  // namespace rs
