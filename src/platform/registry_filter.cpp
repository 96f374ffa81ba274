#include "platform/registry_filter.h"

namespace vireo::platform {

const char* RegistryFilter::Name(Operation operation) {
  static constexpr const char* kNames[kOperationCount] = {"OpenKey",  "CreateKey", "QueryValue",
                                                          "SetValue", "DeleteKey", "DeleteValue",
                                                          "EnumKey",  "EnumValue", "CloseKey"};
  return kNames[operation];
}

std::int32_t RegistryFilter::OpenKey(HKey key, const std::string& path, std::uint32_t access,
                                     HKey* result) {
  if (const std::int32_t refused = Check(kOpen, path, 0)) {
    if (result) *result = 0;
    return refused;
  }
  return inner_.OpenKey(key, path, access, result);
}

std::int32_t RegistryFilter::CreateKey(HKey key, const std::string& path, std::uint32_t access,
                                       HKey* result, bool* created) {
  if (const std::int32_t refused = Check(kCreate, path, 0)) {
    if (result) *result = 0;
    return refused;
  }
  return inner_.CreateKey(key, path, access, result, created);
}

std::int32_t RegistryFilter::QueryValue(HKey key, const std::string& name, std::uint32_t* type,
                                        std::uint8_t* data, std::uint32_t* size) {
  if (const std::int32_t refused = Check(kQuery, name, 0)) return refused;
  return inner_.QueryValue(key, name, type, data, size);
}

std::int32_t RegistryFilter::SetValue(HKey key, const std::string& name, std::uint32_t type,
                                      const std::uint8_t* data, std::uint32_t size) {
  if (const std::int32_t refused = Check(kSet, name, 0)) return refused;
  return inner_.SetValue(key, name, type, data, size);
}

std::int32_t RegistryFilter::DeleteKey(HKey key, const std::string& subkey) {
  if (const std::int32_t refused = Check(kDeleteKey, subkey, 0)) return refused;
  return inner_.DeleteKey(key, subkey);
}

std::int32_t RegistryFilter::DeleteValue(HKey key, const std::string& name) {
  if (const std::int32_t refused = Check(kDeleteValue, name, 0)) return refused;
  return inner_.DeleteValue(key, name);
}

std::int32_t RegistryFilter::EnumKey(HKey key, std::uint32_t index, std::string* name) {
  if (const std::int32_t refused = Check(kEnumKey, {}, index)) return refused;
  return inner_.EnumKey(key, index, name);
}

std::int32_t RegistryFilter::EnumValue(HKey key, std::uint32_t index, std::string* name,
                                       std::uint32_t* type, std::vector<std::uint8_t>* data) {
  if (const std::int32_t refused = Check(kEnumValue, {}, index)) return refused;
  return inner_.EnumValue(key, index, name, type, data);
}

std::int32_t RegistryFilter::CloseKey(HKey key) {
  const std::int32_t status = inner_.CloseKey(key);
  const std::int32_t refused = Check(kClose, {}, 0);
  return refused ? refused : status;
}

}  // namespace vireo::platform
