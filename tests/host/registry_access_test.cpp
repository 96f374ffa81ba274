// The value conversions and the three registry operations where they go beyond the agreement
// cases (tests/cases, checked in registry_cases_test.cpp), on the in-memory registry.
#include <gtest/gtest.h>

#include <functional>

#include "platform/counting_registry.h"
#include "platform/host/memory_registry.h"
#include "registry/reg_access.h"
#include "registry/reg_value.h"

namespace vireo::registry {
namespace {

using platform::kCurrentUser;

using Bytes = std::vector<std::uint8_t>;

TEST(ParseNumberTest, DecimalTextWithSignAndBlanksOnly) {
  const std::pair<const char*, std::int32_t> numbers[] = {{"16", 16},
                                                          {" -3", -3},
                                                          {"+7\t", 7},
                                                          {"007", 7},
                                                          {"-2147483648", INT32_MIN},
                                                          {"2147483647", INT32_MAX}};
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

class RegAccessTest : public ::testing::Test {
 protected:
  RegValue Read(const std::string& path) {
    RegValue value;
    RegRead(registry_, path, &value);
    return value;
  }

  platform::MemoryRegistry memory_;
  platform::CountingRegistry registry_{memory_};
};

TEST_F(RegAccessTest, ReadsShortNumbersAndLeavesTheValueOnFailure) {
  // A REG_DWORD shorter than 4 bytes reads with zeros above; a longer one does not fit (234).
  memory_.Put(kCurrentUser, "K", "Short", platform::kRegDword, {0x34, 0x12});
  memory_.Put(kCurrentUser, "K", "Long", platform::kRegDword, {1, 0, 0, 0, 0});
  EXPECT_EQ(Read("HKCU\\K\\Short"), RegValue::Number(0x1234));
  const std::pair<const char*, std::int32_t> failures[] = {
      {"HKCU\\K\\Long", platform::kMoreData}, {"HKCU\\K\\Missing", 2}, {"HKCU\\V", kBadPath}};
  for (const auto& [path, status] : failures) {
    RegValue value = RegValue::Bytes({9});
    EXPECT_EQ(RegRead(registry_, path, &value), status) << path;
    EXPECT_EQ(value, RegValue::Bytes({9})) << path;
  }
  EXPECT_EQ(memory_.open_handles(), 0u);
}

TEST_F(RegAccessTest, WriteConvertsByTheTypeGiven) {
  // Text goes without a terminating NUL: 11 bytes for "msshrui.dll".
  ASSERT_EQ(RegWrite(registry_, "HKCU\\K\\T", RegValue::Text("msshrui.dll"), ValueType::kString),
            0);
  Bytes data;
  ASSERT_TRUE(memory_.Get(kCurrentUser, "K", "T", nullptr, &data));
  EXPECT_EQ(data.size(), 11u);
  // Bytes count as their characters, a number as its decimal text, an empty value as 0.
  ASSERT_EQ(RegWrite(registry_, "HKCU\\K\\A", RegValue::Bytes({'4', '2'}), ValueType::kNumber), 0);
  ASSERT_EQ(RegWrite(registry_, "HKCU\\K\\B", RegValue::Number(258), ValueType::kBinary), 0);
  ASSERT_EQ(RegWrite(registry_, "HKCU\\K\\C", RegValue(), ValueType::kNumber), 0);
  EXPECT_EQ(Read("HKCU\\K\\A"), RegValue::Number(42));
  EXPECT_EQ(Read("HKCU\\K\\B"), RegValue::Bytes({'2', '5', '8'}));
  EXPECT_EQ(Read("HKCU\\K\\C"), RegValue::Number(0));
  EXPECT_EQ(memory_.open_handles(), 0u);
}

// Under Wine every call is a round trip: each operation makes only the calls it needs.
TEST_F(RegAccessTest, CallCounts) {
  memory_.PutText(kCurrentUser, "K", "T", "text");
  memory_.PutText(kCurrentUser, "K", "Long", std::string(2000, 'x'));
  memory_.PutNumber(kCurrentUser, "K", "N", 1);
  memory_.Put(kCurrentUser, "K", "E", platform::kRegSz, {});
  memory_.Put(kCurrentUser, "K", "X", platform::kRegExpandSz, {'x', 0});
  memory_.PutText(kCurrentUser, "K\\Sub", "V", "v");
  memory_.PutText(kCurrentUser, "Top", "V", "v");
  memory_.PutText(kCurrentUser, "", "RootValue", "v");
  RegValue v;
  const struct {
    const char* what;
    std::function<void()> run;
    std::size_t calls;
  } expectations[] = {
      {"read text", [&] { RegRead(registry_, "HKCU\\K\\T", &v); }, 3},
      {"read long text", [&] { RegRead(registry_, "HKCU\\K\\Long", &v); }, 4},
      {"read number", [&] { RegRead(registry_, "HKCU\\K\\N", &v); }, 3},
      {"read empty text", [&] { RegRead(registry_, "HKCU\\K\\E", &v); }, 3},
      {"read other type", [&] { RegRead(registry_, "HKCU\\K\\X", &v); }, 3},
      {"read missing value", [&] { RegRead(registry_, "HKCU\\K\\None", &v); }, 3},
      {"read missing key", [&] { RegRead(registry_, "HKCU\\None\\V", &v); }, 1},
      {"read bad path", [&] { RegRead(registry_, "HKCU\\V", &v); }, 0},
      {"write text",
       [&] { RegWrite(registry_, "HKCU\\K\\W", RegValue::Text("1"), ValueType::kString); }, 3},
      {"write not a number",
       [&] { RegWrite(registry_, "HKCU\\K\\W", RegValue::Text("z"), ValueType::kNumber); }, 2},
      {"write other type",
       [&] { RegWrite(registry_, "HKCU\\K\\W", RegValue::Text("1"), static_cast<ValueType>(7)); },
       2},
      {"delete value", [&] { RegDelete(registry_, "HKCU\\K\\T"); }, 3},
      {"delete key", [&] { RegDelete(registry_, "HKCU\\K\\Sub\\"); }, 3},
      {"delete key at the root", [&] { RegDelete(registry_, "HKCU\\Top\\"); }, 1},
      {"delete value at the root", [&] { RegDelete(registry_, "HKCU\\RootValue"); }, 1},
      {"delete missing value", [&] { RegDelete(registry_, "HKCU\\K\\None"); }, 3},
  };
  for (const auto& e : expectations) {
    registry_.Reset();
    e.run();
    EXPECT_EQ(registry_.total(), e.calls) << e.what;
  }
  EXPECT_EQ(memory_.open_handles(), 0u);
}

}  // namespace
}  // namespace vireo::registry
