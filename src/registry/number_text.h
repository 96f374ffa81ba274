// Numbers as text without the C library's printf, whose implementation in the cross compiler's
// runtime is built for a newer processor than the program supports.
#pragma once

#include <cstdint>
#include <string>

namespace vireo::registry {

// `value` in hexadecimal digits, upper or lower case, padded with zeros to at least `width`.
std::string HexText(std::uint64_t value, int width = 1, bool upper = true);

// `value` rounded to two decimals, with `separator` between the whole and the hundredths
// ("12.35"); `value` is at least 0.
std::string TwoDecimals(double value, const std::string& separator = ".");

}  // namespace vireo::registry
