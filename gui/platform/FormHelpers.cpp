#include "gui/platform/FormHelpers.h"

#include <QWidget>

namespace rs {

void ShowModeless(QWidget* form) {
    if (!form) return;
    form->show();
    form->raise();
    form->activateWindow();
}

}  // namespace rs
