#pragma once

// The window suites reach a form's controls by their names, as the form files give them, and
// work them as a user would.

#include <QAbstractButton>
#include <QLineEdit>
#include <QSpinBox>
#include <QString>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>

namespace rs::test {

// The control called name on form (not on a dialog the form has opened), as a W. A control
// that is missing, or is not a W, fails the test there.
template <class W = QWidget>
W* Control(const QWidget& form, const char* name) {
    W* found = nullptr;
    int count = 0;
    for (W* w : form.findChildren<W*>(QString::fromLatin1(name)))
        if (w->window() == form.window()) {
            found = w;
            ++count;
        }
    if (count != 1) {
        ADD_FAILURE() << count << " controls named " << name << " of the type asked for on "
                      << form.objectName().toStdString();
        throw std::logic_error(std::string("no single control ") + name);
    }
    return found;
}

inline void Click(QAbstractButton* b) { QTest::mouseClick(b, Qt::LeftButton); }

// Replaces the text of an edit box. Key clicks take ASCII only; other text is inserted as a
// paste would.
inline void Type(QLineEdit* e, const QString& text) {
    e->clear();
    bool ascii = std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 128; });
    if (ascii)
        QTest::keyClicks(e, text);
    else
        e->insert(text);
}

// Puts text into a spin box's edit, a number or not, as a user can.
inline void SetSpinText(QSpinBox* spin, const QString& text) { spin->findChild<QLineEdit*>()->setText(text); }

}  // namespace rs::test
