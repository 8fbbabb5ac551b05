#include "gui/workbench/UDups.h"

#include "core/platform/Dialogs.h"
#include "core/workbench/AppState.h"
#include "gui/platform/FormHelpers.h"
#include "gui/platform/QtSpinEdit.h"
#include "gui/workbench/RunGuarded.h"
#include "gui/workbench/UProgressWindow.h"
#include "ui_Dups.h"

#include <algorithm>

namespace rs {

TFrmDups* FrmDups = nullptr;

TFrmDups::TFrmDups(QWidget* parent) : QWidget(parent, Qt::Window), ui(std::make_unique<Ui::TFrmDups>()) {
    ui->setupUi(this);
    ui->ListHidden->setVisible(false);
    CentreOnScreen(this);
    PressOnEnter(this, ui->BitBtn1);
    connect(ui->CmdCreate, &QPushButton::clicked, this, &TFrmDups::CmdCreateClick);
    connect(ui->BitBtn1, &QPushButton::clicked, this, &TFrmDups::BitBtn1Click);
    FormCreate();
}

TFrmDups::~TFrmDups() = default;

void TFrmDups::FormCreate() { ui->RadAll1Dups->setChecked(true); }

DupsSettings TFrmDups::Settings() const {
    DupsSettings s;
    s.spin1 = SpinValue(ui->Spin1);
    s.spin2 = SpinValue(ui->Spin2);
    s.choice = ui->RadOnlyDups->isChecked() ? DupsChoice::OnlyDups
               : ui->RadNoDups->isChecked() ? DupsChoice::NoDups
                                            : DupsChoice::All1Dups;
    return s;
}

void TFrmDups::CmdCreateClick() {
    // Settings are taken once: a change made while the run pumps events waits for the next run.
    const DupsSettings s = Settings();
    RunGuarded([&] {
        AppState& state = appState();
        Finish(RunDups(state.input.ListInput, s, state.ResultsFileName, *FrmProgressWindow, state.counters));
    });
}

void TFrmDups::BitBtn1Click() { close(); }

}  // namespace rs
