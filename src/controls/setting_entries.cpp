#include "controls/setting_entries.h"

#include "registry/reg_access.h"

namespace vireo::controls {

using registry::RegValue;
using registry::ValueType;

std::vector<std::string> SplitEntries(std::string_view text, std::size_t max_entries) {
  std::vector<std::string> entries;
  if (max_entries == 0) return entries;
  entries.emplace_back();
  for (char c : text) {
    if (c != '|') {
      entries.back() += c;
    } else if (entries.size() == max_entries) {
      break;
    } else {
      entries.emplace_back();
    }
  }
  return entries;
}

RegValue EntryValue(std::string_view text, ValueType type) {
  if (type == ValueType::kBinary) return RegValue::Bytes(registry::HexToBytes(text));
  return RegValue::Text(std::string(text));
}

bool EntryMatches(const RegValue& entry, const RegValue& stored, ValueType type) {
  if (type == ValueType::kNumber) {
    const auto wanted = entry.NumericValue();
    return wanted && stored.NumericValue() == wanted;
  }
  return entry.AsText() == stored.AsText();
}

bool Writable(ValueType type) {
  return type == ValueType::kString || type == ValueType::kBinary || type == ValueType::kNumber;
}

std::int32_t WriteEntry(platform::Registry& registry, const std::string& key, const RegValue& entry,
                        ValueType type) {
  if (type == ValueType::kString || type == ValueType::kBinary) {
    return registry::RegWrite(registry, key, entry, type);
  }
  if (type == ValueType::kNumber) {
    std::int32_t number = 0;
    if (entry.ToNumber(&number) != registry::NumberParse::kOk) return registry::kNotANumber;
    return registry::RegWrite(registry, key, RegValue::Number(number), type);
  }
  return 0;
}

}  // namespace vireo::controls
