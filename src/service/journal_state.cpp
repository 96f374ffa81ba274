#include "service/journal_state.h"

#include <algorithm>
#include <utility>

#include "registry/ansi_text.h"
#include "service/journal_internal.h"

namespace vireo::service {

using platform::HKey;

namespace detail {

// The components of a key path; empty ones are skipped, as the registry skips them.
std::vector<std::string> Components(const std::string& path) {
  std::vector<std::string> parts;
  std::string part;
  for (char c : path) {
    if (c == '\\') {
      if (!part.empty()) parts.push_back(std::move(part));
      part.clear();
    } else {
      part += c;
    }
  }
  if (!part.empty()) parts.push_back(std::move(part));
  return parts;
}

std::string Join(const std::vector<std::string>& parts, std::size_t count) {
  std::string path;
  for (std::size_t i = 0; i < count && i < parts.size(); ++i) {
    if (!path.empty()) path += '\\';
    path += parts[i];
  }
  return path;
}

std::string JoinPath(const std::string& base, const std::string& sub) {
  std::vector<std::string> parts = Components(base);
  for (std::string& part : Components(sub)) parts.push_back(std::move(part));
  return Join(parts, parts.size());
}

}  // namespace detail

using detail::Components;
using detail::Join;

namespace {

constexpr std::uint32_t kFirstRead = 512;

void ReadSubtree(platform::Registry& registry, HKey key, KeyTree* tree) {
  std::string name;
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;
  for (std::uint32_t i = 0; registry.EnumValue(key, i, &name, &type, &data) == platform::kSuccess;
       ++i) {
    tree->values.push_back({name, ItemState{true, type, std::string(data.begin(), data.end())}});
  }
  std::vector<std::string> names;
  for (std::uint32_t i = 0; registry.EnumKey(key, i, &name) == platform::kSuccess; ++i) {
    names.push_back(name);
  }
  for (const std::string& sub_name : names) {
    HKey sub = 0;
    if (registry.OpenKey(key, sub_name, platform::kKeyQueryValue, &sub) != platform::kSuccess) {
      continue;
    }
    KeyTree sub_tree;
    sub_tree.name = sub_name;
    ReadSubtree(registry, sub, &sub_tree);
    registry.CloseKey(sub);
    tree->subkeys.push_back(std::move(sub_tree));
  }
}

// The name of `path`'s last key as the registry spells it, which the caller may not have.
std::string StoredName(platform::Registry& registry, HKey root, const std::string& path) {
  const std::vector<std::string> parts = Components(path);
  if (parts.empty()) return {};
  HKey parent = 0;
  if (registry.OpenKey(root, Join(parts, parts.size() - 1), platform::kKeyQueryValue, &parent) !=
      platform::kSuccess) {
    return parts.back();
  }
  std::string name;
  std::string stored = parts.back();
  for (std::uint32_t i = 0; registry.EnumKey(parent, i, &name) == platform::kSuccess; ++i) {
    if (registry::SameAnsiText(name, parts.back())) {
      stored = name;
      break;
    }
  }
  registry.CloseKey(parent);
  return stored;
}

}  // namespace

ItemState ReadValue(platform::Registry& registry, HKey key, const std::string& name) {
  ItemState state;
  std::vector<std::uint8_t> data(kFirstRead);
  std::uint32_t type = 0;
  std::uint32_t size = kFirstRead;
  std::int32_t status = registry.QueryValue(key, name, &type, data.data(), &size);
  if (status == platform::kMoreData) {
    data.resize(size);
    status = registry.QueryValue(key, name, &type, data.data(), &size);
  }
  if (status != platform::kSuccess) return state;
  if (name.empty() && size == 0) {
    // An unset default value reads as the empty text: only the value list tells it is not there.
    bool listed = false;
    std::string listed_name;
    std::uint32_t listed_type = 0;
    std::vector<std::uint8_t> listed_data;
    for (std::uint32_t i = 0;
         registry.EnumValue(key, i, &listed_name, &listed_type, &listed_data) == platform::kSuccess;
         ++i) {
      if (listed_name.empty()) {
        listed = true;
        break;
      }
    }
    if (!listed) return state;
  }
  state.present = true;
  state.type = type;
  state.bytes.assign(data.begin(), data.begin() + size);
  return state;
}

bool ReadTree(platform::Registry& registry, HKey root, const std::string& path, KeyTree* tree) {
  HKey key = 0;
  if (registry.OpenKey(root, path, platform::kKeyQueryValue, &key) != platform::kSuccess) {
    return false;
  }
  *tree = KeyTree{};
  tree->name = StoredName(registry, root, path);
  ReadSubtree(registry, key, tree);
  registry.CloseKey(key);
  return true;
}

}  // namespace vireo::service
