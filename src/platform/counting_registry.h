// A registry that forwards every call to another one and counts the calls, per operation and in
// all. Under Wine each call is a round trip to the registry server, so benchmarks and tests use
// the counts to keep the program's registry traffic small.
#pragma once

#include <array>
#include <cstddef>
#include <numeric>

#include "platform/registry.h"

namespace vireo::platform {

class CountingRegistry : public Registry {
 public:
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

  explicit CountingRegistry(Registry& inner) : inner_(inner) {}

  std::size_t count(Operation operation) const { return counts_[operation]; }
  std::size_t total() const {
    return std::accumulate(counts_.begin(), counts_.end(), std::size_t{0});
  }
  void Reset() { counts_.fill(0); }

  std::int32_t OpenKey(HKey key, const std::string& path, std::uint32_t access,
                       HKey* result) override {
    ++counts_[kOpen];
    return inner_.OpenKey(key, path, access, result);
  }
  std::int32_t CreateKey(HKey key, const std::string& path, std::uint32_t access, HKey* result,
                         bool* created) override {
    ++counts_[kCreate];
    return inner_.CreateKey(key, path, access, result, created);
  }
  std::int32_t QueryValue(HKey key, const std::string& name, std::uint32_t* type,
                          std::uint8_t* data, std::uint32_t* size) override {
    ++counts_[kQuery];
    return inner_.QueryValue(key, name, type, data, size);
  }
  std::int32_t SetValue(HKey key, const std::string& name, std::uint32_t type,
                        const std::uint8_t* data, std::uint32_t size) override {
    ++counts_[kSet];
    return inner_.SetValue(key, name, type, data, size);
  }
  std::int32_t DeleteKey(HKey key, const std::string& subkey) override {
    ++counts_[kDeleteKey];
    return inner_.DeleteKey(key, subkey);
  }
  std::int32_t DeleteValue(HKey key, const std::string& name) override {
    ++counts_[kDeleteValue];
    return inner_.DeleteValue(key, name);
  }
  std::int32_t EnumKey(HKey key, std::uint32_t index, std::string* name) override {
    ++counts_[kEnumKey];
    return inner_.EnumKey(key, index, name);
  }
  std::int32_t EnumValue(HKey key, std::uint32_t index, std::string* name, std::uint32_t* type,
                         std::vector<std::uint8_t>* data) override {
    ++counts_[kEnumValue];
    return inner_.EnumValue(key, index, name, type, data);
  }
  std::int32_t CloseKey(HKey key) override {
    ++counts_[kClose];
    return inner_.CloseKey(key);
  }

 private:
  Registry& inner_;
  std::array<std::size_t, kOperationCount> counts_{};
};

}  // namespace vireo::platform
