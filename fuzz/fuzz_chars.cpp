// Character positions and slices against a plain UTF-8 decoder: every result agrees with it,
// lies on character boundaries and stays inside the row.
#include "fuzz/FuzzSupport.h"
#include "core/platform/Chars.h"
#include "core/workbench/DialogOutcome.h"
#include "core/workbench/DupsLogic.h"

#include <algorithm>

using namespace rs;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const auto start = in.ConsumeIntegralInRange<std::int64_t>(-2, 60);
    const auto count = in.ConsumeIntegralInRange<std::int64_t>(-2, 60);
    const std::string sub = fuzz::SettingText(in, 8);
    const std::string row = in.ConsumeRemainingBytesAsString();
    const std::string_view s = row;

    // at[k]: where character k starts; at[n] is the end of the row.
    const std::vector<int> lengths = fuzz::PlainChars(row);
    std::vector<std::size_t> at{0};
    for (int len : lengths) at.push_back(at.back() + static_cast<std::size_t>(len));
    const auto n = static_cast<std::int64_t>(lengths.size());
    auto offset = [&](std::int64_t k) {
        return at[static_cast<std::size_t>(std::clamp<std::int64_t>(k, 0, n))];
    };
    auto slice = [&](std::int64_t from, std::int64_t to) {
        return s.substr(offset(from), offset(to) - offset(from));
    };
    auto inside = [&](std::string_view v) {
        return v.data() >= s.data() && v.data() + v.size() <= s.data() + s.size();
    };

    FUZZ_CHECK(chars::Length(s) == n);
    FUZZ_CHECK(chars::IsAscii(s) ==
               std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }));
    const auto* p = reinterpret_cast<const unsigned char*>(s.data());
    for (std::int64_t k = 0; k < n; ++k) {
        const std::size_t b = offset(k);
        FUZZ_CHECK(chars::CharBytes(p + b, p + s.size()) == lengths[static_cast<std::size_t>(k)]);
    }
    for (std::int64_t k = -1; k <= n + 1; ++k) {
        FUZZ_CHECK(chars::ByteOffset(s, k) == offset(k));
        FUZZ_CHECK(OffsetAfterChars(s, std::max<std::int64_t>(k, 0)) ==
                   (k > n ? std::string_view::npos : offset(k)));
    }

    const std::int64_t first = std::max<std::int64_t>(start, 1) - 1;  // 0-based
    const std::string_view copy = chars::Copy(s, start, count);
    FUZZ_CHECK(inside(copy));
    FUZZ_CHECK(copy == (count < 1 ? std::string_view() : slice(first, first + count)));

    std::string changed = row;
    chars::Delete(changed, start, count);
    const bool deletes = start >= 1 && count >= 1;
    FUZZ_CHECK(changed == (deletes ? std::string(slice(0, first)).append(slice(first + count, n)) : row));
    changed = row;
    chars::Insert(changed, sub, start);
    FUZZ_CHECK(changed == std::string(slice(0, first)).append(sub).append(slice(first, n)));

    // The first character position at or after start where sub begins; sub is whole characters.
    std::int64_t pos = 0;
    for (std::int64_t k = first; !sub.empty() && k < n && pos == 0; ++k)
        if (s.substr(offset(k)).starts_with(sub)) pos = k + 1;
    FUZZ_CHECK(chars::Pos(sub, s, start) == pos);

    // Ranges of characters a..b as the dialogs take them.
    const std::int64_t a = first + 1, b = first + std::max<std::int64_t>(count, 1);
    std::size_t begin = 0, end = 0;
    const bool fits = b <= n;
    FUZZ_CHECK(CharRange(s, a, b, begin, end) == fits);
    if (fits) FUZZ_CHECK(s.substr(begin, end - begin) == slice(a - 1, b));
    std::uint32_t keyBegin = 0, keyEnd = 0;
    FUZZ_CHECK(DupsKeySpan(s, static_cast<std::int32_t>(a), static_cast<std::int32_t>(b), keyBegin, keyEnd) ==
               fits);
    if (fits) FUZZ_CHECK(s.substr(keyBegin, keyEnd - keyBegin) == slice(a - 1, b));
    return 0;
}
