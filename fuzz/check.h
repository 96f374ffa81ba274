// What the fuzz targets share: the target's entry point, a check that stops the run with a
// message when a property does not hold (so that libFuzzer keeps the input as a finding), and
// the registry paths most targets start from.
#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/registry.h"

#define FUZZ_CHECK(condition)                                                            \
  do {                                                                                   \
    if (!(condition)) {                                                                  \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                      \
    }                                                                                    \
  } while (false)

// FUZZ_TARGET(in) { ... } is the body run for each input, read through `in`.
#define FUZZ_TARGET(in)                                                               \
  static void FuzzOne(FuzzedDataProvider& in);                                        \
  extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) { \
    FuzzedDataProvider provider(data, size);                                          \
    FuzzOne(provider);                                                                \
    return 0;                                                                         \
  }                                                                                   \
  static void FuzzOne(FuzzedDataProvider& in)

namespace vireo::fuzz {

// A path whose root is mostly one of the seven short forms, so that most runs reach the registry.
inline std::string RootedPath(FuzzedDataProvider& in, std::size_t length) {
  const int root = in.ConsumeIntegralInRange(0, 7);
  return (root < 7 ? std::string(platform::kRoots[root].abbreviation) + "\\" : "") +
         in.ConsumeRandomLengthString(length);
}

}  // namespace vireo::fuzz
