// The launch menus, "Сервис" and "Справка", driven through their command ids as the menu bar
// and the accelerators deliver them.
#include <gtest/gtest.h>

#include "fixture.h"
#include "resource.h"
#include "service/service_menu.h"

namespace vireo {
namespace {

using platform::Answer;
using platform::MessageStyle;
using ui::headless::HMenu;

class MenusTest : public test::MainWindowFixture {
 protected:
  HMenu& Menu(int position) { return static_cast<HMenu&>(*Main().MenuAt(position)); }
  std::string Windows() { return system.WindowsDirectory(); }
  std::string System() { return system.SystemDirectory(); }
  std::string ProgramFile(const std::string& name) {
    return system.ProgramDirectory() + "\\" + name;
  }
  // What the shell was asked to do, one line a call.
  std::vector<std::string> ShellCalls() {
    std::vector<std::string> lines;
    for (const auto& call : shell.calls) {
      lines.push_back(call.what + "|" + call.target + "|" + std::to_string(call.show));
    }
    return lines;
  }
};

TEST_F(MenusTest, LaunchMenusFollowTheStringTableAndGreyOutMissingFiles) {
  system.WriteFile(Windows() + "\\NOTEPAD.EXE", "");  // found whatever the letter case
  system.WriteFile(System() + "\\sysedit.exe", "");
  system.WriteFile(System() + "\\desk.cpl", "");
  Start();

  const auto& programs = Menu(2).items();
  ASSERT_EQ(programs.size(), 24u);
  std::vector<int> separators;
  for (std::size_t i = 0; i < programs.size(); ++i) {
    if (programs[i].id == 0) separators.push_back(static_cast<int>(i) + 1);
  }
  EXPECT_EQ(separators, (std::vector<int>{7, 10, 14, 19, 23}));
  EXPECT_EQ(programs[5].caption, "Блокнот");
  EXPECT_EQ(programs[5].id, IDM_PROGRAM_FIRST + 6);
  EXPECT_TRUE(programs[5].enabled);
  EXPECT_TRUE(programs[1].enabled);    // sysedit, in the System directory
  EXPECT_FALSE(programs[15].enabled);  // dxdiag is missing
  EXPECT_EQ(programs[15].caption, "Диагностика DirectX");
  EXPECT_EQ(programs[23].caption, "SQL Server Client Config");

  const auto& applets = Menu(3).items();
  ASSERT_EQ(applets.size(), 21u);
  EXPECT_EQ(applets[7].id, 0);
  EXPECT_EQ(applets[13].id, 0);
  EXPECT_EQ(applets[1].caption, "Экран");
  EXPECT_TRUE(applets[1].enabled);
  EXPECT_FALSE(applets[0].enabled);  // sysdm.cpl is missing

  // The file test was made once: a file that appears later enables nothing, and the refresh
  // does not make the menus again.
  system.WriteFile(System() + "\\dxdiag.exe", "");
  Refresh();
  EXPECT_EQ(Menu(2).items().size(), 24u);
  EXPECT_FALSE(Menu(2).items()[15].enabled);
}

TEST_F(MenusTest, LaunchEntriesStartTheirProgramOrTheControlPanelWithTheApplet) {
  strings.Remove(2005);  // an entry that cannot be read is left out
  Start();
  EXPECT_EQ(Menu(2).items().size(), 23u);

  Main().Command(IDM_PROGRAM_FIRST + 6);   // notepad, Windows directory
  Main().Command(IDM_PROGRAM_FIRST + 16);  // dxdiag, System directory: starts though missing
  Main().Command(IDM_PROGRAM_FIRST + 7);   // a separator's id starts nothing
  Main().Command(IDM_PROGRAM_FIRST + 5);   // the entry that could not be read
  Main().Command(IDM_APPLET_FIRST + 1);
  EXPECT_EQ(ShellCalls(), (std::vector<std::string>{
                              "start|" + Windows() + "\\notepad.exe|1",
                              "start|" + System() + "\\dxdiag.exe|1",
                              "start|" + Windows() + "\\control.exe " + System() + "\\sysdm.cpl|1",
                          }));
}

TEST_F(MenusTest, EndingTheSessionAsksFirstAndPassesEachCommandsFlags) {
  Start();
  const std::pair<int, const char*> commands[] = {
      {IDM_SERVICE_LOGOFF_STANDARD, "Вы действительно желаете войти под другим именем?"},
      {IDM_SERVICE_LOGOFF_FORCE, "Вы действительно желаете принудительно войти под другим именем?"},
      {IDM_SERVICE_REBOOT, "Вы действительно желаете перезагрузить компьютер?"},
      {IDM_SERVICE_POWER, "Вы действительно желаете выключить компьютер?"},
  };
  for (const auto& [command, question] : commands) {
    messages.answers = {Answer::kNo, Answer::kYes};
    Main().Command(command);  // No
    Main().Command(command);  // Yes
    ASSERT_GE(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown.back().text, question);
    EXPECT_EQ(messages.shown.back().title, "Vireo");
    EXPECT_EQ(messages.shown.back().style, MessageStyle::kQuestionYesNo);
  }
  EXPECT_EQ(session.calls, (std::vector<std::string>{"exit|0", "exit|4", "exit|2", "exit|1"}));
  EXPECT_TRUE(shell.calls.empty());

  // "Завершение работы" is the shell's dialog, at once, without a question of ours.
  const std::size_t asked = messages.shown.size();
  Main().Command(IDM_SERVICE_EXIT);
  EXPECT_EQ(messages.shown.size(), asked);
  EXPECT_EQ(session.calls.back(), "shutdown dialog");
}

TEST_F(MenusTest, RegistryBackupAndRestoreGoThroughTheEditorWithTheFileQuoted) {
  Start();
  const std::string editor = Windows() + "\\regedit.exe";
  const std::string backup = "\"" + ProgramFile("Reg.reg") + "\"";  // the directory has a blank

  messages.answers = {Answer::kNo};
  Main().Command(IDM_SERVICE_SAVEREG);
  EXPECT_TRUE(shell.calls.empty());
  EXPECT_EQ(messages.shown.back().text, service::kBackupQuestion);
  EXPECT_EQ(messages.shown.back().style, MessageStyle::kExclamationYesNo);

  // The restore without a backup: the message, and no question.
  Main().Command(IDM_SERVICE_LOADREG);
  EXPECT_EQ(messages.shown.back().text, service::kBackupMissing);
  EXPECT_EQ(messages.shown.back().style, MessageStyle::kCriticalOk);
  EXPECT_EQ(messages.shown.size(), 2u);

  messages.answers = {Answer::kYes, Answer::kYes};
  Main().Command(IDM_SERVICE_SAVEREG);
  Main().Command(IDM_SERVICE_SAVEREG);  // asked again, and run again: it replaces the file
  system.WriteFile(ProgramFile("Reg.reg"), "REGEDIT4\r\n");  // as the editor names it

  messages.answers = {Answer::kNo, Answer::kYes};
  Main().Command(IDM_SERVICE_LOADREG);
  Main().Command(IDM_SERVICE_LOADREG);
  EXPECT_EQ(messages.shown.back().text, service::kRestoreQuestion);
  EXPECT_EQ(ShellCalls(), (std::vector<std::string>{
                              "start|" + editor + " /e " + backup + "|1",
                              "start|" + editor + " /e " + backup + "|1",
                              "start|" + editor + " /c " + backup + "|1",
                          }));
}

TEST_F(MenusTest, MinimiseAllWritesTheCommandFileEachTimeAndHandsItToTheShell) {
  Start();
  const std::string file = ProgramFile("toggle.scf");
  system.WriteFile(file, "something else, longer than the five lines of the command file");
  Main().Command(IDM_SERVICE_TOGGLE);
  Main().Command(IDM_SERVICE_TOGGLE);
  EXPECT_EQ(system.ReadFile(file),
            "[Shell]\r\nCommand = 2\r\nIconFile=explorer.exe,3\r\n[Taskbar]\r\n"
            "Command=ToggleDesktop\r\n");

  // A file that cannot be written is handed over all the same.
  files.fail = true;
  Main().Command(IDM_SERVICE_TOGGLE);
  EXPECT_EQ(ShellCalls(), std::vector<std::string>(3, "open open|" + file + "|0"));
  EXPECT_EQ(Writes(), 0u);
}

TEST_F(MenusTest, HelpEntriesOpenTheProgramsFilesAndTheShellsDialogs) {
  Start();
  Main().Command(IDM_HELP_HELP);  // F1 gives the same command
  Main().Command(IDM_HELP_LICENSE);
  Main().Command(IDM_HELP_MAIL);
  EXPECT_EQ(ShellCalls(), (std::vector<std::string>{
                              "open open|" + ProgramFile("Vireo.chm") + "|1",
                              "open open|" + ProgramFile("license.txt") + "|1",
                              std::string("open open|") + service::kAuthorMail + "|1",
                          }));

  Main().Command(IDM_HELP_WINDOWS);
  Main().Command(IDM_SERVICE_RUN);
  const std::string owner = std::to_string(Main().Handle());
  EXPECT_EQ(session.calls,
            (std::vector<std::string>{
                "about|" + owner + "|Windows|Windows",
                "run dialog|" + owner +
                    "|Запуск программы|Введите имя программы, папки или документа, который "
                    "требуется открыть",
            }));
  EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
}  // namespace vireo
