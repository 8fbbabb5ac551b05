#include "tests/support/Reference.h"

#include "core/platform/Chars.h"

#include <algorithm>

namespace rs::test {

std::vector<int> PlainChars(std::string_view s) {
    std::vector<int> lengths;
    const auto* p = reinterpret_cast<const unsigned char*>(s.data());
    const std::size_t n = s.size();
    for (std::size_t i = 0; i < n;) {
        const unsigned char c = p[i];
        int len = c < 0x80                ? 1
                  : c >= 0xC0 && c < 0xE0 ? 2
                  : c >= 0xE0 && c < 0xF0 ? 3
                  : c >= 0xF0 && c < 0xF8 ? 4
                                          : 0;
        char32_t cp = len == 1 ? c : len == 2 ? c & 0x1F : len == 3 ? c & 0x0F : c & 0x07;
        bool ok = len > 0 && i + static_cast<std::size_t>(len) <= n;
        for (int k = 1; ok && k < len; ++k) {
            ok = (p[i + k] & 0xC0) == 0x80;
            cp = (cp << 6) | (p[i + k] & 0x3F);
        }
        static constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
        ok = ok && cp >= kLeast[len] && cp <= 0x10FFFF && (cp < 0xD800 || cp > 0xDFFF);
        lengths.push_back(ok ? len : 1);
        i += ok ? static_cast<std::size_t>(len) : 1;
    }
    return lengths;
}

std::string CharSlice(const std::string& s, std::int64_t first, std::int64_t last) {
    std::size_t b = 0, e = 0;
    std::int64_t k = 1;
    for (int len : PlainChars(s)) {
        if (k < first) b += static_cast<std::size_t>(len);
        if (k <= last) e += static_cast<std::size_t>(len);
        ++k;
    }
    return s.substr(b, e > b ? e - b : 0);
}

std::vector<std::string> ReferenceRows(std::string_view text) {
    std::vector<std::string> rows;
    std::string line;
    bool open = false;
    for (char c : text) {
        if (c == '\x1A') break;
        if (c == '\n') {
            rows.push_back(line);
            line.clear();
            open = false;
            continue;
        }
        open = true;
        if (c != '\r') line += c;
    }
    if (open) rows.push_back(line);
    return rows;
}

std::vector<std::string> ReferenceWords(const std::vector<std::string>& rows) {
    std::vector<std::string> words;
    for (const auto& r : rows) {
        std::string s(chars::Trim(r));
        while (!s.empty()) {
            std::size_t sp = s.find(' ');
            if (sp == std::string::npos) {
                words.push_back(s);
                s.clear();
            } else {
                words.push_back(s.substr(0, sp));
                s = std::string(chars::Trim(s.substr(sp)));
            }
        }
    }
    return words;
}

std::vector<std::string> ReferenceDups(const std::vector<std::string>& rows, int spin1, int spin2,
                                       DupsChoice choice) {
    struct Entry {
        std::string item;
        bool keyed;
        std::string key, row;
    };
    std::vector<Entry> list;
    for (const auto& r : rows) {
        if (static_cast<int>(PlainChars(r).size()) < spin2) {
            list.push_back({r, false, "", r});
        } else {
            std::string key = CharSlice(r, spin1, spin2);
            list.push_back({key + r, true, key, r});
        }
    }
    std::stable_sort(list.begin(), list.end(),
                     [](const Entry& a, const Entry& b) { return a.item < b.item; });
    auto same = [&](std::size_t a, std::size_t b) {
        return list[a].keyed && list[b].keyed && list[a].key == list[b].key;
    };
    std::vector<std::string> out;
    for (std::size_t i = 0; i < list.size(); ++i) {
        bool prev = i > 0 && same(i - 1, i);
        bool next = i + 1 < list.size() && same(i, i + 1);
        bool write = choice == DupsChoice::OnlyDups ? (prev || next)
                     : choice == DupsChoice::NoDups ? (!prev && !next)
                                                    : !next;
        if (write) out.push_back(list[i].row);
    }
    return out;
}

}  // namespace rs::test
