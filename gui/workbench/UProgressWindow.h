#pragma once

#include "core/workbench/Progress.h"

#include <QElapsedTimer>
#include <QImage>
#include <QWidget>

#include <memory>

namespace Ui {
class TFrmProgressWindow;
}

namespace rs {

// The borderless progress window. As a Progress it changes its label only when the text
// changes and lets pending events run at most every ~30 ms, so rows run at full speed
// while the window keeps repainting.
class TFrmProgressWindow : public QWidget, public Progress {
    Q_OBJECT
public:
    explicit TFrmProgressWindow(QWidget* parent = nullptr);
    ~TFrmProgressWindow() override;

    void start(std::string_view text) override;
    void update(std::string_view text) override;
    void pump() override;
    void end() override;

    QString infoText() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void setInfo(std::string_view text);

    std::unique_ptr<Ui::TFrmProgressWindow> ui;
    QImage picture_;
    QElapsedTimer sincePump_;
    std::string lastText_;
};

extern TFrmProgressWindow* FrmProgressWindow;

}  // namespace rs
