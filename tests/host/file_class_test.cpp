// The file class lookups: an extension's class description, and the key of its entry in
// Explorer's "New" menu.
#include <gtest/gtest.h>

#include "platform/host/memory_registry.h"
#include "registry/file_class.h"

namespace vireo::registry {
namespace {

using namespace std::string_literals;

// Stores `data` as the default value of a key below Software\Classes; "-" stores nothing.
void Put(platform::MemoryRegistry& memory, const std::string& key, const std::string& data,
         std::uint32_t type = platform::kRegSz) {
  if (data == "-") return;
  memory.Put(platform::kLocalMachine, "Software\\Classes\\" + key, "", type,
             {data.begin(), data.end()});
}

TEST(FileClassTest, DescriptionOfTheClassOrUnknownOrNothing) {
  const std::string long_text(700, 'd');
  struct Case {
    std::string name, description;  // the two default values as stored, "-" for no key
    std::uint32_t type;             // of the class name
    std::string expected;
  } cases[] = {
      {"txtfile\0"s, "Text Document\0"s, platform::kRegSz, "Text Document"},
      {"t", "Text Document", platform::kRegSz, "Text Document"},  // stored without their NUL
      {"t", long_text, platform::kRegSz, long_text},
      {"t", "", platform::kRegSz, "<Unknown>"},
      {"t", "-", platform::kRegSz, "<Unknown>"},
      {"", "-", platform::kRegSz, "<Unknown>"},
      {"-", "-", platform::kRegSz, ""},
      {"t", "D", platform::kRegBinary, "D"},  // the class name as any type
      {"t\0"s, "D", platform::kRegExpandSz, "D"},
  };
  for (const Case& c : cases) {
    platform::MemoryRegistry memory;
    Put(memory, ".txt", c.name, c.type);
    Put(memory, c.name.c_str(), c.description);
    EXPECT_EQ(ClassDescription(memory, ".txt"), c.expected) << c.name;
    // Given the class name read already, the lookup comes to the same.
    EXPECT_EQ(ClassDescription(memory, ".txt", ReadClassName(memory, ".txt")), c.expected);
    EXPECT_EQ(memory.open_handles(), 0u);
  }
}

TEST(FileClassTest, ShellNewInTheClassSubkeyFirstActiveBeforeSwitchedOff) {
  const std::string ext = "Software\\Classes\\.txt", in_class = ext + "\\txtfile\\ShellNew",
                    in_ext = ext + "\\ShellNew";
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{in_ext, in_class}, in_class},         {{in_ext, in_class + "-"}, in_class + "-"},
      {{in_class + "-", in_class}, in_class}, {{in_ext + "-", in_ext}, in_ext},
      {{in_ext + "-"}, in_ext + "-"},         {{ext + "\\wordpad\\ShellNew"}, ""},
  };
  for (const auto& [keys, expected] : cases) {
    platform::MemoryRegistry memory;
    Put(memory, ".txt", "txtfile");
    for (const std::string& key : keys) memory.Put(platform::kLocalMachine, key, "", 1, {});
    EXPECT_EQ(ShellNewKey(memory, ext), expected.empty() ? "" : "HKLM\\" + expected + "\\");
    EXPECT_EQ(memory.open_handles(), 0u);
  }
}

}  // namespace
}  // namespace vireo::registry
