#include "gui/workbench/RowEdit.h"

#include "core/workbench/PositionReadout.h"
#include "gui/platform/QtText.h"

#include <QLineEdit>

#include <climits>

namespace rs {

std::int64_t CaretCharacters(const QLineEdit* edit) {
    int pos = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
    return CountCharacters(QStringView(edit->text()).left(pos));
}

QString PositionReadout(const QLineEdit* edit) { return ToQString(FinderReadoutText(CaretCharacters(edit))); }

QString HiddenPositionReadout(const QLineEdit* edit) {
    return ToQString(HiddenReadoutText(CaretCharacters(edit)));
}

void PrepareRowEdit(QLineEdit* edit) {
    edit->setMaxLength(INT_MAX);
    QFont font = edit->font();
    font.setStyleStrategy(QFont::PreferNoShaping);
    edit->setFont(font);
}

QString RowEditText(std::string_view row) { return RowToQString(row, kRowEditChars); }

}  // namespace rs
