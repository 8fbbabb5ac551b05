#pragma once

#include <QPlainTextEdit>

class QMimeData;

namespace rs {

// The program's multi-line text boxes. Every paste (button, Ctrl+V, the context menu, a drop)
// inserts the clipboard's plain text and nothing else: Qt's own insertion crashes on X11 when
// the clipboard holds no data formats at all.
class TextMemo : public QPlainTextEdit {
    Q_OBJECT
public:
    using QPlainTextEdit::QPlainTextEdit;

    // Inserts the clipboard's text at the cursor; nothing when it holds no text.
    void pasteText();

protected:
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;
};

}  // namespace rs
