// The REGEDIT4 reader that loads registry files into the in-memory stand-in; the setup export's
// tests load what the export writes with it, binary data and strings in bytes among them.
#include "platform/host/regedit4.h"

#include <gtest/gtest.h>

#include <tuple>

namespace vireo::platform {
namespace {

std::string Text(const MemoryRegistry& memory, HKey root, const std::string& key,
                 const std::string& name, std::uint32_t* type = nullptr) {
  std::vector<std::uint8_t> data;
  if (!memory.Get(root, key, name, type, &data)) return "<none>";
  return std::string(data.begin(), data.end());
}

TEST(Regedit4Test, LoadsKeysValuesAndEscapes) {
  const std::string text =
      "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Classes\\.txt]\r\n@=\"txtfile\"\r\n\r\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Classes\\.txt\\ShellNew]\r\n\r\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Classes\\txtfile\\shell\\open\\command]\r\n"
      "@=\"C:\\\\WINDOWS\\\\notepad.exe \\\"%1\\\"\"\r\n\"NullFile\"=\"\"\r\n"
      "\"Say \\\"hi\\\"\"=\"\xc4\xee\xea\xf3\xec\xe5\xed\xf2\"\r\n; a remark\n"
      "[HKEY_CURRENT_USER\\Software\\Vireo]\n\"Count\"=dword:0000012a\n";
  MemoryRegistry memory;
  std::string error;
  ASSERT_TRUE(LoadRegedit4(memory, text, &error)) << error;
  using namespace std::string_literals;
  EXPECT_EQ(Text(memory, kLocalMachine, "Software\\Classes\\.txt", ""), "txtfile\0"s);
  // A section without values is a key all the same; HKCR is the same tree.
  EXPECT_TRUE(memory.Exists(kClassesRoot, ".txt\\ShellNew"));
  const std::string command = "Software\\Classes\\txtfile\\shell\\open\\command";
  EXPECT_EQ(Text(memory, kLocalMachine, command, ""), "C:\\WINDOWS\\notepad.exe \"%1\"\0"s);
  EXPECT_EQ(Text(memory, kLocalMachine, command, "NullFile"), "\0"s);
  EXPECT_EQ(Text(memory, kLocalMachine, command, "Say \"hi\""),
            "\xc4\xee\xea\xf3\xec\xe5\xed\xf2\0"s);
  std::uint32_t type = 0;
  EXPECT_EQ(Text(memory, kCurrentUser, "Software\\Vireo", "Count", &type), "\x2a\x01\0\0"s);
  EXPECT_EQ(type, kRegDword);
  EXPECT_EQ(memory.open_handles(), 0u);
}

TEST(Regedit4Test, RefusesWhatItCannotReadAndNamesTheLine) {
  const std::string head = "REGEDIT4\r\n[HKEY_CURRENT_USER\\x]\r\n";
  const std::pair<std::string, std::string> cases[] = {
      {"REGEDIT5\r\n", "line 1:"},
      {"REGEDIT4\r\n\r\n@=\"x\"\r\n", "line 3:"},
      {"REGEDIT4\r\n[HKEY_NOWHERE\\x]\r\n", "line 2:"},
      {head + "@=\"a\\tb\"\r\n", "line 3:"},
      {head + "@=\"open\r\n", "line 3:"},
      {head + "\"a\"=hex:01,02,\r\n", "line 3:"},
      {head + "\"a\"=hex:01,0g\r\n", "line 3:"},
      {head + "\"a\"=hex(2):41,00\r\n", "line 3:"},
      {head + "\"a\"=dword:1\r\n", "line 3:"},
      {head + "@=\"a\" \r\n", "line 3:"}};
  for (const auto& [text, where] : cases) {
    MemoryRegistry memory;
    std::string error;
    EXPECT_FALSE(LoadRegedit4(memory, text, &error)) << text;
    EXPECT_EQ(error.rfind(where, 0), 0u) << text << " gave " << error;
    EXPECT_FALSE(memory.Exists(kCurrentUser, "x")) << text;
  }
}

TEST(Regedit4Test, ReadsBinaryDataStringsInBytesAndEscapedLineBreaks) {
  std::vector<Regedit4Section> sections;
  std::string error;
  ASSERT_TRUE(
      ParseRegedit4("REGEDIT4\r\n[HKEY_PERFORMANCE_DATA\\p]\r\n[HKEY_CURRENT_USER\\x]\r\n"
                    "\"bin\"=hex:00,Ab,ff\r\n\"none\"=hex:\r\n\"lines\"=hex(1):61,0D,0A,62,00\r\n"
                    "\"a\\rb\\n\"=\"c\\nd\"\r\n",
                    &sections, &error))
      << error;
  ASSERT_EQ(sections.size(), 2u);
  EXPECT_EQ(sections[0].root, kPerformanceData);
  std::vector<std::tuple<std::uint32_t, std::string, std::string>> values;
  for (const auto& v : sections[1].values) values.emplace_back(v.type, v.name, v.data);
  EXPECT_EQ(values, (decltype(values){{kRegBinary, "bin", std::string("\x00\xab\xff", 3)},
                                      {kRegBinary, "none", ""},
                                      {kRegSz, "lines", "a\r\nb"},
                                      {kRegSz, "a\rb\n", "c\nd"}}));
}

}  // namespace
}  // namespace vireo::platform
