#include "gui/workbench/UResults.h"

#include "ui_Results.h"

#include <QGuiApplication>
#include <QIcon>
#include <QScreen>

namespace rs {

TFrmResults* FrmResults = nullptr;

TFrmResults::TFrmResults(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint), ui(std::make_unique<Ui::TFrmResults>()) {
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
    for (const auto& l : lines) items << QString::fromStdString(l);
    ui->ListBox1->addItems(items);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));
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
