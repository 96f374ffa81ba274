#include "platform/host/memory_registry.h"

#include <algorithm>
#include <cstring>

#include "registry/ansi_text.h"

namespace vireo::platform {

namespace {

// The components of a key path; empty ones (leading, doubled or trailing backslashes) are
// skipped.
std::vector<std::string> Components(const std::string& path) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find('\\', start);
    if (end == std::string::npos) end = path.size();
    if (end > start) parts.push_back(path.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

template <class KeyT>
KeyT* FindSubkey(KeyT* key, const std::string& name) {
  for (auto& sub : key->subkeys) {
    if (registry::SameAnsiText(sub->name, name)) return sub.get();
  }
  return nullptr;
}

template <class KeyT>
auto* FindValue(KeyT* key, const std::string& name) {
  auto it = std::find_if(key->values.begin(), key->values.end(),
                         [&](const auto& v) { return registry::SameAnsiText(v.name, name); });
  return it == key->values.end() ? nullptr : &*it;
}

bool IsPredefined(HKey key) {
  return key >= kClassesRoot && key <= kDynData;
}

}  // namespace

MemoryRegistry::MemoryRegistry()
    : current_user_(std::make_unique<Key>()),
      local_machine_(std::make_unique<Key>()),
      users_(std::make_unique<Key>()),
      current_config_(std::make_unique<Key>()),
      dyn_data_(std::make_unique<Key>()) {
  HKey classes = 0;
  bool created = false;
  CreateKey(kLocalMachine, "Software\\Classes", kKeyAllAccess3F, &classes, &created);
  Resolve(classes, &classes_);
  CloseKey(classes);
}

MemoryRegistry::~MemoryRegistry() = default;

std::int32_t MemoryRegistry::Resolve(HKey key, Key** node) const {
  switch (key) {
    case kCurrentUser:
      *node = current_user_.get();
      return kSuccess;
    case kLocalMachine:
      *node = local_machine_.get();
      return kSuccess;
    case kClassesRoot:
      *node = classes_;
      return kSuccess;
    case kUsers:
      *node = users_.get();
      return kSuccess;
    case kCurrentConfig:
      *node = current_config_.get();
      return kSuccess;
    case kDynData:
      *node = dyn_data_.get();
      return kSuccess;
    default:
      break;
  }
  // HKEY_PERFORMANCE_DATA is not a registry tree on 9x (and Wine rejects it too).
  const auto it = handles_.find(key);
  if (it == handles_.end()) return kInvalidHandle;
  if (it->second == nullptr) return kKeyDeleted;
  *node = it->second;
  return kSuccess;
}

HKey MemoryRegistry::NewHandle(Key* node) {
  const HKey handle = next_handle_++;
  handles_[handle] = node;
  return handle;
}

void MemoryRegistry::Orphan(const Key* node) {
  for (auto& [handle, target] : handles_) {
    if (target == node) target = nullptr;
  }
  for (const auto& sub : node->subkeys) Orphan(sub.get());
}

bool MemoryRegistry::ReadOnly(const Key* node) {
  for (; node != nullptr; node = node->parent) {
    if (node->read_only) return true;
  }
  return false;
}

bool MemoryRegistry::HoldsReadOnly(const Key* node) {
  if (node->read_only) return true;
  return std::any_of(node->subkeys.begin(), node->subkeys.end(),
                     [](const auto& sub) { return HoldsReadOnly(sub.get()); });
}

std::int32_t MemoryRegistry::OpenKey(HKey key, const std::string& path, std::uint32_t /*access*/,
                                     HKey* result) {
  *result = 0;
  Key* node = nullptr;
  if (const std::int32_t status = Resolve(key, &node); status != kSuccess) return status;
  for (const std::string& part : Components(path)) {
    node = FindSubkey(node, part);
    if (node == nullptr) return kFileNotFound;
  }
  *result = NewHandle(node);
  return kSuccess;
}

std::int32_t MemoryRegistry::CreateKey(HKey key, const std::string& path, std::uint32_t /*access*/,
                                       HKey* result, bool* created) {
  *result = 0;
  *created = false;
  Key* node = nullptr;
  if (const std::int32_t status = Resolve(key, &node); status != kSuccess) return status;
  if (ReadOnly(node)) return kAccessDenied;
  for (const std::string& part : Components(path)) {
    Key* sub = FindSubkey(node, part);
    if (sub != nullptr && sub->read_only) return kAccessDenied;
    if (sub == nullptr) {
      node->subkeys.push_back(std::make_unique<Key>());
      sub = node->subkeys.back().get();
      sub->name = part;
      sub->parent = node;
      *created = true;
    }
    node = sub;
  }
  *result = NewHandle(node);
  return kSuccess;
}

std::int32_t MemoryRegistry::QueryValue(HKey key, const std::string& name, std::uint32_t* type,
                                        std::uint8_t* data, std::uint32_t* size) {
  Key* node = nullptr;
  if (const std::int32_t status = Resolve(key, &node); status != kSuccess) return status;
  if (data != nullptr && size == nullptr) return kInvalidParameter;
  static const Value kUnsetDefault{"", kRegSz, {}};
  const Value* value = FindValue(node, name);
  if (value == nullptr) {
    if (!name.empty()) return kFileNotFound;
    value = &kUnsetDefault;
  }
  if (type != nullptr) *type = value->type;
  const auto stored = static_cast<std::uint32_t>(value->data.size());
  if (data != nullptr) {
    if (*size < stored) {
      *size = stored;
      return kMoreData;
    }
    std::copy(value->data.begin(), value->data.end(), data);
  }
  if (size != nullptr) *size = stored;
  return kSuccess;
}

std::int32_t MemoryRegistry::SetValue(HKey key, const std::string& name, std::uint32_t type,
                                      const std::uint8_t* data, std::uint32_t size) {
  Key* node = nullptr;
  if (const std::int32_t status = Resolve(key, &node); status != kSuccess) return status;
  if (data == nullptr && size != 0) return kInvalidParameter;
  if (ReadOnly(node) || ReadOnlyValue(node, name)) return kAccessDenied;
  std::vector<std::uint8_t> bytes(data, data + size);
  if (Value* value = FindValue(node, name)) {
    value->type = type;
    value->data = std::move(bytes);
  } else {
    node->values.push_back(Value{name, type, std::move(bytes)});
  }
  return kSuccess;
}

std::int32_t MemoryRegistry::DeleteKey(HKey key, const std::string& subkey) {
  const std::vector<std::string> parts = Components(subkey);
  // An empty name would mean the key itself; nothing in the program asks for that. It is
  // refused before the handle is looked at, as the Win32 adapter refuses it without a call.
  if (parts.empty()) return kInvalidParameter;
  Key* node = nullptr;
  if (const std::int32_t status = Resolve(key, &node); status != kSuccess) return status;
  for (const std::string& part : parts) {
    node = FindSubkey(node, part);
    if (node == nullptr) return kFileNotFound;
  }
  if (ReadOnly(node) || HoldsReadOnly(node)) return kAccessDenied;
  // HKLM\Software\Classes stands for HKCR, which cannot go away.
  for (const Key* k = classes_; k != nullptr; k = k->parent) {
    if (k == node) return kAccessDenied;
  }
  Orphan(node);
  auto& siblings = node->parent->subkeys;
  siblings.erase(std::find_if(siblings.begin(), siblings.end(),
                              [node](const auto& sub) { return sub.get() == node; }));
  return kSuccess;
}

std::int32_t MemoryRegistry::DeleteValue(HKey key, const std::string& name) {
  Key* node = nullptr;
  if (const std::int32_t status = Resolve(key, &node); status != kSuccess) return status;
  const auto it = std::find_if(node->values.begin(), node->values.end(), [&](const Value& v) {
    return registry::SameAnsiText(v.name, name);
  });
  if (it == node->values.end()) return kFileNotFound;
  if (ReadOnly(node) || ReadOnlyValue(node, name)) return kAccessDenied;
  node->values.erase(it);
  return kSuccess;
}

std::int32_t MemoryRegistry::EnumKey(HKey key, std::uint32_t index, std::string* name) {
  Key* node = nullptr;
  if (const std::int32_t status = Resolve(key, &node); status != kSuccess) return status;
  if (index >= node->subkeys.size()) return kNoMoreItems;
  *name = node->subkeys[index]->name;
  return kSuccess;
}

std::int32_t MemoryRegistry::EnumValue(HKey key, std::uint32_t index, std::string* name,
                                       std::uint32_t* type, std::vector<std::uint8_t>* data) {
  Key* node = nullptr;
  if (const std::int32_t status = Resolve(key, &node); status != kSuccess) return status;
  if (index >= node->values.size()) return kNoMoreItems;
  const Value& value = node->values[index];
  if (name != nullptr) *name = value.name;
  if (type != nullptr) *type = value.type;
  if (data != nullptr) *data = value.data;
  return kSuccess;
}

std::int32_t MemoryRegistry::CloseKey(HKey key) {
  if (IsPredefined(key)) return kSuccess;
  return handles_.erase(key) == 1 ? kSuccess : kInvalidHandle;
}

void MemoryRegistry::Protect(HKey root, const std::string& path) {
  HKey key = 0;
  bool created = false;
  Key* node = nullptr;
  if (CreateKey(root, path, kKeyAllAccess3F, &key, &created) != kSuccess) return;
  if (Resolve(key, &node) == kSuccess) node->read_only = true;
  CloseKey(key);
}

void MemoryRegistry::ProtectValue(HKey root, const std::string& path, const std::string& name) {
  HKey key = 0;
  bool created = false;
  Key* node = nullptr;
  if (CreateKey(root, path, kKeyAllAccess3F, &key, &created) != kSuccess) return;
  if (Resolve(key, &node) == kSuccess) node->read_only_values.push_back(name);
  CloseKey(key);
}

bool MemoryRegistry::ReadOnlyValue(const Key* node, const std::string& name) {
  return std::any_of(node->read_only_values.begin(), node->read_only_values.end(),
                     [&](const std::string& n) { return registry::SameAnsiText(n, name); });
}

bool MemoryRegistry::Exists(HKey root, const std::string& path) const {
  Key* node = nullptr;
  if (!IsPredefined(root) || Resolve(root, &node) != kSuccess) return false;
  for (const std::string& part : Components(path)) {
    node = FindSubkey(node, part);
    if (node == nullptr) return false;
  }
  return true;
}

void MemoryRegistry::Put(HKey root, const std::string& path, const std::string& name,
                         std::uint32_t type, std::vector<std::uint8_t> data) {
  HKey key = 0;
  bool created = false;
  if (CreateKey(root, path, kKeyAllAccess3F, &key, &created) != kSuccess) return;
  SetValue(key, name, type, data.data(), static_cast<std::uint32_t>(data.size()));
  CloseKey(key);
}

void MemoryRegistry::PutText(HKey root, const std::string& path, const std::string& name,
                             const std::string& text) {
  Put(root, path, name, kRegSz, std::vector<std::uint8_t>(text.begin(), text.end()));
}

void MemoryRegistry::PutNumber(HKey root, const std::string& path, const std::string& name,
                               std::int32_t number) {
  const auto bits = static_cast<std::uint32_t>(number);
  Put(root, path, name, kRegDword,
      {static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8),
       static_cast<std::uint8_t>(bits >> 16), static_cast<std::uint8_t>(bits >> 24)});
}

bool MemoryRegistry::Get(HKey root, const std::string& path, const std::string& name,
                         std::uint32_t* type, std::vector<std::uint8_t>* data) const {
  Key* node = nullptr;
  if (!IsPredefined(root) || Resolve(root, &node) != kSuccess) return false;
  for (const std::string& part : Components(path)) {
    node = FindSubkey(node, part);
    if (node == nullptr) return false;
  }
  const Value* value = FindValue(node, name);
  if (value == nullptr) return false;
  if (type != nullptr) *type = value->type;
  if (data != nullptr) *data = value->data;
  return true;
}

}  // namespace vireo::platform
