// The menus of the real window, reached by their command ids (under Wine another process cannot
// read a menu): "Свернуть все окна" writes its command file, the registry backup asks first and
// its restore finds no backup, "Выполнить программу" and "О Windows" show the shell's dialogs,
// and an entry of "Программы" starts its program.
#include <algorithm>

#include "driver.h"

namespace driver {

namespace {

const char kBackupQuestion[] =
    "Вы действительно желаете сделать резервную копию реестра?\r\n"
    "Это может занять до 20 Мб места на диске.";
const char kBackupMissing[] =
    "Файл reg.reg отсутствует в каталоге программы.\r\n"
    "Вероятно, сохранение реестра не производилось,\r\n"
    "следовательно, его восстановление\r\n"
    "невозможно.";
const char kToggle[] =
    "[Shell]\r\nCommand = 2\r\nIconFile=explorer.exe,3\r\n[Taskbar]\r\nCommand=ToggleDesktop\r\n";
const char kRunPrompt[] = "Введите имя программы, папки или документа, который требуется открыть";
constexpr int kNotepadEntry = 6;  // "Блокнот", in the Windows directory

// A menu command, posted: the program may answer it with a modal window, which a sent message
// would wait for.
void command(HWND main, int id) {
  PostMessageA(main, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

bool shows(HWND window, std::string_view text) {
  for (HWND child : descendants(window)) {
    if (windowText(child) == text) return true;
  }
  return false;
}

// A dialog of the program other than those in `known`, waited for.
HWND newDialog(DWORD pid, const std::vector<HWND>& known) {
  HWND found = nullptr;
  waitUntil([&] {
    for (HWND window : topWindows(pid)) {
      if (IsWindowVisible(window) && sameClass(window, "#32770") &&
          std::find(known.begin(), known.end(), window) == known.end()) {
        found = window;
        return true;
      }
    }
    return false;
  });
  return found;
}

// Waits for the program's message box showing `text`, and presses its button `answer`.
bool answer(DWORD pid, std::string_view text, int button, const std::string& what) {
  HWND box = nullptr;
  waitUntil([&] { return (box = findTop(pid, "Vireo", true)) != nullptr; });
  if (!check(box != nullptr, what + ": a message box is shown")) return false;
  check(shows(box, text), what + ": it says " + quoted(text));
  HWND pressed = byId(box, button);
  check(pressed != nullptr, what + ": it has the button to press");
  PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(pressed));
  return check(waitUntil([&] { return !IsWindow(box); }), what + ": the box is closed");
}

// Closes a dialog of the shell through its Cancel button, or as its title bar would.
void dismiss(HWND dialog) {
  if (HWND cancel = byId(dialog, IDCANCEL)) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                 reinterpret_cast<LPARAM>(cancel));
  } else {
    PostMessageA(dialog, WM_CLOSE, 0, 0);
  }
  waitUntil([&] { return !IsWindow(dialog); });
}

}  // namespace

int runMenus(const std::string& exe, const char* desktop) {
  const std::string dir = exe.substr(0, exe.find_last_of('\\'));
  const std::string toggle = dir + "\\toggle.scf";
  const std::string backup = dir + "\\Reg.reg";
  writeFile(toggle, {});
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
  check(readFile(toggle).data == kToggle,
        "\"Свернуть все окна\" writes toggle.scf, five lines ended by CR LF");

  // The backup answered No starts nothing; the restore without a backup says so and asks nothing.
  command(main, IDM_SERVICE_SAVEREG);
  answer(pid, kBackupQuestion, IDNO, "the registry backup");
  command(main, IDM_SERVICE_LOADREG);
  answer(pid, kBackupMissing, IDOK, "the restore without a backup");
  Sleep(500);
  check(!readFile(backup).exists, "no backup was made after No");
  check(findTop(pid, "Vireo", true) == nullptr, "no question follows the missing-backup message");

  // The shell's Run dialog with our title and prompt, and the system's About box.
  command(main, IDM_SERVICE_RUN);
  HWND run = newDialog(pid, {});
  if (check(run != nullptr, "\"Выполнить программу\" shows a dialog")) {
    check(windowText(run) == "Запуск программы",
          "its title is \"Запуск программы\", not " + quoted(windowText(run)));
    check(shows(run, kRunPrompt), "it shows the prompt " + quoted(kRunPrompt));
    check(!IsWindowEnabled(main), "the main window waits while it is open");
    dismiss(run);
  }
  command(main, IDM_HELP_WINDOWS);
  HWND about = newDialog(pid, {});
  if (check(about != nullptr, "\"О Windows\" shows the system's About box")) dismiss(about);

  // "Блокнот" from "Программы" starts notepad.exe from the Windows directory.
  HWND notepad = nullptr;
  command(main, IDM_PROGRAM_FIRST + kNotepadEntry);
  check(waitUntil([&] { return (notepad = FindWindowA("Notepad", nullptr)) != nullptr; }),
        "\"Блокнот\" in \"Программы\" starts Notepad");
  if (notepad != nullptr) PostMessageA(notepad, WM_CLOSE, 0, 0);

  check(IsWindowEnabled(main) && send(main, WM_NULL), "the main window answers afterwards");
  checkExit(program, main);
  writeFile(toggle, {});
  return finish();
}

}  // namespace driver
