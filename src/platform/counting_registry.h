// A registry that forwards every call to another one and counts the calls, per operation and in
// all. Under Wine each call is a round trip to the registry server, so benchmarks and tests use
// the counts to keep the program's registry traffic small.
#pragma once

#include <array>
#include <cstddef>
#include <numeric>

#include "platform/registry_filter.h"

namespace vireo::platform {

class CountingRegistry : public RegistryFilter {
 public:
  using RegistryFilter::RegistryFilter;

  std::size_t count(Operation operation) const { return counts_[operation]; }
  std::size_t total() const {
    return std::accumulate(counts_.begin(), counts_.end(), std::size_t{0});
  }
  void Reset() { counts_.fill(0); }

 protected:
  std::int32_t Check(Operation operation, std::string_view, std::uint32_t) override {
    ++counts_[operation];
    return kSuccess;
  }

 private:
  std::array<std::size_t, kOperationCount> counts_{};
};

}  // namespace vireo::platform
