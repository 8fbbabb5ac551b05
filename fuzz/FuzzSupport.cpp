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

std::string SettingText(FuzzedDataProvider& in, std::size_t maxBytes, bool lines) {
    const std::string raw = in.ConsumeRandomLengthString(maxBytes);
    std::string text;
    std::size_t at = 0;
    for (int len : PlainChars(raw)) {
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
