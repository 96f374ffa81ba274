#include "registry/value_tip.h"

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <vector>

#include "registry/number_text.h"
#include "registry/reg_access.h"

namespace vireo::registry {
namespace {

// A tooltip is a glance, not an editor: longer texts and byte strings are cut.
constexpr std::size_t kMaxText = 200;
constexpr std::size_t kMaxBytes = 32;
constexpr std::uint32_t kFirstQuerySize = 512;

// Control characters would break the tooltip's lines; each shows as a blank.
std::string Shown(std::string_view text) {
  std::string out;
  for (char c : text.substr(0, kMaxText)) {
    out += static_cast<unsigned char>(c) < 0x20 ? ' ' : c;
  }
  if (text.size() > kMaxText) out += "...";
  return out;
}

std::string Quoted(std::string_view text) {
  return "\"" + Shown(text) + "\"";
}

std::string Hex(const std::string& data) {
  std::string out;
  for (std::size_t i = 0; i < data.size() && i < kMaxBytes; ++i) {
    if (i != 0) out += ' ';
    out += HexText(static_cast<unsigned char>(data[i]), 2);
  }
  if (data.size() > kMaxBytes) out += " ...";
  return out;
}

std::string TypeName(std::uint32_t type) {
  switch (type) {
    case platform::kRegNone:
      return "REG_NONE";
    case platform::kRegSz:
      return "REG_SZ";
    case platform::kRegExpandSz:
      return "REG_EXPAND_SZ";
    case platform::kRegBinary:
      return "REG_BINARY";
    case platform::kRegDword:
      return "REG_DWORD";
    case platform::kRegMultiSz:
      return "REG_MULTI_SZ";
    default:
      return "тип " + std::to_string(type);
  }
}

// The text up to its first NUL, as the system hands a string to its readers.
std::string_view UpToNul(const std::string& data) {
  return std::string_view(data).substr(0, data.find('\0'));
}

}  // namespace

std::string DescribeData(std::uint32_t type, const std::string& data) {
  std::string shown;
  switch (type) {
    case platform::kRegSz:
    case platform::kRegExpandSz:
      shown = Quoted(UpToNul(data));
      break;
    case platform::kRegMultiSz: {
      std::string_view rest = data;
      while (!rest.empty() && rest.front() != '\0') {
        const std::size_t nul = rest.find('\0');
        if (!shown.empty()) shown += ", ";
        shown += Quoted(rest.substr(0, nul));
        rest = nul == std::string_view::npos ? std::string_view() : rest.substr(nul + 1);
      }
      break;
    }
    case platform::kRegDword:
      if (data.size() == 4) {
        std::uint32_t bits = 0;
        for (int i = 0; i < 4; ++i) {
          bits |= std::uint32_t{static_cast<unsigned char>(data[static_cast<std::size_t>(i)])}
                  << (8 * i);
        }
        shown = std::to_string(bits) + " (0x" + HexText(bits, 8) + ")";
        break;
      }
      shown = Hex(data);
      break;
    default:
      shown = Hex(data);
      break;
  }
  return TypeName(type) + ": " + shown;
}

std::string DescribeValue(platform::Registry& registry, const std::string& path) {
  std::string stored = kNoValue;
  ValuePath where;
  platform::HKey key = 0;
  if (SplitPath(path, &where) && registry.OpenKey(where.root, where.key, platform::kKeyQueryValue,
                                                  &key) == platform::kSuccess) {
    // One query with a buffer that fits what the program stores; only a longer value needs a
    // second one of its exact size.
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data(kFirstQuerySize);
    auto size = static_cast<std::uint32_t>(data.size());
    std::int32_t status = registry.QueryValue(key, where.name, &type, data.data(), &size);
    if (status == platform::kMoreData) {
      data.assign(size, 0);
      status = registry.QueryValue(key, where.name, &type, data.data(), &size);
    }
    if (status == platform::kSuccess) {
      data.resize(std::min<std::size_t>(size, data.size()));
      stored = DescribeData(type, std::string(data.begin(), data.end()));
    }
    registry.CloseKey(key);
  }
  return path + "\n" + stored;
}

std::string DescribeValues(platform::Registry& registry, const std::vector<std::string>& paths) {
  std::string tip;
  for (const std::string& path : paths) {
    if (!tip.empty()) tip += "\n";
    tip += DescribeValue(registry, path);
  }
  return tip;
}

std::string DescribeKey(platform::Registry& registry, const std::string& path) {
  ValuePath where;
  platform::HKey key = 0;
  const bool exists =
      SplitPath(path, &where) &&
      registry.OpenKey(where.root, where.key, platform::kKeyQueryValue, &key) == platform::kSuccess;
  if (exists) registry.CloseKey(key);
  const std::string key_path = path.substr(0, path.rfind('\\') + 1);
  return key_path + "\n" + (exists ? "раздел есть" : "раздела нет");
}

std::string DescribeKeyValues(platform::Registry& registry, const std::string& path) {
  // A key's values are a handful; a tooltip lists the first of a longer list.
  constexpr std::uint32_t kMaxValues = 12;
  ValuePath where;
  platform::HKey key = 0;
  if (!SplitPath(path, &where) || registry.OpenKey(where.root, where.key, platform::kKeyQueryValue,
                                                   &key) != platform::kSuccess) {
    return path + "\nраздела нет";
  }
  std::string tip = path;
  std::string name;
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;
  std::uint32_t index = 0;
  for (; index < kMaxValues &&
         registry.EnumValue(key, index, &name, &type, &data) == platform::kSuccess;
       ++index) {
    tip += "\n" + (name.empty() ? std::string("(по умолчанию)") : Shown(name)) + " = " +
           DescribeData(type, std::string(data.begin(), data.end()));
  }
  if (index == kMaxValues) tip += "\n...";
  registry.CloseKey(key);
  return tip;
}

std::string DescribeProfileLine(platform::Profile& profile, const std::string& file_name,
                                const std::string& file, const std::string& section,
                                const std::string& key) {
  // No line of a profile file holds this text, so getting it back means the line is missing.
  static const std::string kMissing = "\x01\x02(missing)";
  const std::string text = profile.GetString(section, key, kMissing, file);
  return file_name + " [" + section + "] " + key + "\n" +
         (text == kMissing ? std::string(kNoValue) : Quoted(text));
}

}  // namespace vireo::registry
