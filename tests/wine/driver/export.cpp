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
#include "service/setup_export.h"

namespace driver {

namespace {

using vireo::service::kAskExport;
const char kFailure3[] = "Произошла ошибка №3 при сохранении файла реестра.";  // its first line

// The text of the message box's static control (the one with the message, not a button).
std::string boxMessage(HWND box) {
  for (HWND child : descendants(box)) {
    if (sameClass(child, "Static") && !windowText(child).empty()) return windowText(child);
  }
  return {};
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

  postCommand(main, IDM_SERVICE_SETUP);
  HWND question =
      expectTop(pid, kMainTitle, "\"Сохранить пользовательскую настройку\" asks first", true);
  if (question == nullptr) return finish();
  same(boxMessage(question), kAskExport, "it asks " + quoted(kAskExport));
  if (!check(pressButton(question, IDYES), "the question is answered \"Да\"")) return finish();
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
  HWND box = awaitTop(pid, kMainTitle, true, ending == "ok" ? 300 : kWaitMs);
  if (ending == "ok") {
    check(box == nullptr, "the export shows no message", box ? quoted(boxMessage(box)) : "");
    if (box != nullptr) pressButton(box, IDOK);
  } else if (check(box != nullptr, "the export shows a message")) {
    same(boxMessage(box).substr(0, sizeof kFailure3 - 1), kFailure3,
         "it says " + quoted(kFailure3));
    check(pressButton(box, IDOK), "the message is answered \"OK\"");
  }
  endProgram(program, main);
  return finish();
}

}  // namespace driver
