#pragma once

// The edit boxes that show one whole row, in the main window and in the position finder,
// and the caret readouts under them.

#include <QString>

#include <cstdint>
#include <string_view>

class QLineEdit;

namespace rs {

// Characters before the caret, or before the selection when there is one (its left end).
std::int64_t CaretCharacters(const QLineEdit* edit);
// The finder's readout for an edit box: "On byte p+1.  Previous byte is #p".
QString PositionReadout(const QLineEdit* edit);
// The main window's hidden readout: "Current position is immediately after byte #p".
QString HiddenPositionReadout(const QLineEdit* edit);
// Prepares an edit box that shows a whole row: no length limit, no shaping where the
// script needs none (a very long row is laid out much faster).
void PrepareRowEdit(QLineEdit* edit);

// The most characters of a row that the edit boxes show. Laying out a line costs time in
// proportion to its length, and each change of the box lays it out again: a row of millions
// of characters would stall the window for seconds at every load.
inline constexpr std::int64_t kRowEditChars = 100000;
// A row as the edit boxes show it: whole, or its first kRowEditChars characters.
QString RowEditText(std::string_view row);

}  // namespace rs
