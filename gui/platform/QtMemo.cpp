#include "gui/platform/QtMemo.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace rs {

void TextMemo::pasteText() {
    if (QClipboard* clipboard = QGuiApplication::clipboard()) insertFromMimeData(clipboard->mimeData());
}

bool TextMemo::canInsertFromMimeData(const QMimeData* source) const { return source && source->hasText(); }

void TextMemo::insertFromMimeData(const QMimeData* source) {
    if (!source || !source->hasText()) return;
    const QString text = source->text();
    if (!text.isEmpty()) insertPlainText(text);
}

}  // namespace rs
