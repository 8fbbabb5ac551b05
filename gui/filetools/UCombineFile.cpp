#include "gui/filetools/UCombineFile.h"

#include "core/filetools/CombineLogic.h"
#include "core/platform/Dialogs.h"
#include "core/workbench/AppState.h"
#include "gui/platform/FormHelpers.h"
#include "gui/platform/QtText.h"
#include "gui/workbench/RunGuarded.h"
#include "gui/workbench/UResults.h"
#include "ui_CombineFile.h"

#include <QIcon>

namespace rs {

TFrmCombineFile* FrmCombineFile = nullptr;

namespace {
// The list shows each path as text and keeps the chooser's bytes, which need not be UTF-8.
constexpr int kPathRole = Qt::UserRole;
}  // namespace

TFrmCombineFile::TFrmCombineFile(QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::TFrmCombineFile>()) {
    ui->setupUi(this);
    setWindowIcon(QIcon(QStringLiteral(":/open.png")));
    connect(ui->CmdAdd, &QPushButton::clicked, this, &TFrmCombineFile::CmdAddClick);
    connect(ui->CmdRem, &QPushButton::clicked, this, &TFrmCombineFile::CmdRemClick);
    connect(ui->CmdCombine, &QPushButton::clicked, this, &TFrmCombineFile::CmdCombineClick);
    connect(ui->CmdExit, &QPushButton::clicked, this, &TFrmCombineFile::CmdExitClick);
}

TFrmCombineFile::~TFrmCombineFile() = default;

void TFrmCombineFile::showEvent(QShowEvent* event) {
    CentreOnScreen(this);
    QDialog::showEvent(event);
}

void TFrmCombineFile::CmdAddClick() {
    const std::string path = dialogs().chooseFile("All (*.*)|*.*", "");
    if (path.empty()) return;
    auto* item = new QListWidgetItem(ToQString(path));
    item->setData(kPathRole, QByteArray::fromStdString(path));
    ui->ListBox1->addItem(item);
    ui->ListBox1->setCurrentRow(ui->ListBox1->count() - 1);
    ui->LblStatus->setText(QStringLiteral("File added. Click \"Add\" to add another file to your list."));
}

void TFrmCombineFile::CmdRemClick() {
    if (ui->ListBox1->count() == 0) return;
    if (QListWidgetItem* item = ui->ListBox1->currentItem(); item && item->isSelected())
        delete ui->ListBox1->takeItem(ui->ListBox1->row(item));
    if (ui->ListBox1->count() > 0) ui->ListBox1->setCurrentRow(0);
}

void TFrmCombineFile::CmdCombineClick() {
    RunGuarded([this] {
        if (ui->ListBox1->count() == 0) return;
        std::vector<std::string> entries;
        for (int i = 0; i < ui->ListBox1->count(); ++i)
            entries.push_back(ui->ListBox1->item(i)->data(kPathRole).toByteArray().toStdString());
        const CombineResult result = CombineFiles(entries, appState().ResultsFileName);
        FrmResults->showLines(result.report);
        Finish(result.outcome);
    });
}

void TFrmCombineFile::CmdExitClick() { close(); }

}  // namespace rs
