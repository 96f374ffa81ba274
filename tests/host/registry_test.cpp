// The registry layer on the in-memory registry: the agreement cases (tests/cases), with the
// registry calls each operation makes, which the Wine program also runs against the real
// registry; the stand-in's own rules beyond them; the value conversions; the roots and the case
// folding.
#include <gtest/gtest.h>

#include <set>

#include "cases/registry_cases.h"
#include "platform/host/memory_registry.h"
#include "registry/ansi_text.h"
#include "registry/reg_access.h"
#include "registry/reg_value.h"

namespace vireo::registry {
namespace {

TEST(RegistryCasesTest, MemoryRegistryGivesEveryExpectedResult) {
  platform::MemoryRegistry registry;
  for (const auto& [got, expected] : cases::RunRegistryCases(registry)) EXPECT_EQ(got, expected);
  // Every key that the operations opened they also closed, failures included.
  EXPECT_EQ(registry.open_handles(), 0u);
  EXPECT_FALSE(registry.Exists(platform::kCurrentUser, "Software\\VireoTest"));
}

// The stand-in's own rules beyond the agreement cases: the tree behind HKCR stays, and handles
// into a deleted branch go stale (a stale handle must never reach freed memory).
TEST(MemoryRegistryTest, KeepsItsOwnRules) {
  using namespace platform;
  MemoryRegistry r;
  // HKLM\Software\Classes is HKCR, which cannot go; an empty key name names no subkey.
  EXPECT_EQ(r.DeleteKey(kLocalMachine, "Software"), kAccessDenied);
  EXPECT_EQ(r.DeleteKey(kLocalMachine, "Software\\Classes"), kAccessDenied);
  EXPECT_EQ(r.DeleteKey(kCurrentUser, "\\"), kInvalidParameter);

  // Deleting a key strands the handles of every key below it, however deep.
  r.PutText(kCurrentUser, "Tree\\A\\B", "V", "x");
  HKey key = 0;
  ASSERT_EQ(r.OpenKey(kCurrentUser, "Tree\\A\\B", kKeyQueryValue, &key), kSuccess);
  EXPECT_EQ(r.DeleteKey(kCurrentUser, "Tree"), kSuccess);
  std::uint32_t size = 0;
  EXPECT_EQ(r.QueryValue(key, "V", nullptr, nullptr, &size), kKeyDeleted);
  EXPECT_EQ(r.CloseKey(key), kSuccess);
  EXPECT_EQ(r.CloseKey(key), kInvalidHandle);
  EXPECT_EQ(r.open_handles(), 0u);
}

using Bytes = std::vector<std::uint8_t>;

TEST(ParseNumberTest, DecimalTextWithSignAndBlanksOnly) {
  const std::pair<const char*, std::int32_t> numbers[] = {
      {" -3", -3}, {"+7\t", 7}, {"007", 7}, {"-2147483648", INT32_MIN}, {"2147483647", INT32_MAX}};
  for (const auto& [text, expected] : numbers) {
    std::int32_t n = 0;
    EXPECT_EQ(ParseNumber(text, &n), NumberParse::kOk) << text;
    EXPECT_EQ(n, expected) << text;
  }
  // Anything else leaves the number alone; decimal text beyond 32 bits is told apart.
  auto refused = [](const char* text) {
    std::int32_t n = 42;
    const NumberParse result = ParseNumber(text, &n);
    EXPECT_EQ(n, 42) << text;
    return result;
  };
  for (const char* text :
       {"", " ", "-", "+", "abc", "1.5", "1e3", "&H10", "0x10", "1 2", "--1", "1-", "\xB9"}) {
    EXPECT_EQ(refused(text), NumberParse::kNotANumber) << text;
  }
  for (const char* text : {"2147483648", "-2147483649", "99999999999999999999999999"}) {
    EXPECT_EQ(refused(text), NumberParse::kOutOfRange) << text;
  }
}

TEST(HexToBytesTest, PairsOfDigitsHighFirstOddLastIgnored) {
  EXPECT_EQ(HexToBytes("40010020"), (Bytes{0x40, 0x01, 0x00, 0x20}));
  EXPECT_EQ(HexToBytes("FFA"), Bytes{0xFF});
  EXPECT_EQ(HexToBytes("-"), Bytes{});
  // Any other character goes through the same arithmetic: "a" (97) is digit 42, "G" (71) is 16,
  // byte 255 is 200 (so 200 * 16 + 200 keeps its low bits, 0x48).
  EXPECT_EQ(HexToBytes("0a"), Bytes{42});
  EXPECT_EQ(HexToBytes("1G"), Bytes{32});
  EXPECT_EQ(HexToBytes("\xFF\xFF"), Bytes{0x48});
}

// The seven short roots name seven roots. Code page 1251's letters beyond Russian fold too (Ё,
// Ї, І, Є, Ґ, Ў, Ђ, Џ, Ѕ); signs that stand 32 apart as letters do ("[" and "{") are no letters.
TEST(RegAccessTest, RootsAndLetterCase) {
  std::set<platform::HKey> roots;
  for (const char* root : {"HKCR", "HKCU", "HKLM", "HKU", "HKCC", "HKDD", "HKPD"}) {
    roots.insert(RootKey(root));
  }
  EXPECT_EQ(roots.size(), 7u);
  EXPECT_EQ(roots.count(0), 0u);
  const std::string upper = "AZ\xC0\xDF\xA8\xAF\xB2\xAA\xA5\xA1\x80\x8F\xBD[@";
  const std::string lower = "az\xE0\xFF\xB8\xBF\xB3\xBA\xB4\xA2\x90\x9F\xBE[@";
  EXPECT_EQ(UpperAnsi(lower), upper);
  EXPECT_EQ(LowerAnsi(upper), lower);
  EXPECT_TRUE(SameAnsiText(upper, lower));
  EXPECT_FALSE(SameAnsiText("[@", "{`"));
}

}  // namespace
}  // namespace vireo::registry
