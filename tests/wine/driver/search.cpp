// "Найти параметр..." on the real window: Ctrl+F typed opens "Поиск параметра"; a caption's
// words typed in another letter case, then Enter, bring the Files page to the front with the
// focus on the box and its caption marked; an applet's file name finds its item of the
// Control Panel list, which is selected (typed over the last text, which the window opens with);
// a word that only the help's text gives finds the boxes its section names, and Down in the text
// moves the list's current line; the watched part of the registry and control.ini are exactly
// as before. The time the list takes to follow a keystroke is printed as a figure.
#include <algorithm>

#include "driver.h"

namespace driver {

namespace {

constexpr char kSearchTitle[] = "Поиск параметра";
constexpr int kJoystick = 8;  // joy.cpl in the applet list

// The window that has the keyboard focus in the program's user-interface thread.
HWND focusOf(HWND main) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  const DWORD thread = GetWindowThreadProcessId(main, nullptr);
  return GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
}

// Opens the search window (by Ctrl+F typed, or by its command), types `text`, checks that the
// first line begins with `first`, presses Down `down` times in the text and then Enter; false
// when the window did not end.
bool searchFor(DWORD pid, HWND main, const std::string& text, const std::string& first, bool typed,
               int down = 0) {
  if (typed) {
    SetForegroundWindow(main);
    waitUntil([&] { return GetForegroundWindow() == main; }, 2000);
    typeKeys({VK_CONTROL, 'F'});
  } else {
    postCommand(main, IDM_FILE_FIND);
  }
  HWND search =
      expectTop(pid, kSearchTitle,
                std::string(typed ? "Ctrl+F" : "the command") + " opens the search window");
  if (search == nullptr) return false;
  HWND edit = byId(search, IDC_SEARCH_TEXT);
  HWND list = byId(search, IDC_SEARCH_LIST);
  // The window opens with the last text selected: what is typed replaces it.
  // Each keystroke is sent: it returns once the box has changed and the list has followed.
  std::vector<double> times;
  double last = nowMs();
  check(typeText(edit, text,
                 [&] {
                   const double now = nowMs();
                   times.push_back(now - last);
                   last = now;
                 }),
        "the search takes \"" + text + "\"");
  std::sort(times.begin(), times.end());
  if (!times.empty()) {
    say("time: \"%s\": the list followed a keystroke in %.1f ms (median), %.1f ms (slowest)",
        text.c_str(), times[times.size() / 2], times.back());
  }
  const std::vector<std::string> lines = listItems(list);
  same(lines.empty() ? "nothing" : lines[0].substr(0, first.size()), first,
       quoted(text) + " finds " + quoted(first) + " first");
  for (int i = 0; i < down; ++i) pressKey(edit, VK_DOWN);
  if (down > 0) {
    check(waitUntil([&] { return ask(list, LB_GETCURSEL) == down; }, 2000),
          "Down in the text moves the list's current line",
          std::to_string(ask(list, LB_GETCURSEL)));
  }
  pressKey(search, VK_RETURN);
  return check(waitUntil([&] { return !IsWindow(search); }, 5000),
               "Enter closes the search window");
}

}  // namespace

int runSearch(const std::string& exe, const char* desktop) {
  Program program;
  HWND main = startMain(program, exe, desktop);
  if (main == nullptr) return finish();
  Shell shell;
  if (!findShell(main, shell)) return finish();
  const std::string before = registrySnapshot();

  // The jump runs once the window has gone: its signs are waited for.
  if (searchFor(program.pid(), main, "бЫСТРЫЙ ПРОСМОТР", "Пункт \"Быстрый просмотр\"", true)) {
    HWND box = nullptr;
    check(waitUntil([&] {
            box = byId(main, IDC_QUICK_VIEW);
            return box != nullptr && focusOf(main) == box;
          }),
          "the box has the focus");
    checkFront(shell, kFiles, "after the jump to \"Быстрый просмотр\"");
    check(waitUntil([&] { return windowText(box).rfind("» ", 0) == 0; }, 1000),
          "the box's caption is marked", quoted(windowText(box)));
    check(waitUntil([&] { return windowText(box).rfind("» ", 0) != 0; }, 5000),
          "the mark goes after a moment");
  }
  if (searchFor(program.pid(), main, "JOY.CPL", "Игровые устройства", false)) {
    HWND applets = byId(main, IDC_APPLETS_LIST);
    check(waitUntil([&] { return focusOf(main) == applets; }), "the applet list has the focus");
    checkFront(shell, kControlPanel, "after the jump to joy.cpl");
    same(std::to_string(ask(applets, LB_GETCURSEL)), std::to_string(kJoystick),
         "joy.cpl is the selected applet");
  }
  // A word only the help gives: its section names both boxes, the second in another letter
  // case; Down goes to the second.
  if (searchFor(program.pid(), main, "OpenAs_RunDLL", "Пункт \"Быстрый просмотр\"", false, 1)) {
    check(waitUntil([&] { return focusOf(main) == byId(main, IDC_OPEN_WITH); }),
          "the help's word and Down lead to \"Открыть с помощью...\"");
  }
  check(registrySnapshot() == before, "searching and jumping write nothing");
  checkExit(program, main);
  return finish();
}

}  // namespace driver
