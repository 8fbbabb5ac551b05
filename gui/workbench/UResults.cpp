#include "gui/workbench/UResults.h"

#include "gui/platform/FormHelpers.h"
#include "gui/platform/QtText.h"
#include "ui_Results.h"

#include <QIcon>

namespace rs {

TFrmResults* FrmResults = nullptr;

TFrmResults::TFrmResults(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint),
      ui(std::make_unique<Ui::TFrmResults>()) {
    ui->setupUi(this);
    setFixedSize(658, 300);
    setWindowIcon(QIcon(QStringLiteral(":/results32.png")));
    connect(ui->CmdExit, &QPushButton::clicked, this, &TFrmResults::CmdExitClick);
}

TFrmResults::~TFrmResults() = default;

void TFrmResults::showLines(const std::vector<std::string>& lines) {
    ui->ListBox1->clear();
    QStringList items;
    items.reserve(static_cast<qsizetype>(lines.size()));
    for (const auto& l : lines) items << ToQString(l);
    ui->ListBox1->addItems(items);
    CentreOnScreen(this);
    show();
    raise();
}

QStringList TFrmResults::lines() const {
    QStringList out;
    for (int i = 0; i < ui->ListBox1->count(); ++i) out << ui->ListBox1->item(i)->text();
    return out;
}

void TFrmResults::CmdExitClick() { close(); }

}  // namespace rs
