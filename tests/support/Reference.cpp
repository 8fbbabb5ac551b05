#include "Reference.h"

#include "platform/Chars.h"

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

}  // namespace rs::test
