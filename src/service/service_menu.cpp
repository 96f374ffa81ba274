#include "service/service_menu.h"

#include "platform/program_files.h"
#include "resource.h"
#include "service/launch_menus.h"
#include "service/setup_export.h"
#include "tools/about.h"
#include "tools/system_info.h"
#include "ui/action.h"
#include "ui/trap.h"

namespace vireo::service {

using platform::MessageStyle;

bool ServiceMenu::OnCommand(int command_id) {
  switch (command_id) {
    case IDM_SERVICE_TOGGLE:
      MinimiseAll();
      break;
    case IDM_SERVICE_RUN:
      platform_.session.RunDialog(owner_.Handle(), kRunTitle, kRunPrompt);
      break;
    case IDM_SERVICE_SAVEREG:
      BackUpRegistry();
      break;
    case IDM_SERVICE_LOADREG:
      RestoreRegistry();
      break;
    case IDM_SERVICE_SETUP:
      ExportSetup(platform_, owner_.Handle());
      break;
    case IDM_SERVICE_LOAD_SETUP:
      RestoreSetup(platform_, owner_.Handle());
      break;
    case IDM_SERVICE_EXIT:
      platform_.session.ShutDownDialog();
      break;
    case IDM_SERVICE_REBOOT:
      EndSession("Вы действительно желаете перезагрузить компьютер?", platform::kExitReboot);
      break;
    case IDM_SERVICE_POWER:
      EndSession("Вы действительно желаете выключить компьютер?", platform::kExitShutDown);
      break;
    case IDM_SERVICE_LOGOFF_STANDARD:
      EndSession("Вы действительно желаете войти под другим именем?", platform::kExitLogOff);
      break;
    case IDM_SERVICE_LOGOFF_FORCE:
      EndSession("Вы действительно желаете принудительно войти под другим именем?",
                 platform::kExitForce);
      break;
    case IDM_HELP_HELP:
      // From the program directory, whatever the current directory is.
      platform::OpenProgramFile(platform_, "Vireo.chm");
      break;
    case IDM_HELP_LICENSE:
      platform::OpenProgramFile(platform_, "license.txt");
      break;
    case IDM_HELP_MAIL:
      platform_.shell.Open("open", kAuthorMail, platform::kShowNormal);
      break;
    case IDM_HELP_ABOUT:
      tools::RunAbout(platform_, toolkit_, owner_);
      break;
    case IDM_HELP_OS:
      tools::RunSystemInfo(platform_, toolkit_, owner_);
      break;
    case IDM_HELP_WINDOWS:
      platform_.session.AboutWindows(owner_.Handle(), "Windows", "Windows");
      break;
    case IDM_SERVICE_CLEAN:  // no command of its own; greyed out
      break;
    case IDM_SERVICE_JOURNAL:
      if (on_journal) on_journal();
      break;
    default:
      return false;
  }
  return true;
}

bool ServiceMenu::Ask(const std::string& question, MessageStyle style) {
  return platform_.messages.Show(owner_.Handle(), question, platform::kMessageTitle, style) !=
         platform::Answer::kNo;
}

void ServiceMenu::MinimiseAll() {
  const ui::ActionScope action("Свернуть все окна");
  const std::string file = platform::ProgramFile(platform_.system, "toggle.scf");
  if (file.empty()) return;
  // A file that cannot be written is handed to the shell all the same: one left from an
  // earlier use still does its work.
  platform_.files.Replace(file, kToggleFile);
  platform_.shell.Open("open", file, platform::kShowHidden);
}

void ServiceMenu::BackUpRegistry() {
  const std::string backup = platform::ProgramFile(platform_.system, "Reg.reg");
  if (backup.empty() || !Ask(kBackupQuestion, MessageStyle::kExclamationYesNo)) return;
  // The editor exports the whole registry when the command names no key; it replaces an
  // earlier backup.
  platform_.shell.Start(platform_.system.WindowsDirectory() + "\\regedit.exe /e " +
                        CommandLineArgument(backup));
}

void ServiceMenu::RestoreRegistry() {
  const std::string backup = platform::ProgramFile(platform_.system, "reg.reg");
  if (!platform_.shell.FileExists(backup)) {
    platform_.messages.Show(owner_.Handle(), kBackupMissing, platform::kMessageTitle,
                            MessageStyle::kCriticalOk);
    return;
  }
  if (!Ask(kRestoreQuestion, MessageStyle::kExclamationYesNo)) return;
  // "/c" makes the editor rebuild the whole registry from the file rather than merge it.
  platform_.shell.Start(platform_.system.WindowsDirectory() + "\\regedit.exe /c " +
                        CommandLineArgument(platform::ProgramFile(platform_.system, "Reg.reg")));
}

void ServiceMenu::EndSession(const std::string& question, std::uint32_t flags) {
  // Only a Yes ends the session; nothing is saved or closed first.
  if (platform_.messages.Show(owner_.Handle(), question, platform::kMessageTitle,
                              MessageStyle::kQuestionYesNo) != platform::Answer::kYes) {
    return;
  }
  platform_.session.EndSession(flags);
}

}  // namespace vireo::service
