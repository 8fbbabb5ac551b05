#include "gui/workbench/UProgressWindow.h"

#include "gui/platform/FormHelpers.h"
#include "gui/platform/JpegImage.h"
#include "gui/platform/QtText.h"
#include "ui_ProgressWindow.h"

#include <QApplication>
#include <QFile>
#include <QPainter>

namespace rs {

TFrmProgressWindow* FrmProgressWindow = nullptr;

namespace {
constexpr int kPumpIntervalMs = 30;
}  // namespace

TFrmProgressWindow::TFrmProgressWindow(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), ui(std::make_unique<Ui::TFrmProgressWindow>()) {
    ui->setupUi(this);
    setFixedSize(406, 147);
    QFile f(QStringLiteral(":/progress.jpg"));
    if (f.open(QIODevice::ReadOnly)) picture_ = DecodeJpeg(f.readAll());
    ui->Panel1->setBackgroundRole(QPalette::Button);
    sincePump_.start();
}

TFrmProgressWindow::~TFrmProgressWindow() = default;

QString TFrmProgressWindow::infoText() const { return ui->LblInfo->text(); }

void TFrmProgressWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    // The picture starts 80 pixels left of and 208 pixels above the window's corner.
    if (!picture_.isNull()) p.drawImage(QPoint(-80, -208), picture_);
}

void TFrmProgressWindow::setInfo(std::string_view text) {
    if (text == lastText_) return;
    lastText_.assign(text);
    ui->LblInfo->setText(ToQString(text));
}

void TFrmProgressWindow::start(std::string_view text) {
    setInfo(text);
    CentreOnScreen(this);
    show();
    raise();
    repaint();
    QApplication::processEvents();
    sincePump_.restart();
}

void TFrmProgressWindow::update(std::string_view text) {
    setInfo(text);
    pump();
}

void TFrmProgressWindow::pump() {
    if (sincePump_.elapsed() < kPumpIntervalMs) return;
    QApplication::processEvents();
    sincePump_.restart();
}

void TFrmProgressWindow::end() { hide(); }

}  // namespace rs
