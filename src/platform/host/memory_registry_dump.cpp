// The registry stand-in's whole contents as text and as a number, for comparing two registries.
#include <algorithm>

#include "platform/host/memory_registry.h"
#include "registry/ansi_text.h"

namespace vireo::platform {

void MemoryRegistry::DumpKey(const Key* node, const std::string& path,
                             std::vector<std::pair<std::string, std::string>>* lines) {
  auto lower = [](const std::string& text) { return registry::LowerAnsi(text); };
  lines->push_back({lower(path) + "\\", path + "\\"});
  static const char kHex[] = "0123456789abcdef";
  for (const Value& value : node->values) {
    std::string line = path + " | " + value.name + " | " + std::to_string(value.type) + " |";
    for (std::uint8_t b : value.data) {
      line += ' ';
      line += kHex[b >> 4];
      line += kHex[b & 15];
    }
    lines->push_back({lower(line), line});
  }
  for (const auto& sub : node->subkeys) DumpKey(sub.get(), path + "\\" + sub->name, lines);
}

namespace {

std::uint64_t Mix(std::uint64_t x) {
  x += 0x9E3779B97F4A7C15ull;
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
  return x ^ (x >> 31);
}

std::uint64_t HashBytes(std::uint64_t seed, const std::uint8_t* data, std::size_t size, bool fold) {
  std::uint64_t h = seed ^ 0xCBF29CE484222325ull;
  for (std::size_t i = 0; i < size; ++i) {
    h = (h ^ (fold ? static_cast<std::uint8_t>(registry::UpperAnsi(static_cast<char>(data[i])))
                   : data[i])) *
        0x100000001B3ull;
  }
  return Mix(h ^ size);
}

std::uint64_t HashText(std::uint64_t seed, const std::string& text, bool fold) {
  return HashBytes(seed, reinterpret_cast<const std::uint8_t*>(text.data()), text.size(), fold);
}

}  // namespace

std::uint64_t MemoryRegistry::FingerprintKey(const Key* node, std::uint64_t path) {
  // The sum does not depend on the order of keys and values; each term names where it is.
  std::uint64_t sum = Mix(HashText(path, node->name, false) + 1);
  for (const Value& value : node->values) {
    const std::uint64_t name = HashText(path, value.name, true);
    sum += Mix(HashBytes(name + value.type, value.data.data(), value.data.size(), false) ^
               HashText(name, value.name, false));
  }
  for (const auto& sub : node->subkeys) {
    sum += FingerprintKey(sub.get(), HashText(path, sub->name, true));
  }
  return sum;
}

std::uint64_t MemoryRegistry::Fingerprint() const {
  return FingerprintKey(local_machine_.get(), 1) + FingerprintKey(current_user_.get(), 2) +
         FingerprintKey(users_.get(), 3) + FingerprintKey(current_config_.get(), 4) +
         FingerprintKey(dyn_data_.get(), 5);
}

std::string MemoryRegistry::Dump() const {
  std::vector<std::pair<std::string, std::string>> lines;
  DumpKey(local_machine_.get(), "HKLM", &lines);
  DumpKey(current_user_.get(), "HKCU", &lines);
  DumpKey(users_.get(), "HKU", &lines);
  DumpKey(current_config_.get(), "HKCC", &lines);
  DumpKey(dyn_data_.get(), "HKDD", &lines);
  std::sort(lines.begin(), lines.end());
  std::string text;
  for (const auto& line : lines) text += line.second + "\n";
  return text;
}

}  // namespace vireo::platform
