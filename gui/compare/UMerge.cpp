#include "gui/compare/UMerge.h"

#include "core/platform/Dialogs.h"
#include "core/workbench/AppState.h"
#include "gui/platform/FormHelpers.h"
#include "gui/platform/QtSpinEdit.h"
#include "gui/platform/QtText.h"
#include "gui/workbench/RunGuarded.h"
#include "gui/workbench/UProgressWindow.h"
#include "ui_Merge.h"

#include <QButtonGroup>

namespace rs {

TFrmMerge* FrmMerge = nullptr;

TFrmMerge::TFrmMerge(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::TFrmMerge>()) {
    ui->setupUi(this);
    // Radio buttons on the form would otherwise be exclusive with those inside its group
    // boxes too: each choice gets a group of its own.
    auto* modeGroup = new QButtonGroup(this);
    modeGroup->addButton(ui->RadMatch);
    modeGroup->addButton(ui->RadMismatch);
    auto* outputGroup = new QButtonGroup(this);
    outputGroup->addButton(ui->RadFirst);
    outputGroup->addButton(ui->RadSecond);
    outputGroup->addButton(ui->RadBoth);
    CentreOnScreen(this);

    connect(ui->CmdSelect1, &QPushButton::clicked, this, &TFrmMerge::CmdSelect1Click);
    connect(ui->CmdSelect2, &QPushButton::clicked, this, &TFrmMerge::CmdSelect2Click);
    connect(ui->CmdCompare, &QPushButton::clicked, this, &TFrmMerge::CmdCompareClick);
    connect(ui->CmdMerge, &QPushButton::clicked, this, &TFrmMerge::CmdMergeClick);
    connect(ui->CmdReturn, &QPushButton::clicked, this, &TFrmMerge::CmdReturnClick);
    connect(ui->Spin1, &QSpinBox::valueChanged, this, &TFrmMerge::Spin1Change);
    connect(ui->Spin2, &QSpinBox::valueChanged, this, &TFrmMerge::Spin2Change);
    connect(ui->Spin3, &QSpinBox::valueChanged, this, &TFrmMerge::Spin3Change);
    connect(ui->Spin4, &QSpinBox::valueChanged, this, &TFrmMerge::Spin4Change);
    FormCreate();
}

// Hiding settles a number still being typed into a spin edit, and its change reaches this
// form's handlers: so the form hides while it is whole, not in the dialog's destructor.
TFrmMerge::~TFrmMerge() { hide(); }

void TFrmMerge::FormCreate() {
    ui->RadMatch->setChecked(true);
    ui->RadFirst->setChecked(true);
}

void TFrmMerge::SelectFile(QLabel* label, LoadedFile& file) {
    // Guarded like a run: a file chosen while a compare lets events run would change the
    // lines under its walk.
    RunGuarded([&] {
        std::string path = dialogs().chooseFile("*|*.*", "*.*");
        if (path.empty()) return;
        LoadFileIntoList(path, file);
        label->setText(ToQString(path));
    });
}

void TFrmMerge::CmdSelect1Click() { SelectFile(ui->LblFile1, File1); }
void TFrmMerge::CmdSelect2Click() { SelectFile(ui->LblFile2, File2); }

CompareSettings TFrmMerge::ReadCompareSettings() const {
    return {ToUtf8(ui->LblFile1->text()), ToUtf8(ui->LblFile2->text())};
}

MergeSettings TFrmMerge::ReadMergeSettings() const {
    MergeSettings s;
    s.file1 = ToUtf8(ui->LblFile1->text());
    s.file2 = ToUtf8(ui->LblFile2->text());
    s.start1 = SpinValue(ui->Spin1);
    s.end1 = SpinValue(ui->Spin2);
    s.start2 = SpinValue(ui->Spin3);
    s.end2 = SpinValue(ui->Spin4);
    s.output = ui->RadBoth->isChecked()    ? MergeOutput::Both
               : ui->RadFirst->isChecked() ? MergeOutput::File1Only
                                           : MergeOutput::File2Only;
    s.mode = ui->RadMatch->isChecked() ? MergeMode::Match : MergeMode::Mismatch;
    return s;
}

void TFrmMerge::CmdCompareClick() {
    RunGuarded([this] {
        NullProgress quiet;
        Progress& events = FrmProgressWindow ? static_cast<Progress&>(*FrmProgressWindow) : quiet;
        Finish(CompareLoadedFiles(ReadCompareSettings(), File1, File2, appState().ResultsFileName, events));
    });
}

void TFrmMerge::CmdMergeClick() {
    RunGuarded([this] {
        Finish(MergeLoadedFiles(ReadMergeSettings(), File1.ListHidden, File2.ListHidden,
                                appState().ResultsFileName));
    });
}

void TFrmMerge::CmdReturnClick() { close(); }

// The spin edits' change handlers do nothing by design: the settings are read when a button runs.
void TFrmMerge::Spin1Change() {}
void TFrmMerge::Spin2Change() {}
void TFrmMerge::Spin3Change() {}
void TFrmMerge::Spin4Change() {}

}  // namespace rs
