// The registry value as the program sees it: empty, text, a byte string or a signed 32-bit
// number. `RegRead` hands one back, `RegWrite` takes one, and the setting controls compare
// them with the entries of their value pairs and lists.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace vireo::registry {

// The value types the program writes, numbered as the registry numbers them. A setting's type
// comes from the catalogue as a number and may hold any other number too: such a setting never
// writes.
enum class ValueType : std::int32_t {
  kString = 1,  // REG_SZ
  kBinary = 3,  // REG_BINARY
  kNumber = 4,  // REG_DWORD, a 32-bit number
};

// What reading decimal text gave.
enum class NumberParse {
  kOk,
  kNotANumber,  // the text is not decimal text at all
  kOutOfRange,  // decimal text, but outside the signed 32-bit range
};

// Reads decimal text as a signed 32-bit number. Accepted: optional blanks (space or tab), an
// optional "+" or "-", one or more digits "0" to "9", optional blanks; nothing else. So "16",
// " -3", "+7 " and "007" are numbers; "", "-", "1.5", "1e3", "&H10", "0x10" and "1 2" are not.
// On kOk `*number` holds the number; otherwise it is left alone.
NumberParse ParseNumber(std::string_view text, std::int32_t* number);

// The hexadecimal text of a binary setting entry as bytes: one byte for each pair of
// characters, high digit first; an odd last character is ignored. A character's digit value is
// its code minus 48 below code 64 ("0" to "9") and its code minus 55 from 64 on ("A" to "F").
// Other characters give digit values outside 0 to 15; the byte then keeps the low eight bits
// of high * 16 + low, so every input gives a defined result.
std::vector<std::uint8_t> HexToBytes(std::string_view text);

class RegValue {
 public:
  enum class Kind { kEmpty, kText, kBytes, kNumber };

  RegValue() = default;
  static RegValue Text(std::string text) { return RegValue(Storage(std::move(text))); }
  static RegValue Bytes(std::vector<std::uint8_t> bytes) {
    return RegValue(Storage(std::move(bytes)));
  }
  static RegValue Number(std::int32_t number) { return RegValue(Storage(number)); }

  Kind kind() const { return static_cast<Kind>(storage_.index()); }
  bool IsEmpty() const { return kind() == Kind::kEmpty; }
  bool IsText() const { return kind() == Kind::kText; }
  bool IsBytes() const { return kind() == Kind::kBytes; }
  bool IsNumber() const { return kind() == Kind::kNumber; }

  // The content of the kind asked for; an empty text, no bytes or 0 for any other kind.
  const std::string& text() const;
  const std::vector<std::uint8_t>& bytes() const;
  std::int32_t number() const;

  // The value as text: "" when empty, the decimal text of a number, each byte as one character.
  std::string AsText() const;

  // The value as a number for writing it as REG_DWORD: empty gives 0, a number itself, text
  // (and bytes, read as characters) through ParseNumber.
  NumberParse ToNumber(std::int32_t* number) const;

  // The value in a numeric comparison: 0 when empty, the number, or the number that text or
  // bytes read as; nothing when they do not read as a number, so they match no number.
  std::optional<std::int32_t> NumericValue() const;

  bool operator==(const RegValue&) const = default;

 private:
  // The order of the alternatives is the order of Kind.
  using Storage =
      std::variant<std::monostate, std::string, std::vector<std::uint8_t>, std::int32_t>;
  explicit RegValue(Storage storage) : storage_(std::move(storage)) {}

  Storage storage_;
};

}  // namespace vireo::registry
