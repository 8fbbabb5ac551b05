#include "gui/platform/QtText.h"

#include "core/platform/Chars.h"

#include <QPlainTextEdit>
#include <QTextDocument>

#include <algorithm>
#include <climits>

namespace rs {

QString ToQString(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string ToUtf8(const QString& text) {
    const QByteArray b = text.toUtf8();
    return std::string(b.constData(), static_cast<std::size_t>(b.size()));
}

QString RowToQString(std::string_view row, std::int64_t maxChars) {
    const auto* p = reinterpret_cast<const unsigned char*>(row.data());
    const auto* end = p + row.size();
    // Every byte gives at most one UTF-16 unit (four bytes give a surrogate pair).
    QString out(
        static_cast<qsizetype>(std::min<std::int64_t>(static_cast<std::int64_t>(row.size()),
                                                      maxChars < INT64_MAX / 2 ? maxChars * 2 : INT64_MAX)),
        Qt::Uninitialized);
    QChar* o = out.data();
    QChar* const start = o;
    QChar* const limit = start + out.size();
    std::int64_t n = 0;
    while (p < end && n < maxChars && o < limit) {
        unsigned char c = *p;
        if (c < 0x80) {
            *o++ = QChar(c);
            ++p;
        } else {
            int len = chars::CharBytes(p, end);
            char32_t cp;
            switch (len) {
                case 2:
                    cp = ((c & 0x1Fu) << 6) | (p[1] & 0x3Fu);
                    break;
                case 3:
                    cp = ((c & 0x0Fu) << 12) | ((p[1] & 0x3Fu) << 6) | (p[2] & 0x3Fu);
                    break;
                case 4:
                    cp =
                        ((c & 0x07u) << 18) | ((p[1] & 0x3Fu) << 12) | ((p[2] & 0x3Fu) << 6) | (p[3] & 0x3Fu);
                    break;
                default:
                    cp = QChar::ReplacementCharacter;
                    break;
            }
            if (QChar::requiresSurrogates(cp)) {
                if (limit - o < 2) break;
                *o++ = QChar(QChar::highSurrogate(cp));
                *o++ = QChar(QChar::lowSurrogate(cp));
            } else {
                *o++ = QChar(static_cast<char16_t>(cp));
            }
            p += len;
        }
        ++n;
    }
    out.truncate(o - start);
    return out;
}

QString RowToQString(std::string_view row) { return RowToQString(row, INT64_MAX); }

std::int64_t CountCharacters(QStringView text) {
    std::int64_t n = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) ++i;
        ++n;
    }
    return n;
}

QString RawMemoText(const QPlainTextEdit* memo) {
    QString text = memo->document()->toRawText();
    for (QChar& c : text)
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator) c = QLatin1Char('\n');
    return text;
}

std::string MemoText(const QPlainTextEdit* memo) { return ToUtf8(RawMemoText(memo)); }

}  // namespace rs
