#include "controls/setting_entries.h"

#include "registry/reg_access.h"

namespace vireo::controls {

using registry::RegValue;

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

RegValue EntryValue(std::string_view text, std::int32_t type) {
  if (type == kTypeBinary) return RegValue::Bytes(registry::HexToBytes(text));
  return RegValue::Text(std::string(text));
}

bool EntryMatches(const RegValue& entry, const RegValue& stored, std::int32_t type) {
  if (type == kTypeNumber) {
    const auto wanted = entry.NumericValue();
    return wanted && stored.NumericValue() == wanted;
  }
  return entry.AsText() == stored.AsText();
}

void WriteEntry(platform::Registry& registry, const std::string& key, const RegValue& entry,
                std::int32_t type) {
  if (type == kTypeString || type == kTypeBinary) {
    registry::RegWrite(registry, key, entry, type);
  } else if (type == kTypeNumber) {
    std::int32_t number = 0;
    if (entry.ToNumber(&number) != registry::NumberParse::kOk) return;
    registry::RegWrite(registry, key, RegValue::Number(number), type);
  }
}

}  // namespace vireo::controls
