// The registry value, path splitting and the three registry operations, on the in-memory
// registry. The cases that must also hold on the real registry live in tests/cases.
#include <gtest/gtest.h>

#include <functional>

#include "platform/counting_registry.h"
#include "platform/host/memory_registry.h"
#include "registry/reg_access.h"
#include "registry/reg_value.h"

namespace vireo::registry {
namespace {

using platform::CountingRegistry;
using platform::MemoryRegistry;
using Bytes = std::vector<std::uint8_t>;

// --- Value conversions ----------------------------------------------------------------------

TEST(ParseNumberTest, AcceptsDecimalTextWithSignAndBlanks) {
  std::int32_t n = 99;
  EXPECT_EQ(ParseNumber("16", &n), NumberParse::kOk);
  EXPECT_EQ(n, 16);
  EXPECT_EQ(ParseNumber(" -3", &n), NumberParse::kOk);
  EXPECT_EQ(n, -3);
  EXPECT_EQ(ParseNumber("+7 ", &n), NumberParse::kOk);
  EXPECT_EQ(n, 7);
  EXPECT_EQ(ParseNumber("007", &n), NumberParse::kOk);
  EXPECT_EQ(n, 7);
  EXPECT_EQ(ParseNumber("-2147483648", &n), NumberParse::kOk);
  EXPECT_EQ(n, INT32_MIN);
  EXPECT_EQ(ParseNumber("2147483647", &n), NumberParse::kOk);
  EXPECT_EQ(n, INT32_MAX);
}

TEST(ParseNumberTest, RejectsEverythingElseAndLeavesTheNumber) {
  for (const char* text :
       {"", " ", "-", "+", "abc", "1.5", "1e3", "&H10", "0x10", "1 2", "--1", "1-", "\xB9"}) {
    std::int32_t n = 42;
    EXPECT_EQ(ParseNumber(text, &n), NumberParse::kNotANumber) << text;
    EXPECT_EQ(n, 42) << text;
  }
}

TEST(ParseNumberTest, TellsOutOfRangeFromNotANumber) {
  std::int32_t n = 42;
  EXPECT_EQ(ParseNumber("2147483648", &n), NumberParse::kOutOfRange);
  EXPECT_EQ(ParseNumber("-2147483649", &n), NumberParse::kOutOfRange);
  EXPECT_EQ(ParseNumber("99999999999999999999999999", &n), NumberParse::kOutOfRange);
  EXPECT_EQ(n, 42);
}

TEST(HexToBytesTest, PairsOfDigitsHighFirstOddLastIgnored) {
  EXPECT_EQ(HexToBytes("01000000"), (Bytes{0x01, 0x00, 0x00, 0x00}));
  EXPECT_EQ(HexToBytes("40010020"), (Bytes{0x40, 0x01, 0x00, 0x20}));
  EXPECT_EQ(HexToBytes("FFA"), (Bytes{0xFF}));
  EXPECT_EQ(HexToBytes("-"), Bytes{});
  EXPECT_EQ(HexToBytes(""), Bytes{});
}

TEST(HexToBytesTest, OtherCharactersGiveTheLowBitsOfTheSameArithmetic) {
  // "a" is 97: digit 42; "G" is 71: digit 16; " " is 32: digit -16.
  EXPECT_EQ(HexToBytes("0a"), Bytes{42});
  EXPECT_EQ(HexToBytes("1G"), Bytes{32});
  EXPECT_EQ(HexToBytes("  "), Bytes{static_cast<std::uint8_t>((-16 * 16 - 16) & 0xFF)});
  EXPECT_EQ(HexToBytes("\xFF\xFF"), Bytes{static_cast<std::uint8_t>((200 * 16 + 200) & 0xFF)});
}

TEST(RegValueTest, AsTextOfEveryKind) {
  EXPECT_EQ(RegValue().AsText(), "");
  EXPECT_EQ(RegValue::Text("a b").AsText(), "a b");
  EXPECT_EQ(RegValue::Number(-12).AsText(), "-12");
  EXPECT_EQ(RegValue::Bytes({'A', 0, 0xC0}).AsText(), std::string("A\0\xC0", 3));
}

TEST(RegValueTest, NumericValueOfEveryKind) {
  EXPECT_EQ(RegValue().NumericValue(), 0);
  EXPECT_EQ(RegValue::Number(5).NumericValue(), 5);
  EXPECT_EQ(RegValue::Text("1").NumericValue(), 1);
  EXPECT_EQ(RegValue::Bytes({'2', '0'}).NumericValue(), 20);
  EXPECT_EQ(RegValue::Text("").NumericValue(), std::nullopt);
  EXPECT_EQ(RegValue::Text("yes").NumericValue(), std::nullopt);
  EXPECT_EQ(RegValue::Bytes({1, 0, 0, 0}).NumericValue(), std::nullopt);
}

TEST(RegValueTest, AccessorsOfAnotherKindGiveNothing) {
  const RegValue number = RegValue::Number(3);
  EXPECT_EQ(number.text(), "");
  EXPECT_TRUE(number.bytes().empty());
  EXPECT_EQ(RegValue::Text("3").number(), 0);
  EXPECT_NE(RegValue::Text("3"), RegValue::Number(3));
  EXPECT_NE(RegValue(), RegValue::Text(""));
}

// --- Paths ------------------------------------------------------------------------------------

TEST(RootKeyTest, SevenUpperCaseAbbreviations) {
  EXPECT_EQ(RootKey("HKCU"), platform::kCurrentUser);
  EXPECT_EQ(RootKey("HKLM"), platform::kLocalMachine);
  EXPECT_EQ(RootKey("HKCR"), platform::kClassesRoot);
  EXPECT_EQ(RootKey("HKCC"), platform::kCurrentConfig);
  EXPECT_EQ(RootKey("HKDD"), platform::kDynData);
  EXPECT_EQ(RootKey("HKPD"), platform::kPerformanceData);
  EXPECT_EQ(RootKey("HKU"), platform::kUsers);
  for (const char* other : {"hkcu", "Hkcu", "HKCU ", "HKEY_CURRENT_USER", "HK", ""}) {
    EXPECT_EQ(RootKey(other), 0u) << other;
  }
}

TEST(SplitPathTest, RootKeyPathAndName) {
  ValuePath p;
  ASSERT_TRUE(SplitPath(
      "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\NoFileMenu", &p));
  EXPECT_EQ(p.root, platform::kCurrentUser);
  EXPECT_EQ(p.key, "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer");
  EXPECT_EQ(p.name, "NoFileMenu");

  ASSERT_TRUE(SplitPath("HKCR\\Network\\SharingHandler\\", &p));
  EXPECT_EQ(p.key, "Network\\SharingHandler");
  EXPECT_EQ(p.name, "");

  // The key path passes on unchanged, doubled backslashes included.
  ASSERT_TRUE(SplitPath("HKLM\\A\\\\B\\V", &p));
  EXPECT_EQ(p.key, "A\\\\B");
  ASSERT_TRUE(SplitPath("HKCU\\\\V", &p));
  EXPECT_EQ(p.key, "");
}

TEST(SplitPathTest, FewerThanTwoBackslashesCannotBeSplit) {
  ValuePath p;
  EXPECT_FALSE(SplitPath("HKCU\\Name", &p));
  EXPECT_FALSE(SplitPath("HKCU\\", &p));
  EXPECT_FALSE(SplitPath("HKCU", &p));
  EXPECT_FALSE(SplitPath("", &p));
}

TEST(SplitDeletePathTest, KeyPaths) {
  DeletePath p;
  ASSERT_TRUE(SplitDeletePath("HKCU\\Software\\Foo\\Bar\\", &p));
  EXPECT_TRUE(p.is_key);
  EXPECT_EQ(p.parent, "Software\\Foo\\");
  EXPECT_EQ(p.name, "Bar");
  ASSERT_TRUE(SplitDeletePath("HKCR\\Network\\SharingHandler\\", &p));
  EXPECT_EQ(p.root, platform::kClassesRoot);
  EXPECT_EQ(p.parent, "Network\\");
  EXPECT_EQ(p.name, "SharingHandler");
  ASSERT_TRUE(SplitDeletePath("HKCU\\Name\\", &p));
  EXPECT_EQ(p.parent, "");
  EXPECT_EQ(p.name, "Name");
}

TEST(SplitDeletePathTest, ValuePaths) {
  DeletePath p;
  ASSERT_TRUE(SplitDeletePath("HKCU\\Software\\Foo\\Value", &p));
  EXPECT_FALSE(p.is_key);
  EXPECT_EQ(p.parent, "Software\\Foo");
  EXPECT_EQ(p.name, "Value");
  ASSERT_TRUE(SplitDeletePath("HKCU\\Value", &p));
  EXPECT_EQ(p.parent, "");
  EXPECT_EQ(p.name, "Value");
}

TEST(SplitDeletePathTest, AKeyWithoutANameIsRefused) {
  // Deleting a key named "" would delete its parent, or the whole root.
  DeletePath p;
  EXPECT_FALSE(SplitDeletePath("HKCU\\", &p));
  EXPECT_FALSE(SplitDeletePath("HKCU\\Software\\\\", &p));
  EXPECT_FALSE(SplitDeletePath("HKCU", &p));
}

// --- Operations -------------------------------------------------------------------------------

class RegAccessTest : public ::testing::Test {
 protected:
  MemoryRegistry memory_;
  CountingRegistry registry_{memory_};
};

TEST_F(RegAccessTest, TextIsStoredWithoutNulAndReadBack) {
  EXPECT_EQ(
      RegWrite(registry_, "HKCR\\Network\\SharingHandler\\", RegValue::Text("msshrui.dll"), 1), 0);
  std::uint32_t type = 0;
  Bytes data;
  ASSERT_TRUE(memory_.Get(platform::kClassesRoot, "Network\\SharingHandler", "", &type, &data));
  EXPECT_EQ(type, platform::kRegSz);
  EXPECT_EQ(data, Bytes(std::begin("msshrui.dll"), std::end("msshrui.dll") - 1));  // 11 bytes
  RegValue value;
  EXPECT_EQ(RegRead(registry_, "HKCR\\Network\\SharingHandler\\", &value), 0);
  EXPECT_EQ(value, RegValue::Text("msshrui.dll"));
}

TEST_F(RegAccessTest, ReadLeavesTheValueAloneOnEveryFailure) {
  memory_.Put(platform::kCurrentUser, "K", "Long", platform::kRegDword, {1, 2, 3, 4, 5, 6, 7, 8});
  const RegValue start = RegValue::Bytes({9});
  for (const char* path :
       {"HKCU\\K\\Missing", "HKCU\\NoKey\\V", "hkcu\\K\\Long", "HKCU\\V", "HKCU\\K\\Long"}) {
    RegValue value = start;
    EXPECT_NE(RegRead(registry_, path, &value), 0) << path;
    EXPECT_EQ(value, start) << path;
  }
  EXPECT_EQ(memory_.open_handles(), 0u);
}

TEST_F(RegAccessTest, DwordOfOtherSizes) {
  // A short REG_DWORD reads with zeros above its bytes; a longer one does not fit (234).
  memory_.Put(platform::kCurrentUser, "K", "Short", platform::kRegDword, {0x34, 0x12});
  memory_.Put(platform::kCurrentUser, "K", "Long", platform::kRegDword, {1, 0, 0, 0, 0});
  RegValue value;
  EXPECT_EQ(RegRead(registry_, "HKCU\\K\\Short", &value), 0);
  EXPECT_EQ(value, RegValue::Number(0x1234));
  EXPECT_EQ(RegRead(registry_, "HKCU\\K\\Long", &value), platform::kMoreData);
}

TEST_F(RegAccessTest, WriteConvertsByTheTypeGiven) {
  ASSERT_EQ(RegWrite(registry_, "HKCU\\K\\A", RegValue::Bytes({'4', '2'}), 4), 0);
  ASSERT_EQ(RegWrite(registry_, "HKCU\\K\\B", RegValue::Number(258), 3), 0);
  ASSERT_EQ(RegWrite(registry_, "HKCU\\K\\C", RegValue(), 4), 0);
  RegValue a, b, c;
  RegRead(registry_, "HKCU\\K\\A", &a);
  RegRead(registry_, "HKCU\\K\\B", &b);
  RegRead(registry_, "HKCU\\K\\C", &c);
  EXPECT_EQ(a, RegValue::Number(42));
  EXPECT_EQ(b, RegValue::Bytes({'2', '5', '8'}));
  EXPECT_EQ(c, RegValue::Number(0));
  EXPECT_EQ(RegWrite(registry_, "HKCU\\K\\D", RegValue::Text(""), 4), kNotANumber);
  EXPECT_EQ(RegWrite(registry_, "HKCU\\K\\D", RegValue::Text("-2147483649"), 4), kOutOfRange);
  EXPECT_EQ(memory_.open_handles(), 0u);
}

// Under Wine every call is a round trip: each operation makes only the calls it needs.
TEST_F(RegAccessTest, CallCounts) {
  memory_.PutText(platform::kCurrentUser, "K", "T", "text");
  memory_.PutText(platform::kCurrentUser, "K", "Long", std::string(2000, 'x'));
  memory_.PutNumber(platform::kCurrentUser, "K", "N", 1);
  memory_.Put(platform::kCurrentUser, "K", "E", platform::kRegSz, {});
  memory_.Put(platform::kCurrentUser, "K", "X", platform::kRegExpandSz, {'x', 0});
  memory_.PutText(platform::kCurrentUser, "K\\Sub", "V", "v");
  memory_.PutText(platform::kCurrentUser, "Top", "V", "v");
  memory_.PutText(platform::kCurrentUser, "", "RootValue", "v");
  struct Expect {
    const char* what;
    std::function<void()> run;
    std::size_t calls;
  };
  RegValue v;
  const Expect expectations[] = {
      {"read text", [&] { RegRead(registry_, "HKCU\\K\\T", &v); }, 3},
      {"read long text", [&] { RegRead(registry_, "HKCU\\K\\Long", &v); }, 4},
      {"read number", [&] { RegRead(registry_, "HKCU\\K\\N", &v); }, 3},
      {"read empty text", [&] { RegRead(registry_, "HKCU\\K\\E", &v); }, 3},
      {"read other type", [&] { RegRead(registry_, "HKCU\\K\\X", &v); }, 3},
      {"read missing value", [&] { RegRead(registry_, "HKCU\\K\\None", &v); }, 3},
      {"read missing key", [&] { RegRead(registry_, "HKCU\\None\\V", &v); }, 1},
      {"read bad path", [&] { RegRead(registry_, "HKCU\\V", &v); }, 0},
      {"write text", [&] { RegWrite(registry_, "HKCU\\K\\W", RegValue::Text("1"), 1); }, 3},
      {"write not a number", [&] { RegWrite(registry_, "HKCU\\K\\W", RegValue::Text("z"), 4); }, 2},
      {"write other type", [&] { RegWrite(registry_, "HKCU\\K\\W", RegValue::Text("1"), 7); }, 2},
      {"delete value", [&] { RegDelete(registry_, "HKCU\\K\\T"); }, 3},
      {"delete key", [&] { RegDelete(registry_, "HKCU\\K\\Sub\\"); }, 3},
      {"delete key at the root", [&] { RegDelete(registry_, "HKCU\\Top\\"); }, 1},
      {"delete value at the root", [&] { RegDelete(registry_, "HKCU\\RootValue"); }, 1},
      {"delete missing value", [&] { RegDelete(registry_, "HKCU\\K\\None"); }, 3},
  };
  for (const Expect& e : expectations) {
    registry_.Reset();
    e.run();
    EXPECT_EQ(registry_.total(), e.calls) << e.what;
  }
  EXPECT_EQ(memory_.open_handles(), 0u);
}

}  // namespace
}  // namespace vireo::registry
