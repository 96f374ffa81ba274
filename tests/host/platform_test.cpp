// The portable pieces of the platform layer and the stand-ins that other tests rely on.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "platform/host/standins.h"
#include "platform/open_file.h"

namespace vireo {
namespace {

using namespace std::string_literals;

TEST(OpenFileDialog, HandsTheFilterOverAsANulListAndKeepsItsSettings) {
  EXPECT_EQ(platform::MakeFilterList(""), "\0\0"s);
  EXPECT_EQ(platform::MakeFilterList("A|*.a|B|*.b"), "A\0*.a\0B\0*.b\0\0"s);
  platform::RecordingChooser chooser;
  platform::OpenFileDialog dialog(chooser);
  dialog.filter = "Файлы|*.bmp";
  dialog.owner = 42;
  dialog.title = "Выбор файла";
  chooser.next_choice = "  C:\\WINDOWS\\Облака.bmp ";
  EXPECT_EQ(dialog.Show(), "C:\\WINDOWS\\Облака.bmp");
  // A second caller that sets nothing gets the first one's filter, owner and title; a cancel
  // gives the empty text.
  chooser.next_choice.clear();
  EXPECT_EQ(dialog.Show(), "");
  ASSERT_EQ(chooser.requests.size(), 2u);
  EXPECT_EQ(chooser.requests[1].filter_list, "Файлы\0*.bmp\0\0"s);
  EXPECT_EQ(chooser.requests[1].owner, 42u);
  EXPECT_EQ(chooser.requests[1].title, "Выбор файла");
}

TEST(IniProfile, ReadsAndWritesSectionsWithoutRegardToCase) {
  platform::TempSystem system;
  platform::IniProfile profile;
  const std::string ini = system.WindowsDirectory() + "\\control.ini";
  system.WriteFile(ini, "[mmcpl]\r\nNumApps=3\r\n[Don't Load]\r\ntimedate.cpl=no\r\n");

  EXPECT_EQ(profile.GetString("don't load", "TIMEDATE.CPL", "yes", ini), "no");
  EXPECT_EQ(profile.GetString("Don't Load", "main.cpl", "yes", ini), "yes");
  EXPECT_EQ(profile.GetString("Absent", "x", "fallback", ini), "fallback");

  ASSERT_TRUE(profile.WriteString("Don't Load", "main.cpl", "no", ini));
  ASSERT_TRUE(profile.DeleteKey("Don't Load", "timedate.cpl", ini));
  EXPECT_EQ(system.ReadFile(ini), "[mmcpl]\r\nNumApps=3\r\n[Don't Load]\r\nmain.cpl=no\r\n");
}

// The layering rule: only the Win32 adapters, the Win32 toolkit and WinMain see windows.h.
TEST(Layering, OnlyTheWin32LayersIncludeWindowsH) {
  namespace fs = std::filesystem;
  const fs::path root = fs::path(VIREO_SOURCE_DIR) / "src";
  const std::regex include(R"(#\s*include\s*[<"](windows|winuser|winreg|commdlg|shellapi)\.h)",
                           std::regex::icase);
  int checked = 0;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    if (!entry.is_regular_file()) continue;
    const std::string relative = fs::relative(entry.path(), root).generic_string();
    const bool allowed = relative.starts_with("platform/win32/") ||
                         relative.starts_with("ui/win32/") || relative.starts_with("app/");
    std::ifstream in(entry.path());
    std::stringstream text;
    text << in.rdbuf();
    ++checked;
    if (!allowed) {
      EXPECT_FALSE(std::regex_search(text.str(), include)) << relative;
    }
  }
  EXPECT_GT(checked, 10);
}

}  // namespace
}  // namespace vireo
