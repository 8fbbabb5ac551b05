// The sum's number reader against its grammar and a reference conversion, and its total
// format: read back, it gives the value again, rounded to 15 significant digits.
#include "core/workbench/NumberParse.h"
#include "fuzz/FuzzSupport.h"

#include <locale.h>
#include <cfloat>
#include <cmath>
#include <cstdlib>

using namespace rs;

namespace {

bool Digit(char c) { return c >= '0' && c <= '9'; }

std::size_t Digits(std::string_view t, std::size_t i) {
    while (i < t.size() && Digit(t[i])) ++i;
    return i;
}

// The grammar read a second way. On success `plain` is the number as strtold reads it
// ("[-]digits.digitsEexponent") and `significant` counts its digits without leading and
// trailing zeros.
bool Grammar(std::string_view t, char separator, std::string& plain, std::size_t& significant) {
    const std::size_t first = t.find_first_not_of(' '), last = t.find_last_not_of(' ');
    if (first == std::string_view::npos) return false;
    t = t.substr(first, last - first + 1);
    plain.clear();
    std::size_t i = 0;
    if (t[0] == '+' || t[0] == '-') plain = t[i++] == '-' ? "-" : "";
    const std::size_t whole = Digits(t, i);
    std::string digits(t.substr(i, whole - i));
    i = whole;
    const bool hasSeparator = i < t.size() && t[i] == separator;
    const std::size_t frac = hasSeparator ? Digits(t, i + 1) : i;
    if (digits.empty() && !hasSeparator) return false;
    std::string fraction = hasSeparator ? std::string(t.substr(i + 1, frac - i - 1)) : "";
    i = frac;
    std::string exponent = "0";
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        std::size_t e = i + 1 + (i + 1 < t.size() && (t[i + 1] == '+' || t[i + 1] == '-'));
        if (Digits(t, e) == e) return false;
        exponent = std::string(t.substr(i + 1, Digits(t, e) - i - 1));
        i = Digits(t, e);
    }
    if (i != t.size()) return false;
    const std::string all = digits + fraction;
    const std::size_t lead = all.find_first_not_of('0');
    significant = lead == std::string::npos ? 0 : all.find_last_not_of('0') - lead + 1;
    plain += (digits.empty() ? "0" : digits) + "." + fraction + "e" + exponent;
    return true;
}

long double StrToLongDouble(const std::string& s) {
    static const locale_t c = newlocale(LC_NUMERIC_MASK, "C", static_cast<locale_t>(nullptr));
    return strtold_l(s.c_str(), nullptr, c);
}

bool Same(long double a, long double b) { return a == b && std::signbit(a) == std::signbit(b); }

// A total as the sum message shows it, read back.
long double FormatsAndReadsBack(long double v, char separator) {
    const std::string text = FormatTotal(v, separator);
    long double back = 0;
    FUZZ_CHECK(ParseNumber(text, separator, back));
    FUZZ_CHECK(FormatTotal(back, separator) == text);
    // Half a unit of the 15th digit, and the rounding of reading it back.
    FUZZ_CHECK(std::fabs(back - v) <= std::fabs(v) * 5.001e-15L + LDBL_TRUE_MIN);
    const bool scientific = text.find('E') != std::string::npos;
    FUZZ_CHECK(back == 0 || scientific == (std::fabs(back) < 1e-4L || std::fabs(back) >= 1e15L));
    const std::string mantissa = text.substr(0, text.find('E'));
    if (mantissa.find(separator) != std::string::npos)
        FUZZ_CHECK(mantissa.back() != '0' && mantissa.back() != separator);
    std::string plain;
    std::size_t significant = 0;
    FUZZ_CHECK(Grammar(text, separator, plain, significant) && significant <= 15);
    return back;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const char separator = in.ConsumeBool() ? ',' : '.';
    const auto mantissa = in.ConsumeIntegral<std::uint64_t>();
    const auto exponent = in.ConsumeIntegralInRange<int>(LDBL_MIN_EXP - 70, LDBL_MAX_EXP - 64);
    const std::string text = in.ConsumeRemainingBytesAsString();

    long double value = 0;
    const bool accepted = ParseNumber(text, separator, value);
    std::string plain;
    std::size_t significant = 0;
    if (!Grammar(text, separator, plain, significant)) {
        FUZZ_CHECK(!accepted);
    } else {
        const long double expected = StrToLongDouble(plain);
        FUZZ_CHECK(accepted == !std::isinf(expected));
        if (accepted) FUZZ_CHECK(Same(value, expected));
    }
    if (accepted) {
        const long double back = FormatsAndReadsBack(value, separator);
        // A text of up to 15 significant digits is what the format writes back.
        if (significant <= 15 && std::fabs(value) >= LDBL_MIN) FUZZ_CHECK(back == value);
    }
    FormatsAndReadsBack(std::ldexp(static_cast<long double>(mantissa), exponent), separator);
    return 0;
}
