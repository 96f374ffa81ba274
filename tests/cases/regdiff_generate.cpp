// The random sequences of registry calls: what each call names (keys in mixed letter case below
// the sequences' own keys, code-page-1251 names, data of every type), and the cleaning of those
// keys between sequences.
#include <cstdint>
#include <string>
#include <vector>

#include "cases/regdiff.h"

namespace vireo::regdiff {

namespace {

using platform::HKey;
using Bytes = std::vector<std::uint8_t>;

// The sequences' own keys, each below its root.
struct Base {
  HKey root;
  const char* spellings[3];  // one key path in several letter cases
};
constexpr Base kBases[] = {
    {platform::kCurrentUser, {"Software\\VireoDiff", "SOFTWARE\\vireodiff", "software\\VireoDIFF"}},
    {platform::kLocalMachine,
     {"Software\\Classes\\VireoDiff", "SOFTWARE\\CLASSES\\VIREODIFF",
      "software\\classes\\vireodiff"}},
    {platform::kClassesRoot, {"VireoDiff", "VIREODIFF", "vireoDiff"}},
    {platform::kCurrentUser, {"VireoDiffRootKey", "VIREODIFFROOTKEY", "vireodiffrootkey"}},
};
constexpr const char* kRootValue = "VireoDiffRootValue";

// Key and value names, code page 1251: "Ключ", "Ёлка", "Знач" are Cyrillic.
constexpr const char* kKeyNames[] = {"Alpha", "Beta", "\xCA\xEB\xFE\xF7", "\xA8\xEB\xEA\xE0"};
constexpr const char* kValueNames[] = {"", "Value", "x", "\xC7\xED\xE0\xF7"};
constexpr std::uint32_t kTypes[] = {platform::kRegSz, platform::kRegExpandSz, platform::kRegBinary,
                                    platform::kRegDword, platform::kRegMultiSz};

// A small deterministic generator (splitmix64): the same seed gives the same sequence on every
// compiler and build.
class Random {
 public:
  explicit Random(std::uint32_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 1) {}
  std::uint32_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return static_cast<std::uint32_t>((z ^ (z >> 31)) >> 16);
  }
  std::uint32_t Below(std::uint32_t n) { return Next() % n; }
  bool Chance(std::uint32_t percent) { return Below(100) < percent; }
  template <class T, std::size_t N>
  const T& Pick(const T (&items)[N]) {
    return items[Below(N)];
  }

 private:
  std::uint64_t state_;
};

// Each letter (ASCII and the Cyrillic of code page 1251) in upper or lower case at random.
std::string MixCase(Random& random, std::string text) {
  for (char& c : text) {
    const auto code = static_cast<unsigned char>(c);
    const bool upper = random.Chance(50);
    if ((code >= 'a' && code <= 'z') || (code >= 'A' && code <= 'Z')) {
      c = static_cast<char>(upper ? (code & ~0x20) : (code | 0x20));
    } else if (code >= 0xC0) {
      c = static_cast<char>(upper ? (code & ~0x20) : (code | 0x20));
    } else if (code == 0xA8 || code == 0xB8) {
      c = static_cast<char>(upper ? 0xA8 : 0xB8);
    }
  }
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
  switch (random.Below(8)) {
    case 0:
      return {};
    case 1:
      return {'a', 'b', 'c'};
    case 2:  // "Привет" in code page 1251, 0x98 (no character) included
      return {0xCF, 0xF0, 0xE8, 0xE2, 0xE5, 0xF2, 0x98};
    case 3:  // binary with NULs inside and at the end
      return {'a', 0, 'b', 0, 0, 0xFF, 0};
    case 4:
      return {0x10, 0x00, 0x00, 0x80};
    case 5:  // text list: "one", "two"
      return {'o', 'n', 'e', 0, 't', 'w', 'o', 0, 0};
    case 6: {  // long, every byte value but NUL
      Bytes bytes(1000 + random.Below(4000));
      for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<std::uint8_t>(1 + (i * 7 + bytes.size()) % 255);
      }
      return bytes;
    }
    default:  // a few random bytes
      Bytes bytes(random.Below(9));
      for (auto& b : bytes) b = static_cast<std::uint8_t>(random.Below(256));
      return bytes;
  }
}

OpKind PickKind(Random& random) {
  const std::uint32_t roll = random.Below(100);
  if (roll < 12) return OpKind::kOpen;
  if (roll < 26) return OpKind::kCreate;
  if (roll < 31) return OpKind::kQueryExists;
  if (roll < 36) return OpKind::kQuerySize;
  if (roll < 42) return OpKind::kQueryFetch;
  if (roll < 46) return OpKind::kQueryShort;
  if (roll < 50) return OpKind::kQueryLarge;
  if (roll < 68) return OpKind::kSet;
  if (roll < 75) return OpKind::kDeleteValue;
  if (roll < 82) return OpKind::kDeleteKey;
  if (roll < 87) return OpKind::kEnumKeys;
  if (roll < 92) return OpKind::kEnumValues;
  return OpKind::kClose;
}

bool TakesKeyPath(OpKind kind) {
  return kind == OpKind::kOpen || kind == OpKind::kCreate || kind == OpKind::kDeleteKey;
}

bool TakesValueName(OpKind kind) {
  return kind != OpKind::kClose && kind != OpKind::kEnumKeys && kind != OpKind::kEnumValues &&
         !TakesKeyPath(kind);
}

// A slot for a call to take: mostly one that an earlier open or create of the sequence fills.
int SlotInUse(Random& random, const bool (&filled)[kSlots]) {
  const int start = static_cast<int>(random.Below(kSlots));
  for (int i = 0; i < kSlots && random.Chance(95); ++i) {
    if (filled[(start + i) % kSlots]) return (start + i) % kSlots;
  }
  return start;
}

// A slot for a new handle: mostly a free one.
int FreeSlot(Random& random, const bool (&filled)[kSlots]) {
  const int start = static_cast<int>(random.Below(kSlots));
  for (int i = 0; i < kSlots && random.Chance(90); ++i) {
    if (!filled[(start + i) % kSlots]) return (start + i) % kSlots;
  }
  return start;
}

Op Generated(Random& random, bool (&filled)[kSlots]) {
  Op op;
  op.kind = PickKind(random);
  op.slot = SlotInUse(random, filled);
  op.into = FreeSlot(random, filled);
  if (TakesKeyPath(op.kind)) {
    const std::uint32_t roll = random.Below(100);
    if (roll < 45) {  // below an open key
      op.path = KeyPath(random);
      if (random.Chance(8))
        op.path = op.kind == OpKind::kDeleteKey && random.Chance(50) ? "\\" : "";
    } else {  // from a root, through the sequence's own key (HKCR and HKLM\...\Classes alike)
      const Base& base = roll < 97 ? kBases[random.Below(4)] : kBases[0];
      op.slot = kRoot;
      op.root = roll < 97 ? base.root : platform::kPerformanceData;  // HKPD is no tree
      op.path = random.Pick(base.spellings);
      if (random.Chance(60)) op.path += "\\" + KeyPath(random);
    }
  } else if (TakesValueName(op.kind)) {
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
  Random random(seed);
  Sequence sequence(5 + random.Below(36));
  bool filled[kSlots] = {};
  for (Op& op : sequence) op = Generated(random, filled);
  return sequence;
}

void Clean(platform::Registry& registry) {
  registry.DeleteKey(platform::kCurrentUser, kBases[0].spellings[0]);
  registry.DeleteKey(platform::kLocalMachine, kBases[1].spellings[0]);
  registry.DeleteKey(platform::kCurrentUser, kBases[3].spellings[0]);
  registry.DeleteValue(platform::kCurrentUser, kRootValue);
}

}  // namespace vireo::regdiff
