#include "gui/workbench/UExtract.h"

#include "core/platform/Chars.h"
#include "core/platform/Dialogs.h"
#include "core/workbench/AppState.h"
#include "gui/platform/FormHelpers.h"
#include "gui/platform/QtSpinEdit.h"
#include "gui/platform/QtText.h"
#include "gui/workbench/RunGuarded.h"
#include "gui/workbench/UProgressWindow.h"
#include "ui_Extract.h"

#include <QStyle>

#include <algorithm>

namespace rs {

TFrmExtract* FrmExtract = nullptr;

namespace {
// A choice's handler runs whenever it becomes selected, by a click or by the program.
void OnSelected(QRadioButton* button, TFrmExtract* form, void (TFrmExtract::*handler)()) {
    QObject::connect(button, &QRadioButton::toggled, form, [form, handler](bool checked) {
        if (checked) (form->*handler)();
    });
}
}  // namespace

TFrmExtract::TFrmExtract(QWidget* parent)
    : QWidget(parent, Qt::Window), ui(std::make_unique<Ui::TFrmExtract>()) {
    ui->setupUi(this);
    ui->BitBtn1->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    CentreOnScreen(this);
    connect(ui->CmdCreate, &QPushButton::clicked, this, &TFrmExtract::CmdCreateClick);
    connect(ui->BitBtn1, &QPushButton::clicked, this, &TFrmExtract::BitBtn1Click);
    connect(ui->EdStringIn, &QLineEdit::textChanged, this, &TFrmExtract::EdStringInChange);
    connect(ui->EdString1, &QLineEdit::textChanged, this, &TFrmExtract::EdStringInChange);
    connect(ui->EdString2, &QLineEdit::textChanged, this, &TFrmExtract::EdStringInChange);
    OnSelected(ui->RadPositions, this, &TFrmExtract::RadPositionsClick);
    OnSelected(ui->RadString, this, &TFrmExtract::RadStringClick);
    OnSelected(ui->RadStringBetween, this, &TFrmExtract::RadStringClick);
    OnSelected(ui->RadStrExists, this, &TFrmExtract::RadStrExistsClick);
    OnSelected(ui->RadStringByte, this, &TFrmExtract::RadStringByteClick);
}

TFrmExtract::~TFrmExtract() = default;

ExtractSettings TFrmExtract::ReadSettings() const {
    ExtractSettings s;
    if (ui->RadPositions->isChecked())
        s.choice = ExtractChoice::Positions;
    else if (ui->RadString->isChecked())
        s.choice = ExtractChoice::String;
    else if (ui->RadStringBetween->isChecked())
        s.choice = ExtractChoice::StringBetween;
    else if (ui->RadStrExists->isChecked())
        s.choice = ExtractChoice::StrExists;
    else if (ui->RadExtractWords->isChecked())
        s.choice = ExtractChoice::ExtractWords;
    else if (ui->RadStringByte->isChecked())
        s.choice = ExtractChoice::StringByte;
    s.first = SpinValue(ui->Spin1);
    s.last = SpinValue(ui->Spin2);
    s.startText = ToUtf8(ui->EdStringIn->text());
    s.count = SpinValue(ui->Spin3);
    s.betweenStart = ToUtf8(ui->EdString1->text());
    s.betweenEnd = ToUtf8(ui->EdString2->text());
    s.existsText = ToUtf8(ui->EdStrExists->text());
    s.byteText = ToUtf8(ui->EdStringByte->text());
    s.bytePosition = SpinValue(ui->SpinStringByte);
    s.opposite = ui->ChkOpp->isChecked();
    return s;
}

void TFrmExtract::CmdCreateClick() {
    RunGuarded([this] {
        const ExtractSettings settings = ReadSettings();
        AppState& state = appState();
        Finish(RunExtract(state.input.ListInput, settings, state.ResultsFileName, *FrmProgressWindow,
                          state.counters));
    });
}

void TFrmExtract::BitBtn1Click() { close(); }

void TFrmExtract::SelectByPositions() { ui->RadPositions->setChecked(true); }

void TFrmExtract::EdStringInChange() {
    // Whichever of the three edits changed, the count follows the start text's length.
    std::int64_t n = chars::Length(ToUtf8(ui->EdStringIn->text()));
    ui->Spin3->setValue(
        static_cast<int>(std::clamp<std::int64_t>(n, ui->Spin3->minimum(), ui->Spin3->maximum())));
}

void TFrmExtract::RadPositionsClick() {
    ui->ChkOpp->setEnabled(false);
    ui->ChkOpp->setChecked(false);
}

void TFrmExtract::RadStringClick() { ui->ChkOpp->setEnabled(true); }
void TFrmExtract::RadStrExistsClick() { ui->ChkOpp->setEnabled(true); }
void TFrmExtract::RadStringByteClick() { ui->ChkOpp->setEnabled(true); }

}  // namespace rs
