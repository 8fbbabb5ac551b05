#include "gui/workbench/USecond.h"

#include "core/workbench/AppState.h"
#include "gui/workbench/UGuard.h"
#include "gui/workbench/UProgressWindow.h"
#include "core/platform/Dialogs.h"
#include "gui/platform/QtSpinEdit.h"
#include "ui_Insert.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStyle>

namespace rs {

TFrmInsert* FrmInsert = nullptr;

TFrmInsert::TFrmInsert(QWidget* parent) : QWidget(parent, Qt::Window), ui(std::make_unique<Ui::TFrmInsert>()) {
    ui->setupUi(this);
    ui->BitBtn1->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    resize(525, 275);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));
    connect(ui->CmdCreate, &QPushButton::clicked, this, &TFrmInsert::CmdCreateClick);
    connect(ui->BitBtn1, &QPushButton::clicked, this, &TFrmInsert::BitBtn1Click);
}

TFrmInsert::~TFrmInsert() = default;

InsertSettings TFrmInsert::ReadSettings() const {
    InsertSettings s;
    s.text = ui->EdString->text().toStdString();
    s.position = SpinValue(ui->SpinPosition);
    s.begin = ui->EdBeg->text().toStdString();
    s.end = ui->EdEnd->text().toStdString();
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
