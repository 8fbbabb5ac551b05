#include "gui/workbench/UGlobal.h"

namespace rs {

TFrmGlobal* FrmGlobal = nullptr;

TFrmGlobal::TFrmGlobal(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("FrmGlobal"));
    setWindowTitle(QStringLiteral("FrmGlobal"));
    resize(446, 232);
}

}  // namespace rs
