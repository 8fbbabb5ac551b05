#include "core/workbench/NumberParse.h"

#include <locale.h>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace rs {

namespace {

inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Powers of ten that long double holds exactly: 5^27 still fits in its 64-bit significand.
constexpr int kExactPow10 = 27;

constexpr auto kPow10 = [] {
    struct Table {
        long double v[kExactPow10 + 1];
    } t{};
    long double p = 1.0L;
    for (int i = 0; i <= kExactPow10; ++i) {
        t.v[i] = p;
        p *= 10.0L;
    }
    return t;
}();

// strtold in the "C" locale, whatever locale the program runs under.
long double StrToLongDoubleC(const char* s) {
    static locale_t c = newlocale(LC_NUMERIC_MASK, "C", static_cast<locale_t>(nullptr));
    return strtold_l(s, nullptr, c);
}

}  // namespace

bool ParseNumber(std::string_view text, char decimalSeparator, long double& value) {
    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i < n && text[i] == ' ') ++i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const std::size_t intBegin = i;
    while (i < n && IsDigit(text[i])) ++i;
    const std::size_t intEnd = i;
    std::size_t fracBegin = i, fracEnd = i;
    bool separator = false;
    if (i < n && text[i] == decimalSeparator) {
        separator = true;
        fracBegin = ++i;
        while (i < n && IsDigit(text[i])) ++i;
        fracEnd = i;
    }
    if (intBegin == intEnd && !separator) return false;

    std::int64_t exponent = 0;
    if (i < n && (text[i] == 'E' || text[i] == 'e')) {
        ++i;
        bool expNegative = false;
        if (i < n && (text[i] == '+' || text[i] == '-')) {
            expNegative = text[i] == '-';
            ++i;
        }
        if (i >= n || !IsDigit(text[i])) return false;
        for (; i < n && IsDigit(text[i]); ++i)
            if (exponent < 1000000000) exponent = exponent * 10 + (text[i] - '0');
        if (expNegative) exponent = -exponent;
    }
    while (i < n && text[i] == ' ') ++i;
    if (i != n) return false;

    // Fast path: up to 19 significant digits and a small power of ten are exact, so one
    // multiplication or division rounds the value correctly.
    std::uint64_t mantissa = 0;
    int significant = 0;
    bool exact = true;
    auto take = [&](std::size_t b, std::size_t e) {
        for (std::size_t k = b; k < e; ++k) {
            int d = text[k] - '0';
            if (significant == 0 && d == 0) continue;
            if (++significant > 19) {
                exact = false;
                return;
            }
            mantissa = mantissa * 10 + static_cast<unsigned>(d);
        }
    };
    take(intBegin, intEnd);
    if (exact) take(fracBegin, fracEnd);

    long double v;
    std::int64_t scale = exponent - static_cast<std::int64_t>(fracEnd - fracBegin);
    if (exact && mantissa == 0) {
        v = 0.0L;
    } else if (exact && scale >= -kExactPow10 && scale <= kExactPow10) {
        v = static_cast<long double>(mantissa);
        v = scale >= 0 ? v * kPow10.v[scale] : v / kPow10.v[-scale];
    } else {
        std::string s;
        s.reserve(intEnd - intBegin + fracEnd - fracBegin + 16);
        s.append(text.substr(intBegin, intEnd - intBegin));
        if (s.empty()) s.push_back('0');
        s.push_back('.');
        s.append(text.substr(fracBegin, fracEnd - fracBegin));
        s.push_back('e');
        s.append(std::to_string(exponent));
        v = StrToLongDoubleC(s.c_str());
        if (std::isinf(v)) return false;
    }
    value = negative ? -v : v;
    return true;
}

std::string FormatTotal(long double value, char decimalSeparator) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    if (value == 0) return "0";

    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 14);
    // buf: [-]d.dddddddddddddde[+-]x...
    std::string_view s(buf, static_cast<std::size_t>(r.ptr - buf));
    bool negative = s.front() == '-';
    if (negative) s.remove_prefix(1);
    std::size_t e = s.find('e');
    std::string digits;
    for (char c : s.substr(0, e))
        if (IsDigit(c)) digits.push_back(c);
    int exponent = 0;
    std::string_view ex = s.substr(e + 1);
    if (ex.front() == '+') ex.remove_prefix(1);
    std::from_chars(ex.data(), ex.data() + ex.size(), exponent);
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

    std::string out;
    if (negative) out.push_back('-');
    if (exponent >= -4 && exponent < 15) {
        if (exponent >= 0) {
            std::size_t wholeDigits = static_cast<std::size_t>(exponent) + 1;
            if (digits.size() <= wholeDigits) {
                out += digits;
                out.append(wholeDigits - digits.size(), '0');
            } else {
                out.append(digits, 0, wholeDigits);
                out.push_back(decimalSeparator);
                out.append(digits, wholeDigits);
            }
        } else {
            out.push_back('0');
            out.push_back(decimalSeparator);
            out.append(static_cast<std::size_t>(-exponent - 1), '0');
            out += digits;
        }
    } else {
        out.push_back(digits[0]);
        if (digits.size() > 1) {
            out.push_back(decimalSeparator);
            out.append(digits, 1);
        }
        out.push_back('E');
        out += std::to_string(exponent);
    }
    return out;
}

}  // namespace rs
