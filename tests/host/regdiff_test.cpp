// The differential test's own machinery, on the stand-in alone: the generator is deterministic
// and reaches every kind of call, a sequence leaves nothing behind, two faithful registries never
// diverge, the fixed sequences give their results, and a registry with a planted fault is caught
// at the call that shows it.
#include "cases/regdiff.h"

#include <gtest/gtest.h>

#include <regex>

#include "platform/host/memory_registry.h"
#include "registry/ansi_text.h"

namespace vireo::regdiff {
namespace {

std::vector<std::string> Lines(const Sequence& sequence) {
  std::vector<std::string> lines;
  for (const Op& op : sequence) lines.push_back(Describe(op));
  return lines;
}

TEST(RegdiffGeneratorTest, SameSeedSameSequenceAndEveryKindOfCallOccurs) {
  EXPECT_EQ(Lines(Generate(7)), Lines(Generate(7)));
  EXPECT_NE(Lines(Generate(7)), Lines(Generate(8)));

  std::string all;  // every call of 300 sequences, in capitals
  for (std::uint32_t seed = 1; seed <= 300; ++seed) {
    for (const std::string& line : Lines(Generate(seed))) all += registry::UpperAnsi(line) + "\n";
  }
  // Every call, type and root, handle 0, a value directly under a root, Cyrillic names, long
  // data, NULs inside the data, no buffer.
  // clang-format off
  const char* const pieces[] = {
      "OPEN(", "CREATE(", "QUERY(", "SET(", "DELETEVALUE(", "DELETEKEY(", "ENUM(", "CLOSE(",
      "TYPE1,", "TYPE2,", "TYPE3,", "TYPE4,", "TYPE7,", "(HKCR,", "(HKCU,", "(HKLM,", "(HKPD,",
      "(0", "(HKCU, \"VIREODIFFROOTVALUE\"", "\\XEB", "61 00 62", "NO BUFFER"};
  // clang-format on
  for (const char* piece : pieces) EXPECT_NE(all.find(piece), std::string::npos) << piece;
  EXPECT_TRUE(std::regex_search(all, std::regex(", [1-4][0-9]{3} BYTES")));  // long data
}

// Two faithful registries never diverge; a sequence closes every handle it opened and leaves
// none of its keys behind, nor touches any other.
TEST(RegdiffRunTest, TwoStandInsNeverDivergeAndNothingIsLeftBehind) {
  platform::MemoryRegistry first;
  platform::MemoryRegistry second;
  first.PutText(platform::kCurrentUser, "Software\\Other", "Kept", "yes");
  std::size_t calls = 0;
  for (std::uint32_t seed = 1; seed <= 300; ++seed) {
    const Divergence d = Compare(first, second, Generate(seed));
    ASSERT_FALSE(d.found) << "seed " << seed << ": " << d.first << " / " << d.second;
    calls += d.calls;
    ASSERT_EQ(first.open_handles(), 0u) << "seed " << seed;
    ASSERT_FALSE(first.Exists(platform::kCurrentUser, "Software\\VireoDiff"));
    ASSERT_FALSE(first.Exists(platform::kLocalMachine, "Software\\Classes\\VireoDiff"));
    ASSERT_FALSE(first.Exists(platform::kCurrentUser, "VireoDiffRootKey"));
    ASSERT_FALSE(first.Get(platform::kCurrentUser, "", "VireoDiffRootValue", nullptr, nullptr));
  }
  EXPECT_TRUE(first.Get(platform::kCurrentUser, "Software\\Other", "Kept", nullptr, nullptr));
  EXPECT_GT(calls, 300u * 10);  // most calls reach a registry
}

// The fixed sequences, as the stand-in answers them (and Wine's registry, through the adapter,
// as regdiff.exe checks).
TEST(RegdiffRunTest, KnownSequencesGiveTheirResults) {
  const char* const expected[] = {
      "create=0 new; query=0 size=0 type1 fetch=0 sz \"\" rest-kept short=n/a; "
      "create=0 existing; create=0 existing",
      "create=0 new; set=0; query=0 size=0 type3/8 fetch=0 type3 [01 02 03 04 05 06 07 08] "
      "rest-kept short=234 size-given; set=0; create=0 new; create=0 new; keys=259 values=259 "
      "{\"Eight\"=type3 [01 02 03 04 05 06 07 08], \"Zeta\", \"alpha\", \"n\"=type4 [05 00 00 00]}",
      "open=6; query=6 size=6; close=6; close=0; close=0; create=6",
      "create=0 new; create=0 existing",
      "create=0 new; open=0; delete=0; set=1018; delete=87; delete=87",
  };
  platform::MemoryRegistry registry;
  const std::vector<Sequence> known = Known();
  ASSERT_EQ(known.size(), std::size(expected));
  for (std::size_t i = 0; i < known.size(); ++i) {
    std::string lines;
    for (const std::string& line : regdiff::Run(registry, known[i]))
      lines += (lines.empty() ? "" : "; ") + line;
    EXPECT_EQ(lines, expected[i]);
  }
}

// A stand-in whose value names compare with regard to letter case when a value is deleted below
// an open key: the kind of fault the comparison exists to find.
class CaseSensitiveDelete : public platform::MemoryRegistry {
 public:
  std::int32_t DeleteValue(platform::HKey key, const std::string& name) override {
    // Not at a root: the sequences' cleaning deletes the root-level value there, and a value
    // left behind would carry over into the next sequence.
    if (key >= platform::kClassesRoot ||
        MemoryRegistry::QueryValue(key, name, nullptr, nullptr, nullptr) != 0) {
      return MemoryRegistry::DeleteValue(key, name);  // a root, a bad handle, no such value
    }
    std::string stored;
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
    for (std::uint32_t i = 0; EnumValue(key, i, &stored, &type, &data) == 0; ++i) {
      if (stored == name) return MemoryRegistry::DeleteValue(key, name);
    }
    return platform::kFileNotFound;
  }
};

TEST(RegdiffRunTest, APlantedFaultIsCaughtAtTheCallThatShowsIt) {
  platform::MemoryRegistry faithful;
  CaseSensitiveDelete faulty;
  Divergence d;
  std::uint32_t seed = 0;
  while (!d.found && ++seed <= 2000) d = Compare(faithful, faulty, Generate(seed));
  ASSERT_TRUE(d.found) << "no sequence meets the planted fault";
  EXPECT_EQ(Generate(seed)[d.index].kind, OpKind::kDeleteValue);
  EXPECT_EQ(d.first, "delete=0");
  EXPECT_EQ(d.second, "delete=2");
}

}  // namespace
}  // namespace vireo::regdiff
