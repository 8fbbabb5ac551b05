#include "gui/workbench/UAbout.h"

#include "gui/platform/QtText.h"
#include "ui_About.h"

namespace rs {

TFrmAbout* FrmAbout = nullptr;

namespace {
// The program's own texts, kept apart from the layout, which only holds placeholders.
const char* const kAboutTexts[] = {
    "Rowsmith  -  Copyright \u00a9 2018-2026 Zorvik.",
    "Version 2.18 ",
    "All rights reserved.   https://www.zorvik.example",
    "There are NO warranties express or implied.",
    "Zorvik or the developers of this software will NOT be held liable for any special, incidental, consequential, indirect, or similiar damages due to loss of data, loss of profits, business interruption, or any other reason.  The sole remedy shall be limited to refund of the purchase price.",
    "By using this software, you are agreeing to these terms.  If these terms are not agreeable, do not use this software.",
};
}  // namespace

TFrmAbout::TFrmAbout(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::TFrmAbout>()) {
    ui->setupUi(this);
    connect(ui->BitBtn1, &QPushButton::clicked, this, &TFrmAbout::BitBtn1Click);
    FormCreate();
}

TFrmAbout::~TFrmAbout() = default;

void TFrmAbout::FormCreate() {
    QLabel* labels[] = {ui->LblCopy1, ui->LblCopy2, ui->LblCopy3, ui->LblInfo1, ui->LblInfo2, ui->LblInfo3};
    for (std::size_t i = 0; i < std::size(labels); ++i) labels[i]->setText(ToQString(kAboutTexts[i]));
}

void TFrmAbout::BitBtn1Click() { close(); }

}  // namespace rs
