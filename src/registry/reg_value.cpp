#include "registry/reg_value.h"

#include <limits>

namespace vireo::registry {

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

int HexDigitValue(char c) {
  const int code = static_cast<unsigned char>(c);
  return code < 64 ? code - 48 : code - 55;
}

}  // namespace

NumberParse ParseNumber(std::string_view text, std::int32_t* number) {
  std::size_t i = 0;
  const std::size_t n = text.size();
  while (i < n && IsBlank(text[i])) ++i;
  bool negative = false;
  if (i < n && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  const std::size_t digits_start = i;
  // The magnitude stops growing once it is past every 32-bit value, so long runs of digits
  // cannot overflow it.
  constexpr std::int64_t kCap = std::int64_t{1} << 32;
  std::int64_t magnitude = 0;
  while (i < n && text[i] >= '0' && text[i] <= '9') {
    if (magnitude < kCap) magnitude = magnitude * 10 + (text[i] - '0');
    ++i;
  }
  if (i == digits_start) return NumberParse::kNotANumber;
  while (i < n && IsBlank(text[i])) ++i;
  if (i != n) return NumberParse::kNotANumber;

  const std::int64_t signed_value = negative ? -magnitude : magnitude;
  if (signed_value < std::numeric_limits<std::int32_t>::min() ||
      signed_value > std::numeric_limits<std::int32_t>::max()) {
    return NumberParse::kOutOfRange;
  }
  *number = static_cast<std::int32_t>(signed_value);
  return NumberParse::kOk;
}

std::vector<std::uint8_t> HexToBytes(std::string_view text) {
  std::vector<std::uint8_t> bytes;
  bytes.reserve(text.size() / 2);
  for (std::size_t j = 0; j + 1 < text.size(); j += 2) {
    const int value = HexDigitValue(text[j]) * 16 + HexDigitValue(text[j + 1]);
    bytes.push_back(static_cast<std::uint8_t>(value & 0xFF));
  }
  return bytes;
}

const std::string& RegValue::text() const {
  static const std::string kNone;
  const auto* text = std::get_if<std::string>(&storage_);
  return text ? *text : kNone;
}

const std::vector<std::uint8_t>& RegValue::bytes() const {
  static const std::vector<std::uint8_t> kNone;
  const auto* bytes = std::get_if<std::vector<std::uint8_t>>(&storage_);
  return bytes ? *bytes : kNone;
}

std::int32_t RegValue::number() const {
  const auto* number = std::get_if<std::int32_t>(&storage_);
  return number ? *number : 0;
}

std::string RegValue::AsText() const {
  switch (kind()) {
    case Kind::kEmpty:
      return std::string();
    case Kind::kText:
      return text();
    case Kind::kBytes:
      return std::string(bytes().begin(), bytes().end());
    case Kind::kNumber:
      return std::to_string(number());
  }
  return std::string();
}

NumberParse RegValue::ToNumber(std::int32_t* result) const {
  switch (kind()) {
    case Kind::kEmpty:
      *result = 0;
      return NumberParse::kOk;
    case Kind::kNumber:
      *result = number();
      return NumberParse::kOk;
    case Kind::kText:
      return ParseNumber(text(), result);
    case Kind::kBytes:
      return ParseNumber(AsText(), result);
  }
  return NumberParse::kNotANumber;
}

std::optional<std::int32_t> RegValue::NumericValue() const {
  std::int32_t result = 0;
  if (ToNumber(&result) != NumberParse::kOk) return std::nullopt;
  return result;
}

}  // namespace vireo::registry
