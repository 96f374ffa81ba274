// The portable pieces of the platform layer, and the layering rule.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "platform/host/standins.h"
#include "platform/open_file.h"
#include "platform/program_files.h"
#include "registry/number_text.h"
#include "user_actions.h"

namespace vireo {
namespace {

using namespace std::string_literals;

TEST(OpenFileDialog, HandsTheFilterOverAsANulListAndKeepsItsSettings) {
  EXPECT_EQ(platform::MakeFilterList(""), "\0\0"s);
  platform::RecordingChooser chooser;
  platform::OpenFileDialog dialog(chooser);
  dialog.filter = "Файлы|*.bmp|B|*.b";
  dialog.owner = 42;
  chooser.next_choice = "  C:\\WINDOWS\\Облака.bmp ";
  EXPECT_EQ(dialog.Show(), "C:\\WINDOWS\\Облака.bmp");
  // A second caller that sets nothing gets the first one's filter and owner; a cancel gives
  // the empty text.
  chooser.next_choice.clear();
  EXPECT_EQ(dialog.Show(), "");
  ASSERT_EQ(chooser.requests.size(), 2u);
  EXPECT_EQ(chooser.requests[1].filter_list, "Файлы\0*.bmp\0B\0*.b\0\0"s);
  EXPECT_EQ(chooser.requests[1].owner, 42u);
}

// A file of a directory takes one backslash; an unknown (empty) directory gives no file at all,
// never a name in the current directory or at the root of its drive.
TEST(ProgramFiles, JoinWithOneBackslashAndNameNothingInAnUnknownDirectory) {
  EXPECT_EQ(platform::InDirectory("C:\\Program Files\\Vireo", "Vireo.chm"),
            "C:\\Program Files\\Vireo\\Vireo.chm");
  EXPECT_EQ(platform::InDirectory("C:\\", "Setup.reg"), "C:\\Setup.reg");
  EXPECT_EQ(platform::InDirectory("", "Setup.reg"), "");
}

// The program's own number formatting, in place of printf's "%08X", "%x" and "%.2f".
TEST(NumberText, PadsHexDigitsAndRoundsToTwoDecimals) {
  EXPECT_EQ(registry::HexText(0), "0");
  EXPECT_EQ(registry::HexText(0xABCDEF0123456789u), "ABCDEF0123456789");
  EXPECT_EQ(registry::HexText(0x1Fu, 8, false), "0000001f");
  EXPECT_EQ(registry::HexText(0x123456789u, 8), "123456789");
  EXPECT_EQ(registry::TwoDecimals(0), "0.00");
  EXPECT_EQ(registry::TwoDecimals(7.049, ","), "7,05");
  EXPECT_EQ(registry::TwoDecimals(99.996), "100.00");
  EXPECT_EQ(registry::TwoDecimals(12.3), "12.30");
}

// Only the Win32 adapters, the Win32 toolkit and WinMain see windows.h.
TEST(Layering, OnlyTheWin32LayersIncludeWindowsH) {
  namespace fs = std::filesystem;
  const fs::path root = fs::path(VIREO_SOURCE_DIR) / "src";
  const std::regex include(R"(#\s*include\s*[<"](windows|winuser|winreg|commdlg|shellapi)\.h)",
                           std::regex::icase);
  int checked = 0;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    if (!entry.is_regular_file()) continue;
    const std::string relative = fs::relative(entry.path(), root).generic_string();
    if (relative.starts_with("platform/win32/") || relative.starts_with("ui/win32/") ||
        relative.starts_with("app/")) {
      continue;
    }
    ++checked;
    EXPECT_FALSE(std::regex_search(test::ReadWhole(entry.path()), include)) << relative;
  }
  EXPECT_GT(checked, 10);
}

}  // namespace
}  // namespace vireo
