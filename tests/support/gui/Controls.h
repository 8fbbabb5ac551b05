#pragma once

// The window suites reach a form's controls by their names, as the form files give them.

#include <QString>
#include <QWidget>

#include <gtest/gtest.h>

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

}  // namespace rs::test
