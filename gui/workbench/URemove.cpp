#include "gui/workbench/URemove.h"

#include "core/platform/Dialogs.h"
#include "core/workbench/AppState.h"
#include "gui/platform/FormHelpers.h"
#include "gui/platform/QtSpinEdit.h"
#include "gui/platform/QtText.h"
#include "gui/workbench/RunGuarded.h"
#include "gui/workbench/UProgressWindow.h"
#include "ui_Remove.h"

#include <QStyle>

namespace rs {

TFrmRemove* FrmRemove = nullptr;

TFrmRemove::TFrmRemove(QWidget* parent)
    : QWidget(parent, Qt::Window), ui(std::make_unique<Ui::TFrmRemove>()) {
    ui->setupUi(this);
    ui->ListHidden->setVisible(false);
    ui->BitBtn1->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    CentreOnScreen(this);
    PressOnEnter(this, ui->BitBtn1);
    connect(ui->CmdCreate, &QPushButton::clicked, this, &TFrmRemove::CmdCreateClick);
    connect(ui->BitBtn1, &QPushButton::clicked, this, &TFrmRemove::BitBtn1Click);
}

TFrmRemove::~TFrmRemove() = default;

RemoveSettings TFrmRemove::ReadSettings() const {
    RemoveSettings s;
    s.first = SpinValue(ui->Spin1);
    s.last = SpinValue(ui->Spin2);
    s.onlyIfContains = ui->Chkdelete->isChecked();
    s.text = ToUtf8(ui->EdDelete->text());
    s.entireRow = ui->ChkEntireRow->isChecked();
    s.byKey = ui->ChkDups->isChecked();
    return s;
}

void TFrmRemove::CmdCreateClick() {
    RunGuarded([this] {
        const RemoveSettings settings = ReadSettings();
        AppState& state = appState();
        Finish(RunRemove(state.input.ListInput, settings, state.ResultsFileName, *FrmProgressWindow,
                         state.counters));
    });
}

void TFrmRemove::BitBtn1Click() { close(); }

void TFrmRemove::ClearOnlyIfContains() { ui->Chkdelete->setChecked(false); }

}  // namespace rs
