#include "gui/filetools/UBulkSplit.h"

#include "core/filetools/SplitLogic.h"
#include "core/platform/Dialogs.h"
#include "gui/platform/FormHelpers.h"
#include "gui/platform/QtSpinEdit.h"
#include "gui/platform/QtText.h"
#include "gui/workbench/RunGuarded.h"
#include "ui_BulkSplit.h"

#include <QEvent>
#include <QIcon>

namespace rs {

TFrmBulkSplit* FrmBulkSplit = nullptr;

TFrmBulkSplit::TFrmBulkSplit(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::TFrmBulkSplit>()) {
    ui->setupUi(this);
    setWindowIcon(QIcon(QStringLiteral(":/open.png")));
    ui->Panel2->setVisible(false);
    ui->Panel3->setVisible(false);
    ui->Panel4->setVisible(false);
    for (QCheckBox* box : {ui->ChkFix, ui->ChkVar1, ui->Chkvar2, ui->Chkvar3}) box->installEventFilter(this);
    connect(ui->CmdAdd, &QPushButton::clicked, this, &TFrmBulkSplit::CmdAddClick);
    connect(ui->CmdCreate, &QPushButton::clicked, this, &TFrmBulkSplit::CmdCreateClick);
    connect(ui->BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    for (QSpinBox* spin : {ui->Spin1, ui->SpinEdit1, ui->SpinEdit3})
        connect(spin, &QSpinBox::valueChanged, this, &TFrmBulkSplit::Spin1Change);
    for (QSpinBox* spin : {ui->Spin2, ui->SpinEdit2, ui->SpinEdit4, ui->SpinEdit5, ui->SpinEdit6})
        connect(spin, &QSpinBox::valueChanged, this, &TFrmBulkSplit::Spin2Change);
    FormCreate();
}

// Hiding settles a number still being typed into a spin edit, and its change reaches this
// form's handlers: so the form hides while it is whole, not in the dialog's destructor.
TFrmBulkSplit::~TFrmBulkSplit() { hide(); }

void TFrmBulkSplit::FormCreate() {
    ui->LblSample->clear();
    ui->Spin2->setValue(5);
    ui->CheckBox1->setChecked(true);
    ui->ChkFix->setChecked(true);
}

void TFrmBulkSplit::showEvent(QShowEvent* event) {
    CentreOnScreen(this);
    QDialog::showEvent(event);
}

bool TFrmBulkSplit::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        if (watched == ui->ChkFix)
            ChkFixMouseDown();
        else if (watched == ui->ChkVar1)
            ChkVar1MouseDown();
        else if (watched == ui->Chkvar2)
            Chkvar2MouseDown();
        else if (watched == ui->Chkvar3)
            Chkvar3MouseDown();
    }
    return QDialog::eventFilter(watched, event);
}

void TFrmBulkSplit::UncheckAllBut(QCheckBox* keep) {
    for (QCheckBox* box : {ui->ChkFix, ui->ChkVar1, ui->Chkvar2, ui->Chkvar3})
        if (box != keep) box->setChecked(false);
}

void TFrmBulkSplit::ChkFixMouseDown() { UncheckAllBut(ui->ChkFix); }
void TFrmBulkSplit::ChkVar1MouseDown() { UncheckAllBut(ui->ChkVar1); }
void TFrmBulkSplit::Chkvar2MouseDown() { UncheckAllBut(ui->Chkvar2); }
void TFrmBulkSplit::Chkvar3MouseDown() { UncheckAllBut(ui->Chkvar3); }

void TFrmBulkSplit::CmdAddClick() {
    const std::string path = dialogs().chooseFile("All (*.*)|*.*", "");
    if (path.empty()) return;
    chosenFile_ = path;
    ui->LblFile->setText(ToQString(path));
}

std::string TFrmBulkSplit::InputPath() const {
    const QString shown = ui->LblFile->text();
    if (!chosenFile_.empty() && shown == ToQString(chosenFile_)) return chosenFile_;
    return ToUtf8(shown);
}

void TFrmBulkSplit::CmdCreateClick() {
    RunGuarded([this] {
        const SplitSettings s{InputPath(), SpinValue(ui->Spin1), SpinValue(ui->Spin2),
                              ui->CheckBox1->isChecked()};
        Finish(SplitFile(s, [](const std::string& m) { ShowMessage(m); }).outcome);
    });
}

}  // namespace rs
