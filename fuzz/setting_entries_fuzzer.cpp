// The value pairs, value lists and hexadecimal texts of the setting controls: a list splits
// into entries that join back into its text, decimal and hexadecimal texts read as a plain
// reference reads them, and an entry written to the registry is recognised as that entry when
// it is read back.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

#include "check.h"
#include "controls/setting_entries.h"
#include "platform/host/memory_registry.h"
#include "registry/reg_access.h"

using namespace vireo;
using registry::NumberParse;
using registry::RegValue;
using registry::ValueType;

namespace {

bool Blank(char c) {
  return c == ' ' || c == '\t';
}

// Decimal text read the slow way: blanks, a sign, digits, blanks.
NumberParse Reference(const std::string& text, std::int64_t* out) {
  std::size_t i = 0;
  while (i < text.size() && Blank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  const std::size_t digits = i;
  std::int64_t n = 0;
  bool big = false;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    n = n * 10 + (text[i] - '0');
    if (n > (std::int64_t{1} << 40)) {
      big = true;
      n = std::int64_t{1} << 40;
    }
  }
  if (i == digits) return NumberParse::kNotANumber;
  while (i < text.size() && Blank(text[i])) ++i;
  if (i != text.size()) return NumberParse::kNotANumber;
  n = negative ? -n : n;
  if (big || n < INT32_MIN || n > INT32_MAX) return NumberParse::kOutOfRange;
  *out = n;
  return NumberParse::kOk;
}

int Digit(char c) {
  const int code = static_cast<unsigned char>(c);
  return code < 64 ? code - 48 : code - 55;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  const auto max_entries = in.ConsumeIntegralInRange<std::size_t>(0, 12);
  const auto type = static_cast<ValueType>(in.ConsumeIntegralInRange(0, 5));
  const std::string text = in.ConsumeRemainingBytesAsString();

  const auto entries = controls::SplitEntries(text, max_entries);
  FUZZ_CHECK(entries.size() <= max_entries);
  if (max_entries > 0) {
    std::string joined;
    for (std::size_t i = 0; i < entries.size(); ++i) {
      FUZZ_CHECK(entries[i].find('|') == std::string::npos);
      joined += (i ? "|" : "") + entries[i];
    }
    FUZZ_CHECK(text.compare(0, joined.size(), joined) == 0);
    FUZZ_CHECK(joined.size() == text.size() || entries.size() == max_entries);
  }

  std::int32_t number = 0;
  std::int64_t expected = 0;
  const NumberParse parsed = registry::ParseNumber(text, &number);
  FUZZ_CHECK(parsed == Reference(text, &expected));
  if (parsed == NumberParse::kOk) FUZZ_CHECK(number == expected);

  const auto bytes = registry::HexToBytes(text);
  FUZZ_CHECK(bytes.size() == text.size() / 2);
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const int value = Digit(text[2 * i]) * 16 + Digit(text[2 * i + 1]);
    FUZZ_CHECK(bytes[i] == static_cast<std::uint8_t>(value & 0xFF));
  }

  platform::MemoryRegistry memory;
  for (const std::string& entry_text : entries) {
    const RegValue entry = controls::EntryValue(entry_text, type);
    FUZZ_CHECK(entry.IsBytes() == (type == ValueType::kBinary));
    if (type == ValueType::kNumber) {
      FUZZ_CHECK(controls::EntryMatches(entry, entry, type) == entry.NumericValue().has_value());
    } else {
      FUZZ_CHECK(controls::EntryMatches(entry, entry, type));
    }
    // What a click writes is what the next read shows as this entry. A string stops at its
    // first NUL in the registry, which no catalogue text holds.
    const std::string path = "HKCU\\Software\\Fuzz\\Value";
    const std::int32_t status = controls::WriteEntry(memory, path, entry, type);
    FUZZ_CHECK(memory.open_handles() == 0);
    if (!controls::Writable(type)) {
      FUZZ_CHECK(status == 0);
      FUZZ_CHECK(!memory.Exists(platform::kCurrentUser, "Software\\Fuzz"));
      continue;
    }
    if (status != 0) {
      FUZZ_CHECK(type == ValueType::kNumber && !entry.NumericValue().has_value());
      continue;
    }
    RegValue stored;
    FUZZ_CHECK(registry::RegRead(memory, path, &stored) == 0);
    if (entry_text.find('\0') == std::string::npos || type == ValueType::kBinary) {
      FUZZ_CHECK(controls::EntryMatches(entry, stored, type));
    }
  }
  return 0;
}
