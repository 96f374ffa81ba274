// The menus of the real window, reached by their command ids (under Wine another process cannot
// read a menu): the registry backup asks first and answered "Нет" makes none, "Выполнить
// программу" and "О Windows" show the shell's dialogs, and an entry of "Программы" starts its
// program. What the other commands write and say is checked on the host (tests/host/menus_test).
#include "driver.h"
#include "service/service_menu.h"

namespace driver {

namespace {

namespace service = vireo::service;
constexpr int kNotepadEntry = 6;  // "Блокнот", in the Windows directory

// Closes a dialog of the shell through its Cancel button, or as its title bar would.
void dismiss(HWND dialog) {
  if (!pressButton(dialog, IDCANCEL)) PostMessageA(dialog, WM_CLOSE, 0, 0);
  waitUntil([&] { return !IsWindow(dialog); });
}

}  // namespace

int runMenus(const std::string& exe, const char* desktop) {
  const std::string backup = exe.substr(0, exe.find_last_of('\\')) + "\\Reg.reg";
  writeFile(backup, {});
  Program program;
  HWND main = startMain(program, exe, desktop);
  if (main == nullptr) return finish();
  const DWORD pid = program.pid();

  // The backup answered "Нет" (the system's answer as the program reads it) starts nothing.
  postCommand(main, IDM_SERVICE_SAVEREG);
  if (HWND box = expectTop(pid, kMainTitle, "the registry backup asks first", true)) {
    check(shows(box, service::kBackupQuestion), "it asks " + quoted(service::kBackupQuestion));
    check(pressButton(box, IDNO), "\"Нет\" closes the question");
  }
  Sleep(500);
  check(!readFile(backup).exists && findTop(pid, kMainTitle, true) == nullptr,
        "after \"Нет\" no backup is made and nothing more is asked");

  // The shell's Run dialog with our title and prompt, and the system's About box.
  postCommand(main, IDM_SERVICE_RUN);
  if (HWND run = expectTop(pid, "", "\"Выполнить программу\" shows a dialog", true)) {
    same(windowText(run), service::kRunTitle, "its title is " + quoted(service::kRunTitle));
    check(shows(run, service::kRunPrompt), "it shows the prompt " + quoted(service::kRunPrompt));
    check(!IsWindowEnabled(main), "the main window waits while it is open");
    dismiss(run);
  }
  postCommand(main, IDM_HELP_WINDOWS);
  if (HWND about = expectTop(pid, "", "\"О Windows\" shows the system's About box", true)) {
    dismiss(about);
  }

  // "Блокнот" from "Программы" starts notepad.exe from the Windows directory.
  HWND notepad = nullptr;
  postCommand(main, IDM_PROGRAM_FIRST + kNotepadEntry);
  check(waitUntil([&] { return (notepad = FindWindowA("Notepad", nullptr)) != nullptr; }),
        "\"Блокнот\" in \"Программы\" starts Notepad");
  if (notepad != nullptr) PostMessageA(notepad, WM_CLOSE, 0, 0);
  endProgram(program, main);
  return finish();
}

}  // namespace driver
