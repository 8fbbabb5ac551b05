#include "gui/platform/QtRowListModel.h"

#include "core/platform/Chars.h"

#include <climits>

namespace rs {

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

QtRowListModel::QtRowListModel(QObject* parent) : QAbstractListModel(parent) {}

void QtRowListModel::reset(const RowList* rows) {
    beginResetModel();
    rows_ = rows;
    // A list view counts rows in int.
    count_ = rows ? static_cast<int>(std::min<std::size_t>(rows->size(), INT_MAX)) : 0;
    endResetModel();
}

std::string_view QtRowListModel::rowBytes(const QModelIndex& index) const {
    // The rows may shrink under a load that pumps events before the model is reset.
    if (!rows_ || !index.isValid() || index.row() < 0 ||
        static_cast<std::size_t>(index.row()) >= rows_->size())
        return {};
    return (*rows_)[static_cast<std::size_t>(index.row())];
}

int QtRowListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : count_; }

QVariant QtRowListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (!rows_ || !index.isValid() || static_cast<std::size_t>(index.row()) >= rows_->size()) return {};
    ++textsMade_;
    return RowToQString(rowBytes(index), kMaxShownChars);
}

}  // namespace rs
