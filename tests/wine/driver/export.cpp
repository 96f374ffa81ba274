// "Сохранить пользовательскую настройку" of the real window, for scripts that watch what it leaves
// in the program directory (scripts/killexport.sh): the command by its id, its question answered
// "Да", then one of three endings.
//   ok      the export ends without a message; "Выход" then ends the program;
//   error3  the export shows the message of failure 3 (Setup.reg cannot be written), which is
//           answered; "Выход" then ends the program;
//   kill    the program is ended from outside (kill -9 of its process) at a moment the script
//           chooses, before the export is done or after; the driver only waits for that end;
//   start   no export: the program is started and ended with "Выход" (its start-up puts back a
//           Setup.reg that a killed export left moved aside).
// "export: started" is printed as soon as the question box is gone, "export: done" when the main
// window answers again, that is when the command's handler has returned; the script times its
// kill from the first and measures the export between the two.
#include "driver.h"

namespace driver {

namespace {

const char kAskExport[] = "Вы действительно желаете сделать резервную копию реестра?";
const char kFailure3[] =
    "Произошла ошибка №3 при сохранении файла реестра.\r\n"
    "Возможно, на диске не хватает свободного места.\r\n"
    "Если это не так, обратитесь к разработчику.";

// The text of the message box's static control (the one with the message, not a button).
std::string boxMessage(HWND box) {
  for (HWND child : descendants(box)) {
    if (sameClass(child, "Static") && !windowText(child).empty()) return windowText(child);
  }
  return {};
}

// The program's message box, waited for.
HWND messageBox(DWORD pid, DWORD ms) {
  HWND box = nullptr;
  waitUntil([&] { return (box = findTop(pid, kMainTitle, true)) != nullptr; }, ms);
  return box;
}

bool press(HWND box, int button) {
  HWND pressed = byId(box, button);
  if (pressed == nullptr) return false;
  PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(pressed));
  return waitUntil([&] { return !IsWindow(box); });
}

}  // namespace

int runExport(const std::string& exe, const std::string& ending, const char* desktop) {
  if (ending != "ok" && ending != "error3" && ending != "kill" && ending != "start") {
    say("FAIL: unknown ending %s (ok, error3, kill or start)", quoted(ending).c_str());
    return finish();
  }
  Program program;
  HWND main = startMain(program, exe, desktop);
  if (main == nullptr) return finish();
  if (ending == "start") {
    checkExit(program, main);
    return finish();
  }
  const DWORD pid = program.pid();

  PostMessageA(main, WM_COMMAND, MAKEWPARAM(IDM_SERVICE_SETUP, 0), 0);
  HWND question = messageBox(pid, kWaitMs);
  if (!check(question != nullptr, "\"Сохранить пользовательскую настройку\" asks first")) {
    return finish();
  }
  check(boxMessage(question) == kAskExport, "it asks " + quoted(kAskExport),
        quoted(boxMessage(question)));
  if (!check(press(question, IDYES), "the question is answered \"Да\"")) return finish();
  const DWORD start = GetTickCount();
  say("export: started");

  // A message sent to the main window is handled once the command's handler has returned, or
  // from the modal loop of a message box it shows; it fails when the process is gone.
  const bool answered = send(main, WM_NULL);
  if (answered) say("export: done after %lu ms", GetTickCount() - start);

  if (ending == "kill") {
    check(program.waitExit(kWaitMs), "the program was ended from outside");
    return finish();
  }
  if (!check(answered, "the main window answers after the export")) return finish();
  HWND box = messageBox(pid, ending == "ok" ? 300 : kWaitMs);
  if (ending == "ok") {
    check(box == nullptr, "the export shows no message", box ? quoted(boxMessage(box)) : "");
    if (box != nullptr) press(box, IDOK);
  } else if (check(box != nullptr, "the export shows a message")) {
    check(boxMessage(box) == kFailure3, "it says " + quoted(kFailure3), quoted(boxMessage(box)));
    check(press(box, IDOK), "the message is answered \"OK\"");
  }
  check(IsWindowEnabled(main) && send(main, WM_NULL), "the main window answers afterwards");
  checkExit(program, main);
  return finish();
}

}  // namespace driver
