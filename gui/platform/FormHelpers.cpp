#include "gui/platform/FormHelpers.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QWidget>

namespace rs {

namespace {

// Watches the key presses that reach a form.
class EnterPresses : public QObject {
public:
    EnterPresses(QWidget* form, QAbstractButton* button) : QObject(form), button_(button) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                button_->click();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QAbstractButton* button_;
};

}  // namespace

void CentreOnScreen(QWidget* form) {
    if (QScreen* screen = QGuiApplication::primaryScreen())
        form->move(screen->availableGeometry().center() - QPoint(form->width() / 2, form->height() / 2));
}

void ShowModeless(QWidget* form) {
    if (!form) return;
    form->show();
    form->raise();
    form->activateWindow();
}

void PressOnEnter(QWidget* form, QAbstractButton* button) {
    form->installEventFilter(new EnterPresses(form, button));
}

}  // namespace rs
