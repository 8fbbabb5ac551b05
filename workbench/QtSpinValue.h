#pragma once

// Reading the forms' spin edits the way the users have always had them read.

#include <QSpinBox>

#include <algorithm>

namespace rs {

// The whole number written in the spin edit, or its minimum when the text is not one,
// brought into its bounds. Reads the text itself, so a value still being typed counts.
inline int SpinValue(const QSpinBox* spin) {
    bool ok = false;
    int v = spin->cleanText().trimmed().toInt(&ok);
    if (!ok) return spin->minimum();
    return std::clamp(v, spin->minimum(), spin->maximum());
}

}  // namespace rs
