#include "gui/platform/QtSpinEdit.h"

#include <QLineEdit>

#include <algorithm>

namespace rs {

SpinEdit::SpinEdit(QWidget* parent) : QSpinBox(parent) {
    setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
}

QValidator::State SpinEdit::validate(QString& input, int& pos) const {
    const QValidator::State state = QSpinBox::validate(input, pos);
    if (state != QValidator::Invalid) return state;
    // A whole number out of bounds is still being typed: the focus-out correction bounds it.
    bool ok = false;
    input.trimmed().toLongLong(&ok);
    return ok ? QValidator::Intermediate : state;
}

void SpinEdit::fixup(QString& input) const {
    bool ok = false;
    const long long v = input.trimmed().toLongLong(&ok);
    if (ok)
        input = QString::number(std::clamp<long long>(v, minimum(), maximum()));
    else
        QSpinBox::fixup(input);
}

int SpinValue(const QSpinBox* spin) {
    bool ok = false;
    const long long v = spin->cleanText().trimmed().toLongLong(&ok);
    if (!ok) return spin->minimum();
    return static_cast<int>(std::clamp<long long>(v, spin->minimum(), spin->maximum()));
}

}  // namespace rs
