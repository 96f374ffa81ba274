// What the journal tests compare: the whole registry stand-in as text, independent of the order
// in which keys and values were made (an undone deletion puts a key back at the end of its
// parent's list; the registry has no order of its own to keep).
#pragma once

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/host/memory_registry.h"

namespace vireo::test {

inline std::string LowerAscii(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

inline void DumpKey(platform::Registry& registry, platform::HKey key, const std::string& path,
                    std::vector<std::string>* lines) {
  std::string name;
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;
  std::vector<std::string> values;
  for (std::uint32_t i = 0; registry.EnumValue(key, i, &name, &type, &data) == platform::kSuccess;
       ++i) {
    std::string line = path + " | " + name + " | " + std::to_string(type) + " |";
    for (std::uint8_t b : data) {
      char hex[4];
      std::snprintf(hex, sizeof hex, " %02x", b);
      line += hex;
    }
    values.push_back(line);
  }
  lines->push_back(path + "\\");
  lines->insert(lines->end(), values.begin(), values.end());
  std::vector<std::string> subkeys;
  for (std::uint32_t i = 0; registry.EnumKey(key, i, &name) == platform::kSuccess; ++i) {
    subkeys.push_back(name);
  }
  for (const std::string& sub_name : subkeys) {
    platform::HKey sub = 0;
    if (registry.OpenKey(key, sub_name, platform::kKeyQueryValue, &sub) != platform::kSuccess) {
      continue;
    }
    DumpKey(registry, sub, path + "\\" + sub_name, lines);
    registry.CloseKey(sub);
  }
}

// Every key (with the spelling it has) and every value with its type and bytes, sorted.
inline std::string Dump(platform::Registry& registry) {
  std::vector<std::string> lines;
  const std::pair<platform::HKey, const char*> roots[] = {{platform::kLocalMachine, "HKLM"},
                                                          {platform::kCurrentUser, "HKCU"},
                                                          {platform::kUsers, "HKU"}};
  for (const auto& [root, name] : roots) DumpKey(registry, root, name, &lines);
  std::sort(lines.begin(), lines.end(), [](const std::string& a, const std::string& b) {
    return LowerAscii(a) < LowerAscii(b);
  });
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

}  // namespace vireo::test
