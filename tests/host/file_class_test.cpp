// The file class lookups: an extension's class description, and the key of its entry in
// Explorer's "New" menu.
#include <gtest/gtest.h>

#include <vector>

#include "platform/counting_registry.h"
#include "platform/host/memory_registry.h"
#include "registry/file_class.h"

namespace vireo::registry {
namespace {

using platform::kLocalMachine;
using Op = platform::CountingRegistry::Operation;

constexpr char kClasses[] = "Software\\Classes";

// A registry whose default values cannot be read unless they were set, as on Windows NT.
class NoUnsetDefaults : public platform::CountingRegistry {
 public:
  using CountingRegistry::CountingRegistry;
  std::int32_t QueryValue(platform::HKey key, const std::string& name, std::uint32_t* type,
                          std::uint8_t* data, std::uint32_t* size) override {
    if (name.empty()) return platform::kFileNotFound;
    return CountingRegistry::QueryValue(key, name, type, data, size);
  }
};

class FileClassTest : public ::testing::Test {
 protected:
  // Stores raw data as a key's default value below Software\Classes.
  void Put(const std::string& key, const std::string& data, std::uint32_t type = platform::kRegSz) {
    memory_.Put(kLocalMachine, std::string(kClasses) + "\\" + key, "", type,
                std::vector<std::uint8_t>(data.begin(), data.end()));
  }
  void Make(const std::string& key) { memory_.Put(kLocalMachine, key, "x", 1, {}); }
  // Removes every registration below Software\Classes (the key itself stays, as HKCR does).
  void Clear() {
    platform::HKey classes = 0;
    ASSERT_EQ(memory_.OpenKey(kLocalMachine, kClasses, platform::kKeyAllAccess3F, &classes), 0);
    std::string name;
    while (memory_.EnumKey(classes, 0, &name) == 0) memory_.DeleteKey(classes, name);
    memory_.CloseKey(classes);
  }

  platform::MemoryRegistry memory_;
  platform::CountingRegistry counting_{memory_};
};

TEST_F(FileClassTest, DescriptionOfTheClassOrUnknownOrNothing) {
  using namespace std::string_literals;
  const std::string long_text(700, 'd');
  struct Case {
    const char* what;
    std::string class_name;   // the extension's default value; "-" for no extension key
    std::string description;  // the class key's default value; "-" for no class key
    std::uint32_t type;       // of the extension's default value
    std::string expected;
  } cases[] = {
      {"class and description", "txtfile", "Text Document", platform::kRegSz, "Text Document"},
      {"both stored with their NUL", "txtfile\0"s, "Text Document\0"s, platform::kRegSz,
       "Text Document"},
      // Data stored without a terminating NUL keeps its last character.
      {"both stored without a NUL", "t", "D", platform::kRegSz, "D"},
      {"empty class name", "", "-", platform::kRegSz, "<Unknown>"},
      {"only a NUL", "\0"s, "-", platform::kRegSz, "<Unknown>"},
      {"no extension key", "-", "-", platform::kRegSz, ""},
      {"no class key", "txtfile", "-", platform::kRegSz, "<Unknown>"},
      {"empty description", "txtfile", "", platform::kRegSz, "<Unknown>"},
      {"description longer than the first fetch", "txtfile", long_text, platform::kRegSz,
       long_text},
      {"class name as binary data", "txtfile", "Text Document", platform::kRegBinary,
       "Text Document"},
      {"class name as an expandable string", "txtfile\0"s, "Text Document", platform::kRegExpandSz,
       "Text Document"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Clear();
    if (c.class_name != "-") Put(".txt", c.class_name, c.type);
    if (c.description != "-") Put(c.class_name.c_str(), c.description);
    EXPECT_EQ(ClassDescription(counting_, ".txt"), c.expected);
    // Given the class name read already, the lookup comes to the same result.
    EXPECT_EQ(ClassDescription(counting_, ".txt", ReadClassName(counting_, ".txt")), c.expected);
    EXPECT_EQ(memory_.open_handles(), 0u);
  }
}

TEST_F(FileClassTest, DefaultValuesThatCannotBeReadGiveNothing) {
  NoUnsetDefaults nt(memory_);
  Make("Software\\Classes\\.txt");
  EXPECT_EQ(ClassDescription(nt, ".txt"), "");
  EXPECT_EQ(ClassDescription(nt, ".txt", ReadClassName(nt, ".txt")), "");
  EXPECT_EQ(memory_.open_handles(), 0u);
}

TEST_F(FileClassTest, DescriptionTakesOneOpenQueryAndCloseAKey) {
  Put(".txt", "txtfile");
  Put("txtfile", "Text Document");
  EXPECT_EQ(ClassDescription(counting_, ".txt"), "Text Document");
  EXPECT_EQ(counting_.total(), 6u);
  EXPECT_EQ(counting_.count(Op::kQuery), 2u);

  // The class name read already is not fetched again; a missing key is not opened again.
  const ClassNameRead read = ReadClassName(counting_, ".txt");
  EXPECT_EQ(read.Name(), "txtfile");
  counting_.Reset();
  EXPECT_EQ(ClassDescription(counting_, ".txt", read), "Text Document");
  EXPECT_EQ(counting_.total(), 3u);
  const ClassNameRead missing = ReadClassName(counting_, ".doc");
  EXPECT_EQ(missing.Name(), "");
  counting_.Reset();
  EXPECT_EQ(ClassDescription(counting_, ".doc", missing), "");
  EXPECT_EQ(counting_.total(), 0u);
}

TEST_F(FileClassTest, ShellNewInTheClassSubkeyFirstActiveBeforeSwitchedOff) {
  const std::string ext = "Software\\Classes\\.txt";
  const std::string in_class = ext + "\\txtfile\\ShellNew";
  const std::string in_ext = ext + "\\ShellNew";
  struct Case {
    std::vector<std::string> keys;
    std::string expected;
  } cases[] = {
      {{in_ext, in_class}, in_class},
      {{in_ext, in_class + "-"}, in_class + "-"},
      {{in_class + "-", in_class}, in_class},
      {{in_ext + "-", in_ext}, in_ext},
      {{in_ext + "-"}, in_ext + "-"},
      {{ext + "\\wordpad\\ShellNew", ext + "\\txtfile\\ShellNe"}, ""},
      {{}, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected);
    Clear();
    Put(".txt", "txtfile");
    for (const std::string& key : c.keys) Make(key);
    counting_.Reset();
    EXPECT_EQ(ShellNewKey(counting_, ext), c.expected.empty() ? "" : "HKLM\\" + c.expected + "\\");
    EXPECT_EQ(memory_.open_handles(), 0u);
    // The class name is read once, each candidate opened at most once.
    EXPECT_LE(counting_.count(Op::kOpen), 5u);
    EXPECT_EQ(counting_.count(Op::kQuery), 1u);
  }
  // No extension key at all, and an extension without a class name: the first two candidates
  // keep their double backslash (this registry skips the empty component, as Wine does).
  Clear();
  EXPECT_EQ(ShellNewKey(counting_, ext), "");
  Put(".txt", "");
  Make(in_ext + "-");
  EXPECT_EQ(ShellNewKey(counting_, ext), "HKLM\\" + ext + "\\\\ShellNew-\\");
}

}  // namespace
}  // namespace vireo::registry
