#include "gui/platform/QtText.h"

#include <QPlainTextEdit>
#include <QTextDocument>

namespace rs {

QString RawMemoText(const QPlainTextEdit* memo) {
    QString text = memo->document()->toRawText();
    for (QChar& c : text)
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator) c = QLatin1Char('\n');
    return text;
}

std::string MemoText(const QPlainTextEdit* memo) {
    QByteArray b = RawMemoText(memo).toUtf8();
    return std::string(b.constData(), static_cast<std::size_t>(b.size()));
}

}  // namespace rs
