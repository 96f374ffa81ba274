// The registry layer on the in-memory registry: the agreement cases (tests/cases), which the
// Wine program also runs against the real registry, each line checked against what the registry
// layer must give; the stand-in's own rules beyond them; the value conversions; and the calls
// each operation makes.
#include <gtest/gtest.h>

#include <set>

#include "cases/registry_cases.h"
#include "platform/counting_registry.h"
#include "platform/host/memory_registry.h"
#include "registry/ansi_text.h"
#include "registry/reg_access.h"
#include "registry/reg_value.h"

namespace vireo::registry {
namespace {

const char* const kExpected[] = {
    "read text: read=0 text:\"msshrui.dll\"",
    "read text stops at NUL: read=0 text:\"abc\"",
    "read empty text: read=0 text:\"\"",
    "read expandable string leaves value: read=0 number:77",
    "read multi-string leaves value: read=0 text:\"keep\"",
    "read dword FF FF FF FF: read=0 number:-1",
    "read dword 258: read=0 number:258",
    "read dword of 2 bytes: read=0 number:4660",
    "read dword of 5 bytes: read=24 bytes:[09]",
    "read binary: read=0 bytes:[01 00 FF 80]",
    "read empty binary: read=0 bytes:[]",
    "read missing value: read=2 empty",
    "read missing key keeps value: read=2 text:\"keep\"",
    "read default value never set: read=0 text:\"\"",
    "write text: write=0 raw=sz \"msshrui.dll\" read=0 text:\"msshrui.dll\"",
    "write default value creates key: write=0 raw=sz \"msshrui.dll\" read=0 text:\"msshrui.dll\"",
    "write number as text: write=0 raw=sz \"-5\"",
    "write empty value as text: write=0 read=0 text:\"\"",
    "write Cyrillic text: write=0 read=0 text:\"\\xCF\\xF0\\xE8\\xE2\\xE5\\xF2 \\xA8\\xB8\"",
    "write binary: write=0 raw=type3 [01 00 00 00] read=0 bytes:[01 00 00 00]",
    "write binary from text: write=0 raw=type3 [41 42]",
    "write binary of every byte: write=0 read=0 size=256 same",
    "write binary longer than 512 bytes: write=0 read=0 size=600 same",
    "write text longer than 512 characters: write=0 read=0 size=700 same",
    "write dword from text 16: write=0 raw=type4 [10 00 00 00]",
    "write dword from number -1: write=0 raw=type4 [FF FF FF FF]",
    "write dword lowest number: write=0 read=0 number:-2147483648",
    "write dword from bytes: write=0 read=0 number:42",
    "write dword from an empty value: write=0 read=0 number:0",
    "write binary from a number: write=0 raw=type3 [32 35 38]",
    "write dword not a number keeps key: write=13 key=yes raw=2",
    "write dword out of range: write=6 key=yes raw=2",
    "write other type creates key only: write=0 key=yes raw=2",
    "write over a value of another type: write=0 write=0 read=0 number:1",
    "write to HKLM: write=0 read=0 number:7",
    "delete value: delete=0 read=2 empty key=yes",
    "delete missing value: delete=2",
    "delete value of missing key: delete=2",
    "delete key with everything below it: delete=0 key=no sibling key=yes",
    "delete missing key: delete=2",
    "delete key below missing parent: delete=2",
    "delete value directly under the root: delete=0 raw=2",
    "delete key directly under the root: delete=0 key=no",
    "root and name only: read=5 empty write=5 raw=2",
    "no backslash: read=5 empty write=5 delete=5 delete=5",
    "key path without a key name: delete=5 delete=5",
    "lower-case root: write=6 read=6 text:\"keep\" delete=6 delete=6 delete=6 key=no",
    "unknown root: write=6 read=6 empty",
    "HKCR is HKLM Software Classes: write=0 read=0 text:\"x\" delete=0 key=no",
    "names ignore letter case: write=0 write=0 read=0 text:\"2\" value spelled \"Name\"",
    "Cyrillic names ignore letter case: write=0 read=0 text:\"y\"",
    "empty component in a key path: write=0 read=0 text:\"d\" read=0 text:\"d\"",
    "trailing backslash on a key path: read=0 text:\"t\"",
    "platform default value of a new key: create=0 created=1 query=0 type=1 size=0 fetch=0 "
    "size=0 created again=0",
    "platform short buffer: query=234 size=8",
    "platform bad handles: open=6 query=6 close0=6 closeHKCU=0 closeHKLM=0",
    "platform enumerations: B=3[AB];key Mid;key Zeta;key alpha;key end=259;n=4[05 00 00 00];"
    "value end=259;",
    "platform handle of a deleted key: delete=0 set=1018",
    "platform create with an empty path: create=0 created=0",
    "platform delete of an empty key name: deleted handle=87 handle 0=87",
    "platform performance data root: create=6",
};

TEST(RegistryCasesTest, MemoryRegistryGivesEveryExpectedResult) {
  platform::MemoryRegistry registry;
  const std::vector<std::string> lines = cases::RunRegistryCases(registry);
  ASSERT_EQ(lines.size(), std::size(kExpected));
  for (std::size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(lines[i], kExpected[i]);
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

// Code page 1251's letters beyond Russian fold too (Ё, Ї, І, Є, Ґ, Ў, Ђ, Џ, Ѕ); signs that
// stand 32 apart as letters do ("[" and "{") are no letters.
TEST(AnsiTextTest, FoldsEveryLetterOfTheCodePage) {
  const std::string upper = "AZ\xC0\xDF\xA8\xAF\xB2\xAA\xA5\xA1\x80\x8F\xBD[@";
  const std::string lower = "az\xE0\xFF\xB8\xBF\xB3\xBA\xB4\xA2\x90\x9F\xBE[@";
  EXPECT_EQ(UpperAnsi(lower), upper);
  EXPECT_EQ(LowerAnsi(upper), lower);
  EXPECT_TRUE(SameAnsiText(upper, lower));
  EXPECT_FALSE(SameAnsiText("[@", "{`"));
}

using platform::kCurrentUser;
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

// Under Wine every call is a round trip: each operation makes only the calls it needs.
TEST(RegAccessTest, CallCounts) {
  platform::MemoryRegistry memory_;
  platform::CountingRegistry registry_{memory_};
  memory_.PutText(kCurrentUser, "K", "T", "text");
  memory_.PutText(kCurrentUser, "K", "Long", std::string(2000, 'x'));
  memory_.PutNumber(kCurrentUser, "K", "N", 1);
  memory_.Put(kCurrentUser, "K", "E", platform::kRegSz, {});
  memory_.Put(kCurrentUser, "K", "X", platform::kRegExpandSz, {'x', 0});
  memory_.PutText(kCurrentUser, "K\\Sub", "V", "v");
  memory_.PutText(kCurrentUser, "Top", "V", "v");
  memory_.PutText(kCurrentUser, "", "RootValue", "v");
  // r: read; d: delete; s: write the text "1"; n: write "z" as a number; 7: a type never written.
  const struct {
    char op;
    const char* path;
    std::size_t calls;
  } expectations[] = {
      {'r', "HKCU\\K\\T", 3},     {'r', "HKCU\\K\\Long", 4}, {'r', "HKCU\\K\\N", 3},
      {'r', "HKCU\\K\\E", 3},     {'r', "HKCU\\K\\X", 3},    {'r', "HKCU\\K\\None", 3},
      {'r', "HKCU\\None\\V", 1},  {'r', "HKCU\\V", 0},       {'s', "HKCU\\K\\W", 3},
      {'n', "HKCU\\K\\W", 2},     {'7', "HKCU\\K\\W", 2},    {'d', "HKCU\\K\\T", 3},
      {'d', "HKCU\\K\\Sub\\", 3}, {'d', "HKCU\\Top\\", 1},   {'d', "HKCU\\RootValue", 1},
      {'d', "HKCU\\K\\None", 3},
  };
  for (const auto& e : expectations) {
    registry_.Reset();
    RegValue v = RegValue::Text(e.op == 'n' ? "z" : "1");
    const auto type = e.op == 's' ? ValueType::kString : ValueType{e.op == 'n' ? 4 : 7};
    e.op == 'r'   ? RegRead(registry_, e.path, &v)
    : e.op == 'd' ? RegDelete(registry_, e.path)
                  : RegWrite(registry_, e.path, v, type);
    EXPECT_EQ(registry_.total(), e.calls) << e.op << " " << e.path;
  }
  EXPECT_EQ(memory_.open_handles(), 0u);
}

// The seven short roots name seven roots; the letters of code page 1251 change case too.
TEST(RegAccessTest, RootsAndLetterCase) {
  std::set<platform::HKey> roots;
  for (const char* root : {"HKCR", "HKCU", "HKLM", "HKU", "HKCC", "HKDD", "HKPD"}) {
    roots.insert(RootKey(root));
  }
  EXPECT_EQ(roots.size(), 7u);
  EXPECT_EQ(roots.count(0), 0u);
  EXPECT_EQ(UpperAnsi("z\xe0\xff\xb8"), "Z\xc0\xdf\xa8");
  EXPECT_EQ(LowerAnsi("Z\xc0\xdf\xa8"), "z\xe0\xff\xb8");
}

}  // namespace
}  // namespace vireo::registry
