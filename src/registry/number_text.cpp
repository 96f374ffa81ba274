#include "registry/number_text.h"

#include <cmath>

namespace vireo::registry {

std::string HexText(std::uint64_t value, int width, bool upper) {
  const char* digits = upper ? "0123456789ABCDEF" : "0123456789abcdef";
  std::string text;
  do {
    text.insert(text.begin(), digits[value & 0x0F]);
    value >>= 4;
  } while (value != 0);
  if (static_cast<int>(text.size()) < width) text.insert(0, width - text.size(), '0');
  return text;
}

std::string TwoDecimals(double value, const std::string& separator) {
  const auto hundredths = static_cast<std::uint64_t>(std::floor(value * 100.0 + 0.5));
  std::string cents = std::to_string(hundredths % 100);
  if (cents.size() < 2) cents.insert(0, 1, '0');
  return std::to_string(hundredths / 100) + separator + cents;
}

}  // namespace vireo::registry
