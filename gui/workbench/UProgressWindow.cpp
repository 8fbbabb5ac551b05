#include "gui/workbench/UProgressWindow.h"

#include "ui_ProgressWindow.h"

#include <QApplication>
#include <QFile>
#include <QPainter>
#include <QScreen>

#include <cstdio>
#include <jpeglib.h>
#include <setjmp.h>

namespace rs {

TFrmProgressWindow* FrmProgressWindow = nullptr;

namespace {
constexpr int kPumpIntervalMs = 30;

struct JpegErrorManager {
    jpeg_error_mgr base;
    jmp_buf jump;
};

void JpegErrorExit(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<JpegErrorManager*>(cinfo->err);
    longjmp(err->jump, 1);
}
}  // namespace

QImage DecodeJpeg(const QByteArray& bytes) {
    jpeg_decompress_struct cinfo {};
    JpegErrorManager err {};
    cinfo.err = jpeg_std_error(&err.base);
    err.base.error_exit = JpegErrorExit;
    // Everything the jump may skip past lives outside this frame's locals that change after setjmp.
    static thread_local QImage image;
    image = QImage();
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&cinfo);
        return QImage();
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(bytes.constData()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&cinfo, TRUE);
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    image = QImage(static_cast<int>(cinfo.output_width), static_cast<int>(cinfo.output_height),
                   QImage::Format_RGB888);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = image.scanLine(static_cast<int>(cinfo.output_scanline));
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return image;
}

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
    ui->LblInfo->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

void TFrmProgressWindow::start(std::string_view text) {
    setInfo(text);
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect r = screen->availableGeometry();
        move(r.center() - QPoint(width() / 2, height() / 2));
    }
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
