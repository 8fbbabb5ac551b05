#include "gui/workbench/URemove.h"

#include "core/workbench/AppState.h"
#include "gui/workbench/UGuard.h"
#include "gui/workbench/UProgressWindow.h"
#include "core/platform/Dialogs.h"
#include "gui/platform/QtSpinEdit.h"
#include "ui_Remove.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QStyle>

namespace rs {

TFrmRemove* FrmRemove = nullptr;

TFrmRemove::TFrmRemove(QWidget* parent) : QWidget(parent, Qt::Window), ui(std::make_unique<Ui::TFrmRemove>()) {
    ui->setupUi(this);
    ui->ListHidden->setVisible(false);
    ui->BitBtn1->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    resize(525, 284);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));
    connect(ui->CmdCreate, &QPushButton::clicked, this, &TFrmRemove::CmdCreateClick);
    connect(ui->BitBtn1, &QPushButton::clicked, this, &TFrmRemove::BitBtn1Click);
}

TFrmRemove::~TFrmRemove() = default;

RemoveSettings TFrmRemove::ReadSettings() const {
    RemoveSettings s;
    s.first = SpinValue(ui->Spin1);
    s.last = SpinValue(ui->Spin2);
    s.onlyIfContains = ui->Chkdelete->isChecked();
    s.text = ui->EdDelete->text().toStdString();
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

void TFrmRemove::keyPressEvent(QKeyEvent* event) {
    // "Exit" is the default button: Enter presses it unless a button has the focus.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        ui->BitBtn1->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace rs
