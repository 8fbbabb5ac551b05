#include "fuzz/FuzzSupport.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace rs::fuzz {

void Fail(const char* what, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, what);
    std::abort();
}

std::string ScratchFile(const std::string& name) {
    static const test::TempDir dir;
    return dir.file(name);
}

std::string SettingText(FuzzedDataProvider& in, std::size_t maxBytes, bool lines) {
    const std::string raw = in.ConsumeRandomLengthString(maxBytes);
    std::string text;
    std::size_t at = 0;
    for (int len : test::PlainChars(raw)) {
        const bool lineBreak = raw[at] == '\r' || (raw[at] == '\n' && !lines);
        const bool stray = len == 1 && static_cast<unsigned char>(raw[at]) >= 0x80;
        if (!lineBreak && !stray) text.append(raw, at, static_cast<std::size_t>(len));
        at += static_cast<std::size_t>(len);
    }
    return text;
}

std::int32_t Position(FuzzedDataProvider& in) {
    return in.ConsumeProbability<float>() < 0.95f ? in.ConsumeIntegralInRange<std::int32_t>(1, 40)
                                                  : in.ConsumeIntegralInRange<std::int32_t>(1, 25000);
}

std::vector<std::string> WrittenLines(const std::string& path) {
    std::vector<std::string> lines;
    FUZZ_CHECK(test::SplitCrlfLines(test::ReadBytes(path), lines));
    return lines;
}

RowList ToRowList(const std::vector<std::string>& rows) {
    RowList list;
    for (const std::string& r : rows) list.append(r);
    return list;
}

std::vector<std::string> Sorted(std::vector<std::string> rows) {
    std::sort(rows.begin(), rows.end());
    return rows;
}

}  // namespace rs::fuzz
