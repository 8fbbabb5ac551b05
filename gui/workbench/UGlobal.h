#pragma once

#include <QWidget>

namespace rs {

// The never-shown holder form of the shared rows; the rows themselves live in ListInput.
class TFrmGlobal : public QWidget {
    Q_OBJECT
public:
    explicit TFrmGlobal(QWidget* parent = nullptr);
};

extern TFrmGlobal* FrmGlobal;

}  // namespace rs
