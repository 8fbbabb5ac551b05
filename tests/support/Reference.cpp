#include "tests/support/Reference.h"

#include "core/platform/Chars.h"

#include <algorithm>

namespace rs::test {

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
    const int w = spin2 - spin1 + 1;
    struct Entry {
        std::string item;
        bool keyed;
        std::string key, row;
    };
    std::vector<Entry> list;
    for (const auto& r : rows) {
        if (chars::Length(r) < spin2) {
            list.push_back({r, false, "", r});
        } else {
            std::string key(chars::Copy(r, spin1, w));
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
