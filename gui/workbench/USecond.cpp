#include "gui/workbench/USecond.h"

#include "core/platform/Dialogs.h"
#include "core/workbench/AppState.h"
#include "gui/platform/FormHelpers.h"
#include "gui/platform/QtSpinEdit.h"
#include "gui/platform/QtText.h"
#include "gui/workbench/RunGuarded.h"
#include "gui/workbench/UProgressWindow.h"
#include "ui_Insert.h"

#include <QStyle>

namespace rs {

TFrmInsert* FrmInsert = nullptr;

TFrmInsert::TFrmInsert(QWidget* parent)
    : QWidget(parent, Qt::Window), ui(std::make_unique<Ui::TFrmInsert>()) {
    ui->setupUi(this);
    ui->BitBtn1->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    CentreOnScreen(this);
    connect(ui->CmdCreate, &QPushButton::clicked, this, &TFrmInsert::CmdCreateClick);
    connect(ui->BitBtn1, &QPushButton::clicked, this, &TFrmInsert::BitBtn1Click);
}

TFrmInsert::~TFrmInsert() = default;

InsertSettings TFrmInsert::ReadSettings() const {
    InsertSettings s;
    s.text = ToUtf8(ui->EdString->text());
    s.position = SpinValue(ui->SpinPosition);
    s.begin = ToUtf8(ui->EdBeg->text());
    s.end = ToUtf8(ui->EdEnd->text());
    return s;
}

void TFrmInsert::CmdCreateClick() {
    RunGuarded([this] {
        const InsertSettings settings = ReadSettings();
        AppState& state = appState();
        Finish(RunInsert(state.input.ListInput, settings, state.ResultsFileName, *FrmProgressWindow,
                         state.counters));
    });
}

void TFrmInsert::BitBtn1Click() { close(); }

}  // namespace rs
