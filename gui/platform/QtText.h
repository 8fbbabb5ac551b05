#pragma once

#include <QString>

#include <string>

class QPlainTextEdit;

namespace rs {

// A memo's text with every line break as LF. Unlike toPlainText() it keeps no-break
// spaces, so what the user typed or pasted reaches the files unchanged.
QString RawMemoText(const QPlainTextEdit* memo);
// The same as UTF-8 bytes.
std::string MemoText(const QPlainTextEdit* memo);

}  // namespace rs
