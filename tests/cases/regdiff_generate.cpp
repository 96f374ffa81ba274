// The sequences of registry calls: the random ones (keys in mixed letter case below the
// sequences' own keys, code-page-1251 names, data of every type), the fixed ones, and the
// cleaning of their keys between sequences.
#include <cstdint>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "cases/regdiff.h"
#include "registry/ansi_text.h"

namespace vireo::regdiff {

namespace {

using platform::HKey;
using Bytes = std::vector<std::uint8_t>;

// The sequences' own keys, each below its root (each letter in a random case when drawn).
struct Base {
  HKey root;
  const char* path;
};
constexpr Base kBases[] = {{platform::kCurrentUser, "Software\\VireoDiff"},
                           {platform::kLocalMachine, "Software\\Classes\\VireoDiff"},
                           {platform::kClassesRoot, "VireoDiff"},
                           {platform::kCurrentUser, "VireoDiffRootKey"}};
constexpr const char* kRootValue = "VireoDiffRootValue";

// Key and value names, code page 1251: "Ключ", "Ёлка", "Знач" are Cyrillic.
constexpr const char* kKeyNames[] = {"Alpha", "Beta", "\xCA\xEB\xFE\xF7", "\xA8\xEB\xEA\xE0"};
constexpr const char* kValueNames[] = {"", "Value", "x", "\xC7\xED\xE0\xF7"};
constexpr std::uint32_t kTypes[] = {platform::kRegSz, platform::kRegExpandSz, platform::kRegBinary,
                                    platform::kRegDword, platform::kRegMultiSz};
// Data: empty, text, "Привет" in code page 1251 with 0x98 (no character), binary with NULs
// inside and at the end, a number, a text list ("one", "two"); and long and random data below.
const Bytes kData[] = {{},
                       {'a', 'b', 'c'},
                       {0xCF, 0xF0, 0xE8, 0xE2, 0xE5, 0xF2, 0x98},
                       {'a', 0, 'b', 0, 0, 0xFF, 0},
                       {0x10, 0x00, 0x00, 0x80},
                       {'o', 'n', 'e', 0, 't', 'w', 'o', 0, 0}};
// The calls in the proportions drawn, by the percentage each one ends at.
constexpr std::pair<OpKind, std::uint32_t> kKinds[] = {
    {OpKind::kOpen, 12}, {OpKind::kCreate, 26},      {OpKind::kQuery, 45},
    {OpKind::kSet, 65},  {OpKind::kDeleteValue, 73}, {OpKind::kDeleteKey, 81},
    {OpKind::kEnum, 91}, {OpKind::kClose, 100}};

// The engine's numbers are fixed by the standard: the same seed gives the same sequence on
// every compiler and build.
struct Random {
  std::mt19937 engine;
  std::uint32_t Below(std::uint32_t n) { return static_cast<std::uint32_t>(engine() % n); }
  bool Chance(std::uint32_t percent) { return Below(100) < percent; }
  template <class T, std::size_t N>
  const T& Pick(const T (&items)[N]) {
    return items[Below(N)];
  }
};

// Each letter (ASCII and code page 1251) in upper or lower case at random.
std::string MixCase(Random& random, std::string text) {
  for (char& c : text) c = random.Chance(50) ? registry::UpperAnsi(c) : registry::LowerAnsi(c);
  return text;
}

// One to three names from a small pool, so that keys meet often; now and then with a doubled
// or a trailing backslash.
std::string KeyPath(Random& random) {
  std::string path = MixCase(random, random.Pick(kKeyNames));
  for (std::uint32_t extra = random.Below(3); extra > 0 && random.Chance(50); --extra) {
    path += random.Chance(8) ? "\\\\" : "\\";
    path += MixCase(random, random.Pick(kKeyNames));
  }
  if (random.Chance(6)) path += "\\";
  return path;
}

Bytes Data(Random& random) {
  const std::uint32_t roll = random.Below(8);
  if (roll < 6) return kData[roll];
  Bytes bytes(roll == 6 ? 1000 + random.Below(4000) : random.Below(9));
  for (std::size_t i = 0; i < bytes.size(); ++i) {  // long: every byte value but NUL
    bytes[i] =
        static_cast<std::uint8_t>(roll == 6 ? 1 + (i * 7 + bytes.size()) % 255 : random.Below(256));
  }
  return bytes;
}

// A slot mostly filled (for a call to take) or mostly free (for a new handle), as `filled` says.
int PickSlot(Random& random, const bool (&slots)[kSlots], bool filled) {
  const int start = static_cast<int>(random.Below(kSlots));
  for (int i = 0; i < kSlots && random.Chance(filled ? 95 : 90); ++i) {
    if (slots[(start + i) % kSlots] == filled) return (start + i) % kSlots;
  }
  return start;
}

Op Generated(Random& random, bool (&filled)[kSlots]) {
  Op op;
  const std::uint32_t kind = random.Below(100);
  std::size_t k = 0;
  while (kind >= kKinds[k].second) ++k;
  op.kind = kKinds[k].first;
  op.slot = PickSlot(random, filled, true);
  op.into = PickSlot(random, filled, false);
  if (op.kind == OpKind::kOpen || op.kind == OpKind::kCreate || op.kind == OpKind::kDeleteKey) {
    const std::uint32_t roll = random.Below(100);
    if (roll < 45) {  // below an open key
      op.path = KeyPath(random);
      if (random.Chance(8))
        op.path = op.kind == OpKind::kDeleteKey && random.Chance(50) ? "\\" : "";
    } else {  // from a root, through the sequence's own key (HKCR and HKLM\...\Classes alike)
      const Base& base = roll < 97 ? kBases[random.Below(4)] : kBases[0];
      op.slot = kRoot;
      op.root = roll < 97 ? base.root : platform::kPerformanceData;  // HKPD is no tree
      op.path = MixCase(random, base.path);
      if (random.Chance(60)) op.path += "\\" + KeyPath(random);
    }
  } else if (op.kind != OpKind::kEnum && op.kind != OpKind::kClose) {
    op.name = MixCase(random, random.Pick(kValueNames));
    if (random.Chance(12)) {  // a value directly under a root
      op.slot = kRoot;
      op.name = MixCase(random, kRootValue);
    }
  } else if (op.kind == OpKind::kClose && random.Chance(5)) {
    op.slot = kRoot;  // closing a predefined root
  }
  if (op.kind == OpKind::kSet) {
    op.type = random.Pick(kTypes);
    op.data = Data(random);
    op.null_data = op.data.empty() && random.Chance(30);
  }
  if (random.Chance(2)) op.slot = kNoHandle;
  if (op.kind == OpKind::kOpen || op.kind == OpKind::kCreate) filled[op.into] = true;
  if (op.kind == OpKind::kClose && op.slot >= 0) filled[op.slot] = false;
  return op;
}

}  // namespace

Sequence Generate(std::uint32_t seed) {
  Random random{std::mt19937(seed)};
  Sequence sequence(5 + random.Below(36));
  bool filled[kSlots] = {};
  for (Op& op : sequence) op = Generated(random, filled);
  return sequence;
}

// The calls name only what they set; the rest keeps the defaults of Op.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
std::vector<Sequence> Known() {
  using K = OpKind;
  const std::string base = kBases[0].path;
  const std::string key = base + "\\Key";
  return {
      // The default value of a new key; the key created again, from its root and from itself.
      {{.kind = K::kCreate, .path = key},
       {.kind = K::kQuery, .slot = 0},
       {.kind = K::kCreate, .path = key, .into = 1},
       {.kind = K::kCreate, .slot = 0, .into = 2}},
      // A buffer too small; the enumeration of subkeys and values.
      {{.kind = K::kCreate, .path = key},
       {.kind = K::kSet, .slot = 0, .name = "Eight", .type = 3, .data = {1, 2, 3, 4, 5, 6, 7, 8}},
       {.kind = K::kQuery, .slot = 0, .name = "Eight"},
       {.kind = K::kSet, .slot = 0, .name = "n", .type = 4, .data = {5, 0, 0, 0}},
       {.kind = K::kCreate, .path = key + "\\Zeta", .into = 1},
       {.kind = K::kCreate, .path = key + "\\alpha", .into = 2},
       {.kind = K::kEnum, .slot = 0}},
      // Handle 0, a predefined root closed, HKPD.
      {{.kind = K::kOpen, .slot = kNoHandle, .path = "Software"},
       {.kind = K::kQuery, .slot = kNoHandle, .name = "x"},
       {.kind = K::kClose, .slot = kNoHandle},
       {.kind = K::kClose},
       {.kind = K::kClose, .root = platform::kLocalMachine},
       {.kind = K::kCreate, .root = platform::kPerformanceData, .path = "VireoDiff"}},
      // Found by the comparison: Wine reported the key itself as new.
      {{.kind = K::kCreate, .root = platform::kLocalMachine, .path = kBases[1].path},
       {.kind = K::kCreate, .slot = 0, .into = 1}},
      // The handle of a deleted key; found by the comparison: an empty key name to delete, on
      // that handle and on handle 0.
      {{.kind = K::kCreate, .path = key},
       {.kind = K::kOpen, .path = base, .into = 1},
       {.kind = K::kDeleteKey, .slot = 1, .path = "Key"},
       {.kind = K::kSet, .slot = 0, .name = "V", .type = 1, .data = {'1'}},
       {.kind = K::kDeleteKey, .slot = 0, .path = "\\"},
       {.kind = K::kDeleteKey, .slot = kNoHandle}},
  };
}
#pragma GCC diagnostic pop

void Clean(platform::Registry& registry) {
  registry.DeleteKey(platform::kCurrentUser, kBases[0].path);
  registry.DeleteKey(platform::kLocalMachine, kBases[1].path);
  registry.DeleteKey(platform::kCurrentUser, kBases[3].path);
  registry.DeleteValue(platform::kCurrentUser, kRootValue);
}

}  // namespace vireo::regdiff
