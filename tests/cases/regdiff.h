// Differential testing of two registries: sequences of registry calls generated from a seed,
// run on each registry, their results compared call by call. The Wine program regdiff.exe runs
// them on the real registry (through the adapter) and on the in-memory stand-in, the fixed
// sequences first; the host tests check the machinery and the fixed sequences' results on the
// stand-in alone.
//
// The sequences touch only their own keys: HKCU\Software\VireoDiff, HKLM\Software\Classes\VireoDiff
// (also reached as HKCR\VireoDiff), the key HKCU\VireoDiffRootKey and the value
// HKCU\VireoDiffRootValue. `Clean` removes them; `Run` cleans before and after.
//
// Handles are symbolic: an open or create puts its handle into one of kSlots slots, and later
// calls name the slot, since the two registries hand out different handle numbers. A call on a
// slot that holds nothing (its open failed on both sides) is skipped on both.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace vireo::regdiff {

inline constexpr int kSlots = 4;
// The handle a call takes when it names no slot.
inline constexpr int kRoot = -1;      // the predefined root `Op::root`
inline constexpr int kNoHandle = -2;  // handle 0

enum class OpKind {
  kOpen,
  kCreate,
  // Every form of the query: without anything, type and size only, into a large buffer said to
  // hold the size (the bytes past the data must stay as they were), and one byte too small.
  kQuery,
  kSet,
  kDeleteValue,
  kDeleteKey,
  kEnum,  // every subkey, then every value with its type and data, each until the first failure
  kClose,
};

struct Op {
  OpKind kind = OpKind::kOpen;
  int slot = kRoot;  // the handle the call takes: a slot, kRoot or kNoHandle
  platform::HKey root = platform::kCurrentUser;
  std::string path;  // open, create, delete key: the key path below the handle
  std::string name;  // the value name
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;
  bool null_data = false;  // set with no buffer at all (the data is empty then)
  int into = 0;            // open, create: the slot that receives the handle
};

using Sequence = std::vector<Op>;

// The same seed always gives the same sequence.
Sequence Generate(std::uint32_t seed);

// Fixed sequences: the registry interface's edges and what the comparison once found.
std::vector<Sequence> Known();

// One line for a call, as the divergence report shows it.
std::string Describe(const Op& op);

// Runs the sequence on a registry between two cleanings of its keys and closes every handle it
// opened; one line per call: what the call returned, in a form both registries share (see
// docs/registry.md, "Differential testing", for what is compared and what is not).
// `calls` (optional) receives the number of registry calls the sequence made.
std::vector<std::string> Run(platform::Registry& registry, const Sequence& sequence,
                             std::size_t* calls = nullptr);

// Removes every key and value the sequences may create.
void Clean(platform::Registry& registry);

struct Divergence {
  bool found = false;
  std::size_t index = 0;  // the first call whose results differ
  std::string first;      // its result on each registry
  std::string second;
  std::size_t calls = 0;  // calls made on each registry (skipped ones not counted)
};

Divergence Compare(platform::Registry& first, platform::Registry& second, const Sequence& sequence);

}  // namespace vireo::regdiff
