// The report, windows of another process, input, the program under test and the main window's
// shell.
#include "driver.h"

namespace driver {

namespace {

BOOL CALLBACK collectWindow(HWND window, LPARAM found) {
  reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
  return TRUE;
}

}  // namespace

std::string windowText(HWND window) {
  char text[1024] = "";
  GetWindowTextA(window, text, sizeof text);
  return text;
}

bool sameClass(HWND window, const char* name) {
  char found[256] = "";
  GetClassNameA(window, found, sizeof found);
  return lstrcmpiA(found, name) == 0;
}

std::vector<HWND> descendants(HWND root) {
  std::vector<HWND> found;
  EnumChildWindows(root, collectWindow, reinterpret_cast<LPARAM>(&found));
  return found;
}

HWND byId(HWND root, int id) {
  for (HWND child : descendants(root)) {
    if (GetDlgCtrlID(child) == id) return child;
  }
  return nullptr;
}

std::vector<HWND> topWindows(DWORD pid) {
  std::vector<HWND> all, found;
  EnumWindows(collectWindow, reinterpret_cast<LPARAM>(&all));
  for (HWND window : all) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == pid) found.push_back(window);
  }
  return found;
}

HWND findTop(DWORD pid, std::string_view title, bool dialog, bool prefix) {
  for (HWND window : topWindows(pid)) {
    const std::string text = windowText(window);
    if (IsWindowVisible(window) && sameClass(window, "#32770") == dialog &&
        (prefix ? text.rfind(title, 0) == 0 : text == title)) {
      return window;
    }
  }
  return nullptr;
}

HWND awaitTop(DWORD pid, std::string_view title, bool dialog, DWORD ms) {
  HWND found = nullptr;
  waitUntil([&] { return (found = findTop(pid, title, dialog, true)) != nullptr; }, ms);
  return found;
}

HWND expectTop(DWORD pid, std::string_view title, const std::string& what, bool dialog) {
  HWND found = awaitTop(pid, title, dialog);
  check(found != nullptr, what);
  return found;
}

bool shows(HWND window, std::string_view text) {
  for (HWND child : descendants(window)) {
    if (windowText(child) == text) return true;
  }
  return windowText(window) == text;
}

std::string askText(HWND window, UINT message, WPARAM w) {
  wchar_t wide[1024] = L"";
  DWORD_PTR length = 0;
  if (message == LB_GETTEXT && ask(window, LB_GETTEXTLEN, w) >= 1024) return {};
  if (message == WM_GETTEXT) w = 1024;  // the size of the buffer; LB_GETTEXT: the item
  if (!SendMessageTimeoutW(window, message, w, reinterpret_cast<LPARAM>(wide), SMTO_NORMAL, kWaitMs,
                           &length)) {
    return {};
  }
  char text[2048] = "";
  WideCharToMultiByte(1251, 0, wide, -1, text, sizeof text, nullptr, nullptr);
  return text;
}

void pressKey(HWND window, UINT key) {
  const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(key, 0)) << 16;
  PostMessageA(window, WM_KEYDOWN, key, scan | 1);
  PostMessageA(window, WM_KEYUP, key, scan | 1 | static_cast<LPARAM>(0xC0000000));
}

void typeKeys(std::initializer_list<WORD> keys) {
  std::vector<INPUT> input(2 * keys.size());
  for (size_t i = 0; i < keys.size(); ++i) {
    input[i].type = input[input.size() - 1 - i].type = INPUT_KEYBOARD;
    input[i].ki.wVk = input[input.size() - 1 - i].ki.wVk = keys.begin()[i];
    input[input.size() - 1 - i].ki.dwFlags = KEYEVENTF_KEYUP;
  }
  SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT));
}

double nowMs() {
  LARGE_INTEGER count, frequency;
  QueryPerformanceCounter(&count);
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

bool pressButton(HWND dialog, int id) {
  HWND button = byId(dialog, id);
  if (button == nullptr) return false;
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
  return waitUntil([&] { return !IsWindow(dialog); });
}

bool closeWith(HWND window, int button) {
  clickLater(byId(window, button));
  return waitUntil([&] { return !IsWindow(window); });
}

LPARAM itemPoint(HWND list, int index, int x) {
  const LRESULT height = ask(list, LB_GETITEMHEIGHT, 0);
  RECT client{};
  GetClientRect(list, &client);
  const LRESULT shown = height > 0 ? client.bottom / height : 1;
  LRESULT top = ask(list, LB_GETTOPINDEX);
  if (index < top || index >= top + shown) {
    send(list, LB_SETTOPINDEX, index);
    top = ask(list, LB_GETTOPINDEX);
  }
  return MAKELPARAM(x, static_cast<int>((index - top) * height + height / 2));
}

bool clickItem(HWND list, int index, int x) {
  const LPARAM at = itemPoint(list, index, x);
  return send(list, WM_LBUTTONDOWN, MK_LBUTTON, at) && send(list, WM_LBUTTONUP, 0, at);
}

bool typeText(HWND edit, std::string_view text, const std::function<void()>& afterEach) {
  bool answered = true;
  for (char c : text) {
    wchar_t wide = 0;
    MultiByteToWideChar(1251, 0, &c, 1, &wide, 1);
    DWORD_PTR result = 0;
    answered =
        SendMessageTimeoutW(edit, WM_CHAR, wide, 1, SMTO_NORMAL, kWaitMs, &result) != 0 && answered;
    if (afterEach) afterEach();
  }
  return answered;
}

std::vector<std::string> listItems(HWND list) {
  std::vector<std::string> items;
  const LRESULT count = ask(list, LB_GETCOUNT);
  for (LRESULT i = 0; i < count; ++i) items.push_back(askText(list, LB_GETTEXT, i));
  return items;
}

std::string shownText(HWND field) {
  char text[1024] = "";
  return send(field, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text)) ? text
                                                                              : "(no answer)";
}

Program::~Program() {
  if (info_.hProcess == nullptr) return;
  if (running()) {
    say("note: the program was still running; it is terminated");
    TerminateProcess(info_.hProcess, 1);
    WaitForSingleObject(info_.hProcess, 5000);
  }
  CloseHandle(info_.hThread);
  CloseHandle(info_.hProcess);
}

bool Program::start(const std::string& exe, const char* desktop) {
  std::string directory = exe.substr(0, exe.find_last_of("\\/"));
  if (directory == exe) directory = ".";
  std::string commandLine = quoted(exe);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.lpDesktop = const_cast<char*>(desktop);
  // Wine's debug channels for the program alone (the relay trace of scripts/win9xtrace.sh): Wine
  // reads WINEDEBUG when a process starts, so the driver and the other programs it starts keep
  // their own.
  char channels[256] = {}, own[256] = {};
  const bool traced =
      GetEnvironmentVariableA("VIREO_PROGRAM_WINEDEBUG", channels, sizeof channels) > 0;
  const bool hadOwn = GetEnvironmentVariableA("WINEDEBUG", own, sizeof own) > 0;
  if (traced) SetEnvironmentVariableA("WINEDEBUG", channels);
  const bool started = CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                                      nullptr, directory.c_str(), &startup, &info_);
  if (traced) SetEnvironmentVariableA("WINEDEBUG", hadOwn ? own : nullptr);
  if (started) return true;
  return check(false, "start " + exe + " (error " + std::to_string(GetLastError()) + ")");
}

HWND startMain(Program& program, const std::string& exe, const char* desktop, bool* sawSplash) {
  if (!program.start(exe, desktop)) return nullptr;
  DWORD pid = program.pid();
  bool splash = false;
  HWND refusal = nullptr, main = nullptr;
  waitUntil([&] {
    splash = splash || findTop(pid, kSplashTitle, false) != nullptr;
    refusal = findTop(pid, kMainTitle, true);
    main = refusal == nullptr ? findTop(pid, kMainTitle, false) : nullptr;
    return main != nullptr || refusal != nullptr || !program.running();
  });
  check(main != nullptr, "the main window \"Vireo\" is shown",
        refusal != nullptr   ? "the refusal " + quoted(windowText(refusal))
        : !program.running() ? "the program's end"
                             : "");
  if (sawSplash != nullptr) *sawSplash = splash;
  if (main != nullptr) ask(main, WM_NULL);  // whatever the program still had queued is done
  return main;
}

HWND startPrepared(Program& program, const std::string& exe, const char* desktop, bool prepared,
                   const std::string& what) {
  return check(prepared, what) ? startMain(program, exe, desktop) : nullptr;
}

bool checkExit(const Program& program, HWND main) {
  postCommand(main, IDM_FILE_EXIT);
  return check(program.waitExit(kWaitMs), "\"Выход\" ends the program");
}

bool endProgram(const Program& program, HWND main) {
  check(IsWindowEnabled(main) && send(main, WM_NULL), "the main window answers afterwards");
  return checkExit(program, main);
}

bool findShell(HWND main, Shell& shell) {
  shell.main = main;
  bool all = true;
  for (int i = 0; i < kPageCount; ++i) {
    HWND button = shell.buttons[i] = byId(main, IDC_PAGE_BUTTON_FIRST + i);
    HWND frame = shell.frames[i] = byId(main, IDC_PAGE_FIRST + i);
    HWND title = frame != nullptr ? byId(frame, IDC_PAGE_TITLE_FIRST + i) : nullptr;
    all = check(button != nullptr && IsWindowVisible(button) &&
                    windowText(button) == kPagesShown[i].caption && frame != nullptr &&
                    GetParent(frame) == main && title != nullptr &&
                    windowText(title) == kPagesShown[i].title,
                "page " + std::to_string(i + 1) + ": its button " + quoted(kPagesShown[i].caption) +
                    " is shown, its frame has the title " + quoted(kPagesShown[i].title)) &&
          all;
  }
  return all;
}

bool checkFront(const Shell& shell, int page, const std::string& when) {
  RECT rect;
  GetWindowRect(shell.frames[0], &rect);
  POINT centre{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  ScreenToClient(shell.main, &centre);
  HWND atCentre = ChildWindowFromPointEx(shell.main, centre, CWP_SKIPINVISIBLE);
  int front = -1;
  for (int i = 0; i < kPageCount; ++i) {
    if (atCentre == shell.frames[i]) front = i + 1;
  }
  HWND title = byId(shell.frames[page], IDC_PAGE_TITLE_FIRST + page);
  return check(front == page + 1 && title != nullptr && IsWindowVisible(title),
               when + ": page " + std::to_string(page + 1) + " is in front",
               "page " + std::to_string(front));
}

bool bringToFront(const Shell& shell, int page) {
  click(shell.buttons[page]);
  return checkFront(shell, page, "after a click on page button " + std::to_string(page + 1));
}

bool find(HWND main, std::initializer_list<Control*> controls) {
  bool all = true;
  for (Control* c : controls) {
    c->window = byId(main, c->id);
    all = check(c->window != nullptr && IsWindowVisible(c->window), c->name + " is shown") && all;
  }
  return all;
}

}  // namespace driver
