#include "registry/reg_access.h"

#include <algorithm>
#include <vector>

namespace vireo::registry {

namespace {

using platform::HKey;

// Closes `key` after a failed step and hands the failing status on.
// The buffer of the first query of a read: registry paths, names and the program's settings
// are far shorter.
constexpr std::uint32_t kFirstFetchSize = 512;

std::int32_t Fail(platform::Registry& registry, HKey key, std::int32_t status) {
  registry.CloseKey(key);
  return status;
}

void PutLittleEndian(std::int32_t number, std::uint8_t* out) {
  const auto bits = static_cast<std::uint32_t>(number);
  for (int i = 0; i < 4; ++i) out[i] = static_cast<std::uint8_t>(bits >> (8 * i));
}

std::int32_t GetLittleEndian(const std::uint8_t* in) {
  std::uint32_t bits = 0;
  for (int i = 0; i < 4; ++i) bits |= std::uint32_t{in[i]} << (8 * i);
  return static_cast<std::int32_t>(bits);
}

// Fetches `size` bytes of value `name`; a stored size of 0 needs no second call.
std::int32_t Fetch(platform::Registry& registry, HKey key, const std::string& name,
                   std::uint32_t size, std::vector<std::uint8_t>* data) {
  data->assign(size, 0);
  if (size == 0) return platform::kSuccess;
  std::uint32_t type = 0;
  const std::int32_t status = registry.QueryValue(key, name, &type, data->data(), &size);
  data->resize(size);
  return status;
}

}  // namespace

HKey RootKey(std::string_view abbreviation) {
  for (const platform::RootName& known : platform::kRoots) {
    if (abbreviation == known.abbreviation) return known.root;
  }
  return 0;
}

bool SplitPath(std::string_view path, ValuePath* out) {
  const std::size_t first = path.find('\\');
  const std::size_t last = path.rfind('\\');
  if (first == std::string_view::npos || last == first) return false;
  out->root = RootKey(path.substr(0, first));
  out->key = std::string(path.substr(first + 1, last - first - 1));
  out->name = std::string(path.substr(last + 1));
  return true;
}

bool SplitDeletePath(std::string_view path, DeletePath* out) {
  const std::size_t first = path.find('\\');
  if (first == std::string_view::npos) return false;
  out->root = RootKey(path.substr(0, first));
  const std::size_t last = path.size() - 1;
  out->is_key = path[last] == '\\';
  if (out->is_key) {
    if (last == first) return false;
    const std::size_t before = path.rfind('\\', last - 1);  // at least `first`
    if (before + 1 == last) return false;
    out->name = std::string(path.substr(before + 1, last - before - 1));
    out->parent = std::string(path.substr(first + 1, before - first));
  } else {
    const std::size_t before = path.rfind('\\');
    out->name = std::string(path.substr(before + 1));
    out->parent =
        before == first ? std::string() : std::string(path.substr(first + 1, before - first - 1));
  }
  return true;
}

std::int32_t RegRead(platform::Registry& registry, const std::string& path, RegValue* value) {
  ValuePath where;
  if (!SplitPath(path, &where)) return kBadPath;
  HKey key = 0;
  std::int32_t status = registry.OpenKey(where.root, where.key, platform::kKeyQueryValue, &key);
  if (status != platform::kSuccess) return status;

  // One query with a buffer that fits every setting the program reads gives the type, the size
  // and the data at once; only larger data needs a second query of its exact size. Under Wine
  // each call is a round trip to the registry server.
  std::uint32_t type = 0;
  std::uint8_t small[kFirstFetchSize];
  std::uint32_t size = sizeof small;
  status = registry.QueryValue(key, where.name, &type, small, &size);
  std::vector<std::uint8_t> data;
  if (status == platform::kSuccess) {
    data.assign(small, small + std::min<std::uint32_t>(size, sizeof small));
  } else if (status == platform::kMoreData) {
    if (type == platform::kRegSz || type == platform::kRegBinary) {
      status = Fetch(registry, key, where.name, size, &data);
      if (status != platform::kSuccess) return Fail(registry, key, status);
    }
  } else {
    return Fail(registry, key, status);
  }
  // A number stored in more than 4 bytes does not fit the 4 bytes a number is read into.
  if (type == platform::kRegDword && size > 4) return Fail(registry, key, kNumberTooLong);

  switch (type) {
    case platform::kRegSz: {
      std::string text(data.begin(), data.end());
      const std::size_t nul = text.find('\0');
      if (nul != std::string::npos) text.resize(nul);
      *value = RegValue::Text(std::move(text));
      break;
    }
    case platform::kRegBinary:
      *value = RegValue::Bytes(std::move(data));
      break;
    case platform::kRegDword: {
      std::uint8_t bytes[4] = {};
      std::copy_n(data.begin(), std::min<std::size_t>(data.size(), 4), bytes);
      *value = RegValue::Number(GetLittleEndian(bytes));
      break;
    }
    default:
      break;
  }
  // The value is read; the handle goes whatever the close reports.
  registry.CloseKey(key);
  return platform::kSuccess;
}

std::int32_t RegWrite(platform::Registry& registry, const std::string& path, const RegValue& value,
                      ValueType type) {
  ValuePath where;
  if (!SplitPath(path, &where)) return kBadPath;
  HKey key = 0;
  bool created = false;
  std::int32_t status =
      registry.CreateKey(where.root, where.key, platform::kKeyAllAccess3F, &key, &created);
  if (status != platform::kSuccess) return status;

  if (type == ValueType::kString || type == ValueType::kBinary) {
    const std::string text = value.AsText();
    status = registry.SetValue(key, where.name, static_cast<std::uint32_t>(type),
                               reinterpret_cast<const std::uint8_t*>(text.data()),
                               static_cast<std::uint32_t>(text.size()));
  } else if (type == ValueType::kNumber) {
    std::int32_t number = 0;
    switch (value.ToNumber(&number)) {
      case NumberParse::kNotANumber:
        return Fail(registry, key, kNotANumber);
      case NumberParse::kOutOfRange:
        return Fail(registry, key, kOutOfRange);
      case NumberParse::kOk:
        break;
    }
    std::uint8_t bytes[4];
    PutLittleEndian(number, bytes);
    status = registry.SetValue(key, where.name, platform::kRegDword, bytes, sizeof bytes);
  }
  if (status != platform::kSuccess) return Fail(registry, key, status);
  // The value is stored: a close that reports failure changes nothing of that.
  registry.CloseKey(key);
  return platform::kSuccess;
}

std::int32_t RegDelete(platform::Registry& registry, const std::string& path) {
  DeletePath where;
  if (!SplitDeletePath(path, &where)) return kBadPath;
  // A target directly under the root works on the root itself, which needs no opening or
  // closing.
  HKey key = where.root;
  const bool opened = !where.parent.empty();
  if (opened) {
    const std::int32_t status =
        registry.OpenKey(where.root, where.parent, platform::kKeyQueryValue, &key);
    if (status != platform::kSuccess) return status;
  }
  const std::int32_t status = where.is_key ? registry.DeleteKey(key, where.name + "\\")
                                           : registry.DeleteValue(key, where.name);
  if (!opened) return status;
  if (status != platform::kSuccess) return Fail(registry, key, status);
  registry.CloseKey(key);
  return platform::kSuccess;
}

}  // namespace vireo::registry
