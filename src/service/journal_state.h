// The state of what the journal records, and reading it from the registry: a value read whole,
// a key read with everything below it.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "platform/registry.h"

namespace vireo::service {

// A registry value's state, a profile line's text or a file's contents; absent when there is
// none. `type` is for registry values only.
struct ItemState {
  bool present = false;
  std::uint32_t type = 0;
  std::string bytes;
  bool operator==(const ItemState&) const = default;
};

// A registry key with everything below it, as enumerated.
struct KeyTree {
  std::string name;  // the last component of the key's path
  std::vector<std::pair<std::string, ItemState>> values;
  std::vector<KeyTree> subkeys;
  bool operator==(const KeyTree&) const = default;
};

// Registry helpers that the journal shares with its tests: a value read whole (a default value
// never set reads absent), and a key's subtree.
ItemState ReadValue(platform::Registry& registry, platform::HKey key, const std::string& name);
bool ReadTree(platform::Registry& registry, platform::HKey root, const std::string& path,
              KeyTree* tree);

}  // namespace vireo::service
