#pragma once

#include <QSpinBox>

namespace rs {

// The forms' spin edits. A number typed beyond the bounds is kept while it is typed and
// brought to the nearer bound when the box loses the focus ("30000" in a box of 1 to 25000
// becomes 25000, where a plain spin box would refuse the last key and show 3000).
class SpinEdit : public QSpinBox {
    Q_OBJECT
public:
    explicit SpinEdit(QWidget* parent = nullptr);

protected:
    QValidator::State validate(QString& input, int& pos) const override;
    void fixup(QString& input) const override;
};

// The whole number written in a spin edit, or its minimum when the text is not one, brought
// into its bounds. Reads the text itself, so a value still being typed counts.
int SpinValue(const QSpinBox* spin);

}  // namespace rs
