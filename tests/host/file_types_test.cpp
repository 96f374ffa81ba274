// The Files page's file-type controls beyond their rows in the case table
// (tests/cases/ui_cases.h): the order in which "Открыть с помощью..." makes its keys, and the
// command of unknown files gone outside.
#include <gtest/gtest.h>

#include "fixture.h"

namespace vireo {
namespace {

// Keeps the key paths that the program creates, in order; the creation of `refused` fails.
struct CreateLog : platform::CountingRegistry {
  using CountingRegistry::CountingRegistry;
  std::int32_t CreateKey(platform::HKey key, const std::string& path, std::uint32_t access,
                         platform::HKey* result, bool* created) override {
    paths.push_back(path);
    if (path == refused) return platform::kAccessDenied;
    return CountingRegistry::CreateKey(key, path, access, result, created);
  }
  std::vector<std::string> paths;
  std::string refused;
};

class FileTypesTest : public test::MainWindowFixture {
 protected:
  std::string Hkcr(const std::string& key) { return Stored(kClassesRoot, key, ""); }
  void Put(const std::string& key, const char* text) {
    if (text) memory.PutText(kClassesRoot, key, "", text);
  }
};

// The command first: the box shows whether it is there, and after a failed write what the
// registry holds.
TEST_F(FileTypesTest, OpenWithWritesTheCommandBeforeTheMenuText) {
  CreateLog log{memory};
  platform::Platform logged = Bundle(log);
  main::MainWindow main_window(logged, toolkit);
  ASSERT_TRUE(main_window.Load());
  main_window.Show();
  HCheckBox& open_with = Get<HCheckBox>(IDC_OPEN_WITH);
  open_with.Click();
  EXPECT_EQ(log.paths, (std::vector<std::string>{"*\\Shell\\openas\\command", "*\\Shell\\openas"}));

  // A command that cannot be written shows what the registry holds (a refused delete is a row).
  open_with.Click();
  log.refused = "*\\Shell\\openas\\command";
  open_with.Click();
  EXPECT_EQ(open_with.Checked(), 0);
}

// The command went away, or was emptied, outside the program: emptying the box writes nothing.
TEST_F(FileTypesTest, EmptyingACommandThatIsGoneWritesNothing) {
  Put("Unknown\\Shell\\Open\\Command", "n");
  Start();
  HTextBox& command = Get<HTextBox>(IDC_UNKNOWN_FILES_COMMAND);
  for (const char* outside : {static_cast<const char*>(nullptr), ""}) {
    memory.DeleteKey(kClassesRoot, "Unknown\\Shell\\Open");
    Put("Unknown\\Shell\\Open\\Command", outside);
    Put("Unknown\\Shell", "edit");
    counting.Reset();
    command.Backspace();
    EXPECT_EQ(Writes(), 0u);
    EXPECT_EQ(Hkcr("Unknown\\Shell"), "edit");
    command.Type("n");
  }
}

}  // namespace
}  // namespace vireo
