#include "registry/file_class.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "registry/reg_access.h"

namespace vireo::registry {
namespace {

using platform::HKey;

// The first fetch's buffer: class names and descriptions are far shorter.
constexpr std::uint32_t kFirstFetchSize = 512;

// The default value of `key` (below HKLM) as the description lookup takes it: the stored data of
// any type up to its first NUL; nothing when the key does not open or the value cannot be
// fetched. One query fetches the data; only longer data needs a second one of its exact size.
std::optional<std::string> FetchDefault(platform::Registry& registry, const std::string& key) {
  HKey handle = 0;
  if (registry.OpenKey(platform::kLocalMachine, key, platform::kKeyQueryValue, &handle) !=
      platform::kSuccess) {
    return std::nullopt;
  }
  std::vector<std::uint8_t> data(kFirstFetchSize);
  std::uint32_t type = 0;
  std::uint32_t size = kFirstFetchSize;
  std::int32_t status = registry.QueryValue(handle, "", &type, data.data(), &size);
  if (status == platform::kMoreData) {
    data.resize(size);
    status = registry.QueryValue(handle, "", &type, data.data(), &size);
  }
  registry.CloseKey(handle);
  if (status != platform::kSuccess) return std::nullopt;
  data.resize(std::min<std::size_t>(size, data.size()));
  std::string text(data.begin(), data.end());
  return text.substr(0, text.find('\0'));
}

}  // namespace

std::string DescribeClass(platform::Registry& registry, const std::string& name) {
  if (name.empty()) return kUnknownDescription;
  const std::optional<std::string> description = FetchDefault(registry, kClassesKey + name);
  return description && !description->empty() ? *description : kUnknownDescription;
}

ClassNameRead ReadClassName(platform::Registry& registry, const std::string& extension) {
  ClassNameRead read;
  read.status =
      RegRead(registry, "HKLM\\" + std::string(kClassesKey) + extension + "\\", &read.value);
  return read;
}

std::string ClassDescription(platform::Registry& registry, const std::string& extension) {
  const std::optional<std::string> name = FetchDefault(registry, kClassesKey + extension);
  return name ? DescribeClass(registry, *name) : std::string();
}

std::string ClassDescription(platform::Registry& registry, const std::string& extension,
                             const ClassNameRead& read) {
  // RegRead reads a string value up to its first NUL, as the lookup does; a key or value that
  // is missing for RegRead is missing for the lookup too. Other types are fetched again.
  if (read.status == platform::kSuccess && read.value.IsText()) {
    return DescribeClass(registry, read.value.text());
  }
  if (read.status == platform::kFileNotFound) return std::string();
  return ClassDescription(registry, extension);
}

std::string ShellNewKey(platform::Registry& registry, const std::string& extension_key) {
  RegValue value;
  const std::string name =
      RegRead(registry, "HKLM\\" + extension_key + "\\", &value) == 0 ? value.AsText() : "";
  // The class-named subkey before the extension key itself, at each place the active key before
  // the switched-off one. With no class name the first two are the last two: the registry skips
  // the empty name, and the path given back names the key without it.
  const std::string in_class = name.empty() ? extension_key : extension_key + "\\" + name;
  const std::string candidates[] = {
      in_class + "\\ShellNew",
      in_class + "\\ShellNew-",
      extension_key + "\\ShellNew",
      extension_key + "\\ShellNew-",
  };
  for (const std::string& key : candidates) {
    HKey handle = 0;
    if (registry.OpenKey(platform::kLocalMachine, key, platform::kKeyQueryValue, &handle) ==
        platform::kSuccess) {
      registry.CloseKey(handle);
      return "HKLM\\" + key + "\\";
    }
  }
  return std::string();
}

}  // namespace vireo::registry
