// The launch menus, "Сервис" and "Справка", driven through their command ids as the menu bar
// and the accelerators deliver them.
#include <gtest/gtest.h>

#include "catalogue_ids.h"
#include "fixture.h"
#include "service/service_menu.h"
#include "service/setup_export.h"

namespace vireo {
namespace {

using platform::Answer;

class MenusTest : public test::MainWindowFixture {
 protected:
  ui::headless::HMenu& Menu(int position) {
    return static_cast<ui::headless::HMenu&>(*Main().MenuAt(position));
  }
  std::string Windows() { return system.WindowsDirectory(); }
  std::string System() { return system.SystemDirectory(); }
  std::string ProgramFile(const std::string& name) {
    return system.ProgramDirectory() + "\\" + name;
  }
};

TEST_F(MenusTest, LaunchMenusGreyOutMissingFilesOnceAndStartTheirPrograms) {
  system.WriteFile(Windows() + "\\NOTEPAD.EXE", "");  // found whatever the letter case
  system.WriteFile(System() + "\\sysedit.exe", "");
  strings.Remove(catalogue::kIdsProgramsMenu + 5);  // an entry that cannot be read is left out
  Start();
  const auto& programs = Menu(2).items();
  ASSERT_EQ(programs.size(), service::kProgramCount - 1u);
  EXPECT_TRUE(programs[4].enabled);          // notepad, in the Windows directory
  EXPECT_TRUE(programs[1].enabled);          // sysedit, in the System directory
  EXPECT_FALSE(programs[14].enabled);        // dxdiag is missing
  EXPECT_FALSE(Menu(3).items()[0].enabled);  // sysdm.cpl is missing
  // The file test was made once: a file that appears later enables nothing.
  system.WriteFile(System() + "\\dxdiag.exe", "");
  Refresh();
  EXPECT_FALSE(Menu(2).items()[14].enabled);

  // Notepad and dxdiag, then a separator's id and the entry that could not be read (nothing),
  // then the first and the last applet.
  for (int entry : {6, 16, 7, 5}) Main().Command(IDM_PROGRAM_FIRST + entry);
  for (int applet : {1, service::kAppletCount}) Main().Command(IDM_APPLET_FIRST + applet);
  EXPECT_EQ(ShellCalls(), (std::vector<std::string>{
                              "start|" + Windows() + "\\notepad.exe|1",
                              "start|" + System() + "\\dxdiag.exe|1",
                              "start|" + Windows() + "\\control.exe " + System() + "\\sysdm.cpl|1",
                              "start|" + Windows() + "\\control.exe " + System() + "\\access.cpl|1",
                          }));
}

TEST_F(MenusTest, LaunchCommandLinesQuoteADirectoryWithABlank) {
  system.PlaceDirectories("Мой Windows", "System 32");
  Start();
  // Notepad from the Windows directory; an applet's line names both directories.
  for (int command : {IDM_PROGRAM_FIRST + 6, IDM_APPLET_FIRST + 1}) Main().Command(command);
  const auto quoted = [](const std::string& path) { return "\"" + path + "\""; };
  EXPECT_EQ(ShellCalls(), (std::vector<std::string>{
                              "start|" + quoted(Windows() + "\\notepad.exe") + "|1",
                              "start|" + quoted(Windows() + "\\control.exe") + " " +
                                  quoted(System() + "\\sysdm.cpl") + "|1",
                          }));
}

TEST_F(MenusTest, EndingTheSessionAsksFirstAndPassesEachCommandsFlags) {
  Start();
  // "Завершение работы" is the shell's dialog, at once, without a question of ours.
  Main().Command(IDM_SERVICE_EXIT);
  for (int command : {IDM_SERVICE_LOGOFF_STANDARD, IDM_SERVICE_LOGOFF_FORCE, IDM_SERVICE_REBOOT,
                      IDM_SERVICE_POWER}) {
    messages.answers = {Answer::kNo, Answer::kYes};
    Main().Command(command);
    Main().Command(command);
  }
  EXPECT_EQ(messages.shown.size(), 8u);
  EXPECT_EQ(session.calls,
            (std::vector<std::string>{"shutdown dialog", "exit|0", "exit|4", "exit|2", "exit|1"}));
  EXPECT_TRUE(shell.calls.empty());
}

TEST_F(MenusTest, BackupAndRestoreGoThroughTheEditorQuotedAndTheSetupSaysWhatIsMissing) {
  Start();
  const std::string editor = Windows() + "\\regedit.exe";
  const std::string backup = "\"" + ProgramFile("Reg.reg") + "\"";  // the directory has a blank
  messages.answers = {Answer::kNo};
  Main().Command(IDM_SERVICE_SAVEREG);
  // The restore without a backup: the message, and no question.
  Main().Command(IDM_SERVICE_LOADREG);
  EXPECT_EQ(messages.shown.back().text, service::kBackupMissing);
  EXPECT_EQ(messages.shown.size(), 2u);

  messages.answers = {Answer::kYes, Answer::kNo, Answer::kYes};
  Main().Command(IDM_SERVICE_SAVEREG);
  system.WriteFile(ProgramFile("Reg.reg"), "REGEDIT4\r\n");  // as the editor names it
  Main().Command(IDM_SERVICE_LOADREG);
  Main().Command(IDM_SERVICE_LOADREG);
  EXPECT_EQ(messages.shown.back().text, service::kRestoreQuestion);
  EXPECT_EQ(ShellCalls(), (std::vector<std::string>{
                              "start|" + editor + " /e " + backup + "|1",
                              "start|" + editor + " /c " + backup + "|1",
                          }));
  // The setup export and its merge, without their files: their messages, over the window.
  Main().Command(IDM_SERVICE_SETUP);
  EXPECT_EQ(messages.shown.back().text, service::kMissingList);
  Main().Command(IDM_SERVICE_LOAD_SETUP);
  EXPECT_EQ(messages.shown.back().text, service::kMissingSetup);
  EXPECT_EQ(messages.shown.back().owner, Main().Handle());
}

TEST_F(MenusTest, HelpAndMinimiseAllOpenTheProgramsFilesAndTheShellsDialogs) {
  Start();
  for (int command :
       {IDM_HELP_HELP, IDM_HELP_LICENSE, IDM_HELP_MAIL, IDM_HELP_WINDOWS, IDM_SERVICE_RUN})
    Main().Command(command);
  // Minimising all writes its command file each time; one that cannot be written is handed
  // over all the same.
  const std::string file = ProgramFile("toggle.scf");
  system.WriteFile(file, "something else, longer than the five lines of the command file");
  Main().Command(IDM_SERVICE_TOGGLE);
  EXPECT_EQ(system.ReadFile(file), service::kToggleFile);
  files.fail = true;
  Main().Command(IDM_SERVICE_TOGGLE);
  EXPECT_EQ(ShellCalls(), (std::vector<std::string>{
                              "open open|" + ProgramFile("Vireo.chm") + "|1",
                              "open open|" + ProgramFile("license.txt") + "|1",
                              std::string("open open|") + service::kAuthorMail + "|1",
                              "open open|" + file + "|0",
                              "open open|" + file + "|0",
                          }));
  EXPECT_EQ(Writes(), 0u);
  ASSERT_EQ(session.calls.size(), 2u);
  EXPECT_EQ(session.calls[0], "about|" + std::to_string(Main().Handle()) + "|Windows|Windows");
  EXPECT_EQ(session.calls[1].rfind("run dialog|" + std::to_string(Main().Handle()) + "|", 0), 0u);
}

}  // namespace
}  // namespace vireo
