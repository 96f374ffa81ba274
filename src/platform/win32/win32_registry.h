// The real registry: the advapi32 "A" calls, with the few repairs that make Wine in Windows 98
// mode keep the contract of platform::Registry (see docs/registry.md):
//  - the default value of an existing key that was never set reads as the empty text;
//  - creating with a path of no key names opens the key itself, not a new one;
//  - deleting a key removes everything below it (Wine stops at the first subkey with 5);
//  - REG_SZ data always reaches the system NUL-terminated, since 9x (and Wine in 98 mode)
//    measure it with strlen and would otherwise read past the caller's buffer.
#pragma once

#include "platform/registry.h"

namespace vireo::platform {

class Win32Registry : public Registry {
 public:
  std::int32_t OpenKey(HKey key, const std::string& path, std::uint32_t access,
                       HKey* result) override;
  std::int32_t CreateKey(HKey key, const std::string& path, std::uint32_t access, HKey* result,
                         bool* created) override;
  std::int32_t QueryValue(HKey key, const std::string& name, std::uint32_t* type,
                          std::uint8_t* data, std::uint32_t* size) override;
  std::int32_t SetValue(HKey key, const std::string& name, std::uint32_t type,
                        const std::uint8_t* data, std::uint32_t size) override;
  std::int32_t DeleteKey(HKey key, const std::string& subkey) override;
  std::int32_t DeleteValue(HKey key, const std::string& name) override;
  std::int32_t EnumKey(HKey key, std::uint32_t index, std::string* name) override;
  std::int32_t EnumValue(HKey key, std::uint32_t index, std::string* name, std::uint32_t* type,
                         std::vector<std::uint8_t>* data) override;
  std::int32_t CloseKey(HKey key) override;
};

}  // namespace vireo::platform
