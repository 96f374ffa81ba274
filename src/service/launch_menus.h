// "Программы" and "Апплеты": the two launch menus of the main window. Both are made once at
// start-up from the program's string table, and an entry whose file is missing stays in its menu
// greyed out. The file test is made only then: a file that appears or goes later changes nothing
// until the program is started again.
#pragma once

#include <string>

#include "platform/platform.h"
#include "ui/page_part.h"
#include "ui/toolkit.h"

namespace vireo::service {

inline constexpr int kProgramCount = 24;
inline constexpr int kAppletCount = 21;

// One entry of a launch menu as its string-table text gives it.
struct LaunchEntry {
  bool separator = false;  // the text "n|-"
  std::string caption;     // the text after the first "|"
  std::string file;        // the full name of the program or applet file
};

// A "Программы" entry: a directory digit ("1" the Windows directory, any other the System
// directory), the base name of an ".exe" file, "|", the caption.
LaunchEntry ParseProgramEntry(const std::string& text, const std::string& windows_dir,
                              const std::string& system_dir);
// An "Апплеты" entry: the base name of a ".cpl" file in the System directory, "|", the caption.
LaunchEntry ParseAppletEntry(const std::string& text, const std::string& system_dir);

// `path` as one argument of a command line: in double quotes when it holds a blank.
std::string CommandLineArgument(const std::string& path);

// The two menus as one start-up part: the refresh does not make them again.
class LaunchMenus : public ui::PagePart {
 public:
  LaunchMenus(platform::Platform& platform, ui::Menu* programs, ui::Menu* applets)
      : platform_(platform), programs_(programs), applets_(applets) {}

  // Makes the Applets menu, then the Programs menu.
  void Load() override;
  // A click on an entry of either menu starts its program; false when `command_id` is neither
  // menu's.
  bool OnCommand(int command_id);

 private:
  void Build(ui::Menu* menu, int first_command, int first_string, int count, bool applets);
  bool Lookup(int string_id, bool applet, LaunchEntry* entry);

  platform::Platform& platform_;
  ui::Menu* programs_;
  ui::Menu* applets_;
};

}  // namespace vireo::service
