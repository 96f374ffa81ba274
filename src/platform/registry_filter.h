// A registry in front of another one: every call goes on to the inner registry unchanged. The
// wrappers of the registry (the counting registry, the journal's recorder, the stand-ins' faulty
// registry) derive from it and override only what they change; one that treats every call alike
// overrides Check, which every call passes first.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry.h"

namespace vireo::platform {

class RegistryFilter : public Registry {
 public:
  // The nine operations, in the order of the interface.
  enum Operation {
    kOpen,
    kCreate,
    kQuery,
    kSet,
    kDeleteKey,
    kDeleteValue,
    kEnumKey,
    kEnumValue,
    kClose,
    kOperationCount
  };
  // The name of the call ("OpenKey", "CreateKey", ...).
  static const char* Name(Operation operation);

  explicit RegistryFilter(Registry& inner) : inner_(inner) {}

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
  // The handle goes whatever Check says: the inner close is made first.
  std::int32_t CloseKey(HKey key) override;

 protected:
  // Passed by every call before it goes on, with the key path, value name or subkey that it
  // names (an enumeration with its index instead). A status other than kSuccess is what the call
  // gives in place of going on (an open or a create leaves its result 0).
  virtual std::int32_t Check(Operation operation, std::string_view name, std::uint32_t index) {
    (void)operation, (void)name, (void)index;
    return kSuccess;
  }
  Registry& inner() { return inner_; }

 private:
  Registry& inner_;
};

}  // namespace vireo::platform
