// The Files page's file-type controls: the quick-view and open-with boxes of any file in
// Frame16, and the command and description of files of unknown type.
#include <gtest/gtest.h>

#include "fixture.h"

namespace vireo {
namespace {

constexpr char kOpenWith[] = "rundll32.exe shell32.dll,OpenAs_RunDLL \"%1\"";

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
  HCheckBox& Box(int id) { return Get<HCheckBox>(id); }
  HTextBox& Txt(int id) { return Get<HTextBox>(id); }
  std::string Hkcr(const std::string& key) { return Stored(kClassesRoot, key, ""); }
  void Put(const std::string& key, const char* text) {
    if (text) memory.PutText(kClassesRoot, key, "", text);
  }
};

TEST_F(FileTypesTest, FillingShowsWhatIsStoredAndWritesNothing) {
  struct Case {
    const char *quick_view, *open_with, *command, *description;  // nullptr: no key
    int check2, check3;
  } cases[] = {
      // Every box and text changes from one case to the next, the last to the first too.
      {"*", "notepad.exe %1", "n %1", "Д", 1, 1},  // any open-with command ticks
      {" *", nullptr, "", "", 0, 0},
      {"*", "", "x", "E", 1, 1},  // so does an empty one
      {"", nullptr, nullptr, nullptr, 0, 0},
  };
  Start();
  for (int round = 0; round < 2; ++round) {
    for (const Case& c : cases) {
      memory.DeleteKey(kClassesRoot, "*");
      memory.DeleteKey(kClassesRoot, "Unknown");
      Put("*\\Shell\\openas", "menu text without a command");
      Put("*\\QuickView", c.quick_view);
      Put("*\\Shell\\openas\\command", c.open_with);
      Put("Unknown\\Shell\\Open\\Command", c.command);
      Put("Unknown", c.description);
      round == 0 ? Refresh() : window->ShowPage(main::PageId::kFiles);
      SCOPED_TRACE(std::to_string(round) + (c.open_with ? c.open_with : "none"));
      EXPECT_EQ(Box(IDC_CHECK2).Checked(), c.check2);
      EXPECT_EQ(Box(IDC_CHECK3).Checked(), c.check3);
      EXPECT_EQ(Txt(IDC_TXT_O).Text(), c.command ? c.command : "");
      EXPECT_EQ(Txt(IDC_TXT_D).Text(), c.description ? c.description : "");
    }
  }
  Put("Unknown", "E");
  Refresh();
  memory.Put(kClassesRoot, "Unknown", "", 7, {'a', 0, 0});  // a type that reads as nothing
  Refresh();
  EXPECT_EQ(Txt(IDC_TXT_D).Text(), "");
  EXPECT_EQ(Writes(), 0u);
}

TEST_F(FileTypesTest, BoxesWriteTheirEntriesAndClearingDeletesTheWholeKey) {
  CreateLog log{memory};
  platform::Platform logged = Bundle(log);
  Put("*\\QuickView", "");
  Put("*\\QuickView\\Viewer", "x");
  Put("*\\Shell\\print", "Печать");
  main::MainWindow main_window(logged, toolkit);
  ASSERT_TRUE(main_window.Load());
  main_window.Show();

  Box(IDC_CHECK2).Click();
  EXPECT_EQ(Hkcr("*\\QuickView"), "*");
  Box(IDC_CHECK3).Click();
  // The command first, then the menu text.
  EXPECT_EQ(log.paths, (std::vector<std::string>{"*\\QuickView", "*\\Shell\\openas\\command",
                                                 "*\\Shell\\openas"}));
  EXPECT_EQ(Hkcr("*\\Shell\\openas\\command"), kOpenWith);
  EXPECT_EQ(Hkcr("*\\Shell\\openas"), "Открыть с помощью...");

  Put("*\\Shell\\openas\\ddeexec", "x");
  Box(IDC_CHECK2).Click();
  Box(IDC_CHECK3).Click();
  EXPECT_FALSE(memory.Exists(kClassesRoot, "*\\QuickView"));
  EXPECT_FALSE(memory.Exists(kClassesRoot, "*\\Shell\\openas"));
  EXPECT_EQ(Hkcr("*\\Shell\\print"), "Печать");
  Refresh();
  EXPECT_EQ(Box(IDC_CHECK3).Checked(), 0);

  // A command that cannot be written, or a delete that fails, shows what the registry holds.
  log.refused = "*\\Shell\\openas\\command";
  Box(IDC_CHECK3).Click();
  EXPECT_EQ(Box(IDC_CHECK3).Checked(), 0);
  log.refused.clear();
  Box(IDC_CHECK3).Click();
  memory.Protect(kClassesRoot, "*\\Shell\\openas");
  Box(IDC_CHECK3).Click();
  EXPECT_EQ(Box(IDC_CHECK3).Checked(), 1);
}

TEST_F(FileTypesTest, EmptyingTheCommandRemovesTheOpenVerbOnlyWhenThereIsOne) {
  Put("Unknown\\Shell", "edit");
  Put("Unknown\\Shell\\Open\\Command", "c");
  Put("Unknown\\Shell\\Open\\ddeexec", "x");
  Put("Unknown\\Shell\\Edit\\Command", "e");
  Start();
  HTextBox& command = Txt(IDC_TXT_O);
  command.Backspace();
  EXPECT_FALSE(memory.Exists(kClassesRoot, "Unknown\\Shell\\Open"));
  EXPECT_EQ(Hkcr("Unknown\\Shell"), "");
  EXPECT_EQ(Hkcr("Unknown\\Shell\\Edit\\Command"), "e");
  command.Type("n");
  EXPECT_EQ(Hkcr("Unknown\\Shell\\Open\\Command"), "n");
  EXPECT_EQ(Hkcr("Unknown\\Shell"), "open");

  // The command went away, or was emptied, outside the program: emptying the box writes nothing.
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

  // A write that fails shows what the registry still holds.
  Put("Unknown\\Shell\\Open\\Command", "old");
  memory.Protect(kClassesRoot, "Unknown\\Shell\\Open");
  command.Type("z");
  EXPECT_EQ(command.Text(), "old");
}

TEST_F(FileTypesTest, DescriptionIsWrittenAtEveryKeystrokeAndNeverDeleted) {
  Put("Unknown", "Д");
  Start();
  Txt(IDC_TXT_D).Type("а");
  EXPECT_EQ(Hkcr("Unknown"), "Да");
  Txt(IDC_TXT_D).Replace("");
  EXPECT_EQ(Hkcr("Unknown"), "");

  Put("Unknown", "old");
  memory.Protect(kClassesRoot, "Unknown");
  Txt(IDC_TXT_D).Type("z");
  EXPECT_EQ(Txt(IDC_TXT_D).Text(), "old");
}

}  // namespace
}  // namespace vireo
