// The menus of the real window, reached by their command ids (under Wine another process cannot
// read a menu): "Свернуть все окна" writes its command file, the registry backup asks first and
// its restore finds no backup, "Выполнить программу" and "О Windows" show the shell's dialogs,
// and an entry of "Программы" starts its program.
#include "driver.h"
#include "service/service_menu.h"

namespace driver {

namespace {

namespace service = vireo::service;
constexpr int kNotepadEntry = 6;  // "Блокнот", in the Windows directory

// Waits for the program's message box showing `text`, and presses its button `answer`.
bool answer(DWORD pid, std::string_view text, int button, const std::string& what) {
  HWND box = awaitTop(pid, kMainTitle, true);
  if (!check(box != nullptr, what + ": a message box is shown")) return false;
  check(shows(box, text), what + ": it says " + quoted(text));
  check(byId(box, button) != nullptr, what + ": it has the button to press");
  return check(pressButton(box, button), what + ": the box is closed");
}

// Closes a dialog of the shell through its Cancel button, or as its title bar would.
void dismiss(HWND dialog) {
  if (!pressButton(dialog, IDCANCEL)) PostMessageA(dialog, WM_CLOSE, 0, 0);
  waitUntil([&] { return !IsWindow(dialog); });
}

}  // namespace

int runMenus(const std::string& exe, const char* desktop) {
  const std::string dir = exe.substr(0, exe.find_last_of('\\'));
  const std::string toggle = dir + "\\toggle.scf";
  const std::string backup = dir + "\\Reg.reg";
  writeFile(backup, {});
  Program program;
  HWND main = startMain(program, exe, desktop);
  if (main == nullptr) return finish();
  const DWORD pid = program.pid();

  // "Свернуть все окна": the five lines of the command file, written each time.
  // The command opens no window of the program's own, so it is sent: the file is read once the
  // handler is done. Reading it while the program replaces it could make the replacement fail
  // (the driver's open file cannot be moved over).
  writeFile(toggle, {true, "an old command file, to be replaced"});
  send(main, WM_COMMAND, MAKEWPARAM(IDM_SERVICE_TOGGLE, 0));
  check(readFile(toggle).data == service::kToggleFile,
        "\"Свернуть все окна\" writes toggle.scf, five lines ended by CR LF");

  // The backup answered No starts nothing; the restore without a backup says so and asks nothing.
  postCommand(main, IDM_SERVICE_SAVEREG);
  answer(pid, service::kBackupQuestion, IDNO, "the registry backup");
  postCommand(main, IDM_SERVICE_LOADREG);
  answer(pid, service::kBackupMissing, IDOK, "the restore without a backup");
  Sleep(500);
  check(!readFile(backup).exists, "no backup was made after No");
  check(findTop(pid, kMainTitle, true) == nullptr,
        "no question follows the missing-backup message");

  // The shell's Run dialog with our title and prompt, and the system's About box.
  postCommand(main, IDM_SERVICE_RUN);
  HWND run = awaitTop(pid, "", true);
  if (check(run != nullptr, "\"Выполнить программу\" shows a dialog")) {
    check(windowText(run) == service::kRunTitle,
          "its title is " + quoted(service::kRunTitle) + ", not " + quoted(windowText(run)));
    check(shows(run, service::kRunPrompt), "it shows the prompt " + quoted(service::kRunPrompt));
    check(!IsWindowEnabled(main), "the main window waits while it is open");
    dismiss(run);
  }
  postCommand(main, IDM_HELP_WINDOWS);
  HWND about = awaitTop(pid, "", true);
  if (check(about != nullptr, "\"О Windows\" shows the system's About box")) dismiss(about);

  // "Блокнот" from "Программы" starts notepad.exe from the Windows directory.
  HWND notepad = nullptr;
  postCommand(main, IDM_PROGRAM_FIRST + kNotepadEntry);
  check(waitUntil([&] { return (notepad = FindWindowA("Notepad", nullptr)) != nullptr; }),
        "\"Блокнот\" in \"Программы\" starts Notepad");
  if (notepad != nullptr) PostMessageA(notepad, WM_CLOSE, 0, 0);
  endProgram(program, main);
  writeFile(toggle, {});
  return finish();
}

}  // namespace driver
