// The value pairs, value lists and hexadecimal texts of the setting controls: a list splits
// into entries that join back into its text, decimal and hexadecimal texts read back what they
// were written from, and an entry written to the registry is recognised as that entry when it
// is read back.
#include "check.h"
#include "controls/setting_entries.h"
#include "platform/host/memory_registry.h"
#include "registry/number_text.h"
#include "registry/reg_access.h"

using namespace vireo;
using registry::NumberParse;
using registry::RegValue;
using registry::ValueType;

FUZZ_TARGET(in) {
  const auto max_entries = in.ConsumeIntegralInRange<std::size_t>(0, 12);
  const auto type = static_cast<ValueType>(in.ConsumeIntegralInRange(0, 5));
  const auto wide =
      in.ConsumeIntegralInRange<std::int64_t>(-(std::int64_t{1} << 40), std::int64_t{1} << 40);
  const std::string text = in.ConsumeRemainingBytesAsString();

  const auto entries = controls::SplitEntries(text, max_entries);
  std::string joined;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    FUZZ_CHECK(entries[i].find('|') == std::string::npos);
    joined += (i ? "|" : "") + entries[i];
  }
  FUZZ_CHECK(entries.size() <= max_entries && text.compare(0, joined.size(), joined) == 0);
  FUZZ_CHECK(max_entries == 0 || joined.size() == text.size() || entries.size() == max_entries);

  // A number written out, with blanks, a sign and zeros in front, reads as itself, or as out of
  // range beyond 32 bits; any text that reads is made of those characters only.
  std::int32_t number = 0;
  const std::string digits = std::to_string(wide < 0 ? -wide : wide);
  const NumberParse parsed = registry::ParseNumber(
      " \t" + std::string(wide < 0 ? "-" : "+") + "00" + digits + " ", &number);
  FUZZ_CHECK(parsed == (wide == static_cast<std::int32_t>(wide) ? NumberParse::kOk
                                                                : NumberParse::kOutOfRange));
  FUZZ_CHECK(parsed != NumberParse::kOk || number == wide);
  FUZZ_CHECK(registry::ParseNumber(text, &number) != NumberParse::kOk ||
             text.find_first_not_of(" \t+-0123456789") == std::string::npos);

  // Hexadecimal digits give back the bytes they were written from; any text gives a byte a pair.
  FUZZ_CHECK(registry::HexToBytes(text).size() == text.size() / 2);
  std::string hex;
  for (const char c : text) hex += registry::HexText(static_cast<std::uint8_t>(c), 2);
  const auto bytes = registry::HexToBytes(hex);
  FUZZ_CHECK(std::string(bytes.begin(), bytes.end()) == text);

  platform::MemoryRegistry memory;
  for (const std::string& entry_text : entries) {
    const RegValue entry = controls::EntryValue(entry_text, type);
    FUZZ_CHECK(entry.IsBytes() == (type == ValueType::kBinary));
    const bool numeric = entry.NumericValue().has_value();
    FUZZ_CHECK(controls::EntryMatches(entry, entry, type) ==
               (type != ValueType::kNumber || numeric));
    // What a click writes is what the next read shows as this entry. A string stops at its
    // first NUL in the registry, which no catalogue text holds.
    const std::string path = "HKCU\\Software\\Fuzz\\Value";
    const std::int32_t status = controls::WriteEntry(memory, path, entry, type);
    FUZZ_CHECK(memory.open_handles() == 0);
    if (!controls::Writable(type) || status != 0) {
      FUZZ_CHECK(controls::Writable(type)
                     ? type == ValueType::kNumber && !numeric
                     : status == 0 && !memory.Exists(platform::kCurrentUser, "Software\\Fuzz"));
      continue;
    }
    RegValue stored;
    FUZZ_CHECK(registry::RegRead(memory, path, &stored) == 0);
    FUZZ_CHECK((entry_text.find('\0') != std::string::npos && type != ValueType::kBinary) ||
               controls::EntryMatches(entry, stored, type));
  }
}
