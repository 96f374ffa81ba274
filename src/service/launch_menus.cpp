#include "service/launch_menus.h"

#include "catalogue_ids.h"
#include "resource.h"
#include "ui/trap.h"

namespace vireo::service {
namespace {

constexpr char kSeparator[] = "n|-";

// The caption and the base name around the first "|"; false when the text holds none.
bool Split(const std::string& text, std::size_t name_start, std::string* base,
           std::string* caption) {
  const auto bar = text.find('|');
  if (bar == std::string::npos || bar < name_start) return false;
  *base = text.substr(name_start, bar - name_start);
  *caption = text.substr(bar + 1);
  return true;
}

}  // namespace

LaunchEntry ParseProgramEntry(const std::string& text, const std::string& windows_dir,
                              const std::string& system_dir) {
  LaunchEntry entry;
  if (text == kSeparator) {
    entry.separator = true;
    return entry;
  }
  std::string base;
  if (!Split(text, 1, &base, &entry.caption)) {
    entry.caption = text;
    return entry;  // no file: the entry stays greyed out
  }
  const std::string& dir = text[0] == '1' ? windows_dir : system_dir;
  entry.file = dir + "\\" + base + ".exe";
  return entry;
}

LaunchEntry ParseAppletEntry(const std::string& text, const std::string& system_dir) {
  LaunchEntry entry;
  if (text == kSeparator) {
    entry.separator = true;
    return entry;
  }
  std::string base;
  if (!Split(text, 0, &base, &entry.caption)) {
    entry.caption = text;
    return entry;
  }
  entry.file = system_dir + "\\" + base + ".cpl";
  return entry;
}

std::string CommandLineArgument(const std::string& path) {
  return path.find(' ') == std::string::npos ? path : "\"" + path + "\"";
}

void LaunchMenus::Load() {
  ui::Trap(
      [&] { Build(applets_, IDM_APPLET_FIRST, catalogue::kIdsAppletsMenu, kAppletCount, true); });
  ui::Trap([&] {
    Build(programs_, IDM_PROGRAM_FIRST, catalogue::kIdsProgramsMenu, kProgramCount, false);
  });
}

bool LaunchMenus::Lookup(int string_id, bool applet, LaunchEntry* entry) {
  std::string text;
  if (!platform_.strings.Load(string_id, &text)) return false;
  platform::System& system = platform_.system;
  *entry = applet ? ParseAppletEntry(text, system.SystemDirectory())
                  : ParseProgramEntry(text, system.WindowsDirectory(), system.SystemDirectory());
  return true;
}

void LaunchMenus::Build(ui::Menu* menu, int first_command, int first_string, int count,
                        bool applets) {
  if (!menu) return;
  for (int i = 1; i <= count; ++i) {
    ui::Trap([&] {
      LaunchEntry entry;
      if (!Lookup(first_string + i, applets, &entry)) return;
      if (entry.separator) {
        menu->AddSeparator();
        return;
      }
      const int command = first_command + i;
      menu->AddItem(command, entry.caption);
      if (entry.file.empty() || !platform_.shell.FileExists(entry.file)) {
        menu->SetItemEnabled(command, false);
      }
    });
  }
}

bool LaunchMenus::OnCommand(int command_id) {
  const bool program =
      command_id > IDM_PROGRAM_FIRST && command_id <= IDM_PROGRAM_FIRST + kProgramCount;
  const bool applet =
      command_id > IDM_APPLET_FIRST && command_id <= IDM_APPLET_FIRST + kAppletCount;
  if (!program && !applet) return false;
  ui::Trap([&] {
    LaunchEntry entry;
    const int string_id = program ? catalogue::kIdsProgramsMenu + (command_id - IDM_PROGRAM_FIRST)
                                  : catalogue::kIdsAppletsMenu + (command_id - IDM_APPLET_FIRST);
    if (!Lookup(string_id, applet, &entry) || entry.separator || entry.file.empty()) return;
    if (program) {
      platform_.shell.Start(CommandLineArgument(entry.file));
    } else {
      // The Control Panel program from the Windows directory opens the applet.
      platform_.shell.Start(
          CommandLineArgument(platform_.system.WindowsDirectory() + "\\control.exe") + " " +
          CommandLineArgument(entry.file));
    }
  });
  return true;
}

}  // namespace vireo::service
