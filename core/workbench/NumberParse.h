#pragma once

// Numbers as the sum operation reads and writes them.

#include <string>
#include <string_view>

namespace rs {

// Reads the whole text as one number: optional spaces, an optional sign, digits with an
// optional decimal separator and fraction digits (the separator alone reads as 0), an
// optional exponent ("E" or "e", optional sign, digits), optional spaces, nothing else.
// Only the space character counts as a space; no thousands separators, no hexadecimal,
// no "inf" or "nan". A value too large for long double fails; one too small to hold
// rounds towards 0. The result is the correctly rounded long double.
bool ParseNumber(std::string_view text, char decimalSeparator, long double& value);

// General format with 15 significant digits: fixed notation from 0.0001 up to below 1E15,
// scientific ("1.5E-7", "1E15") otherwise; trailing zeros dropped; zero, negative zero
// too, written "0".
std::string FormatTotal(long double value, char decimalSeparator);

}  // namespace rs
