#pragma once

#include <QString>

#include <cstdint>
#include <string>
#include <string_view>

class QPlainTextEdit;

namespace rs {

// The program's texts are UTF-8 bytes; Qt's are UTF-16.
QString ToQString(std::string_view utf8);
std::string ToUtf8(const QString& text);

// A row as the widgets show it. Every well-formed UTF-8 character becomes one character of
// the string and every other byte one U+FFFD, so characters counted in the widget are the
// characters the row positions count.
QString RowToQString(std::string_view row);
// The same, cut after maxChars characters.
QString RowToQString(std::string_view row, std::int64_t maxChars);

// Characters (code points) in text: a character outside the BMP is one, not two.
std::int64_t CountCharacters(QStringView text);

// A memo's text with every line break as LF. Unlike toPlainText() it keeps no-break
// spaces, so what the user typed or pasted reaches the files unchanged.
QString RawMemoText(const QPlainTextEdit* memo);
// The same as UTF-8 bytes.
std::string MemoText(const QPlainTextEdit* memo);

}  // namespace rs
