#include "gui/workbench/Uposition.h"

#include "gui/platform/QtRowListModel.h"
#include "gui/platform/QtRowListView.h"
#include "gui/workbench/RowEdit.h"
#include "ui_Position.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace rs {

TFrmPosition* FrmPosition = nullptr;

TFrmPosition::TFrmPosition(QWidget* parent)
    : QWidget(parent), ui(std::make_unique<Ui::TFrmPosition>()), model_(new QtRowListModel(this)) {
    ui->setupUi(this);
    ui->Memo1->setVisible(false);
    setWindowFlag(Qt::Window);
    // Opens at its own place on the screen, not centred.
    move(761, 170);

    PrepareRowEdit(ui->EdCurrent);
    QFont listFont = ui->ListBox1->font();
    listFont.setStyleStrategy(QFont::PreferNoShaping);
    ui->ListBox1->setFont(listFont);
    ui->ListBox1->setModel(model_);

    ui->EdCurrent->installEventFilter(this);
    connect(ui->ListBox1->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TFrmPosition::ListBox1Click);
}

TFrmPosition::~TFrmPosition() = default;

bool TFrmPosition::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui->EdCurrent) {
        if (event->type() == QEvent::MouseButtonRelease &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            // The edit box settles its caret while it handles the release; read it afterwards.
            QMetaObject::invokeMethod(this, &TFrmPosition::EdCurrentClick, Qt::QueuedConnection);
        } else if (event->type() == QEvent::KeyRelease) {
            EdCurrentKeyUp();
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TFrmPosition::ClearLoad() {
    model_->reset(nullptr);
    ui->EdCurrent->clear();
}

void TFrmPosition::ShowLoad(const RowList* rows, std::string_view longestRow) {
    model_->reset(rows);
    ui->EdCurrent->setText(RowEditText(longestRow));
    ui->EdCurrent->setCursorPosition(0);
}

void TFrmPosition::SetRowText(const QString& text) { ui->EdCurrent->setText(text); }

void TFrmPosition::EdCurrentClick() { ui->LblPosition->setText(PositionReadout(ui->EdCurrent)); }

void TFrmPosition::EdCurrentKeyUp() { ui->LblPosition->setText(PositionReadout(ui->EdCurrent)); }

void TFrmPosition::ListBox1Click() {
    const QModelIndexList selected = ui->ListBox1->selectionModel()->selectedIndexes();
    if (selected.isEmpty()) return;
    // The row itself, not the list's text, which is cut shorter.
    ui->EdCurrent->setText(RowEditText(model_->rowBytes(selected.first())));
}

}  // namespace rs
