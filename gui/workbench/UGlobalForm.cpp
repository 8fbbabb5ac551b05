#include "gui/workbench/UGlobalForm.h"

static void InitRowsmithQrc() { Q_INIT_RESOURCE(rowsmith); }

namespace rs {

TFrmGlobal* FrmGlobal = nullptr;

TFrmGlobal::TFrmGlobal(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("FrmGlobal"));
    setWindowTitle(QStringLiteral("FrmGlobal"));
    resize(446, 232);
}

void InitResources() { InitRowsmithQrc(); }

}  // namespace rs
