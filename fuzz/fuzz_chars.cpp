// Character positions and slices against a plain UTF-8 decoder: every result agrees with it,
// lies on character boundaries and stays inside the row.
#include "core/platform/Chars.h"
#include "fuzz/FuzzSupport.h"

#include <algorithm>
#include <optional>

using namespace rs;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const auto first = in.ConsumeIntegralInRange<std::int64_t>(-2, 60);
    const auto last = in.ConsumeIntegralInRange<std::int64_t>(-2, 60);
    const std::string row = in.ConsumeRemainingBytesAsString();
    const std::string_view s = row;

    // at[k]: where character k starts; at[n] is the end of the row.
    const std::vector<int> lengths = test::PlainChars(row);
    std::vector<std::size_t> at{0};
    for (int len : lengths) at.push_back(at.back() + static_cast<std::size_t>(len));
    const auto n = static_cast<std::int64_t>(lengths.size());
    auto offset = [&](std::int64_t k) {
        return at[static_cast<std::size_t>(std::clamp<std::int64_t>(k, 0, n))];
    };
    auto slice = [&](std::int64_t from, std::int64_t to) {
        return s.substr(offset(from), offset(to) - offset(from));
    };

    FUZZ_CHECK(chars::Length(s) == n);
    FUZZ_CHECK(chars::IsAscii(s) ==
               std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }));
    const auto* p = reinterpret_cast<const unsigned char*>(s.data());
    for (std::int64_t k = 0; k < n; ++k) {
        const std::size_t b = offset(k);
        FUZZ_CHECK(chars::CharBytes(p + b, p + s.size()) == lengths[static_cast<std::size_t>(k)]);
    }
    for (std::int64_t k = -1; k <= n + 1; ++k)
        FUZZ_CHECK(chars::OffsetAfter(s, k) == (k > n ? chars::npos : offset(k)));

    // Characters first..last, whole or not at all, and as much of them as the row has.
    const std::optional<chars::ByteSpan> whole = chars::CharSpan(s, first, last);
    const bool fits = first >= 1 && first <= last && last <= n;
    FUZZ_CHECK(whole.has_value() == fits);
    if (fits) FUZZ_CHECK(whole->of(s) == slice(first - 1, last));
    const chars::ByteSpan part = chars::ClippedSpan(s, first, last);
    FUZZ_CHECK(part.begin <= part.end && part.end <= s.size());
    FUZZ_CHECK(part.of(s) == test::CharSlice(row, first, last));
    return 0;
}
