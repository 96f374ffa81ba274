#include "shell.h"

#include "harness.h"
#include "input.h"
#include "resource.h"

namespace driver {

namespace {

struct Page {
  const char* button;
  const char* title;
};

// Top to bottom as the left bar shows them.
const Page kPages[kPageCount] = {
    {"Панель управления", " Панель управления"},
    {"Explorer", " Explorer"},
    {"Active Desktop", " Системные иконки, Active Desktop"},
    {"Папки и ярлыки", " Папки и ярлыки"},
    {"Файлы", " Файлы"},
};

}  // namespace

bool findShell(HWND main, Shell& shell) {
  shell.main = main;
  bool all = true;
  for (int i = 0; i < kPageCount; ++i) {
    HWND button = shell.buttons[i] = byId(main, IDC_PAGE_BUTTON_FIRST + i);
    all = expect(button != nullptr && IsWindowVisible(button) &&
                     windowText(button) == kPages[i].button,
                 "page button " + std::to_string(i + 1) + " shows " + quoted(kPages[i].button),
                 button ? quoted(windowText(button)) : "no such button") &&
          all;
    HWND frame = shell.frames[i] = byId(main, IDC_PAGE_FIRST + i);
    HWND title = frame ? byId(frame, IDC_PAGE_TITLE_FIRST + i) : nullptr;
    all = expect(
              frame != nullptr && GetParent(frame) == main && title != nullptr &&
                  windowText(title) == kPages[i].title,
              "page frame " + std::to_string(i + 1) + " holds the title " + quoted(kPages[i].title),
              !frame  ? "no such frame"
              : title ? quoted(windowText(title))
                      : "no title") &&
          all;
  }
  return all;
}

std::string pageName(int page) {
  return page < 0 ? "none" : quoted(kPages[page].title);
}

bool checkFront(const Shell& shell, int expected, const std::string& when) {
  RECT rect;
  GetWindowRect(shell.frames[0], &rect);
  POINT centre{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  ScreenToClient(shell.main, &centre);
  HWND atCentre = ChildWindowFromPointEx(shell.main, centre, CWP_SKIPINVISIBLE);
  int front = -1;
  for (int i = 0; i < kPageCount; ++i) {
    if (atCentre == shell.frames[i]) front = i;
  }
  HWND title = byId(shell.frames[expected], IDC_PAGE_TITLE_FIRST + expected);
  return check(front == expected && title != nullptr && IsWindowVisible(title),
               when + ": page " + pageName(expected) + " in front (found " + pageName(front) + ")");
}

bool bringToFront(const Shell& shell, int page) {
  const std::string button = quoted(kPages[page].button);
  return check(click(shell.buttons[page]), "click on " + button) &&
         checkFront(shell, page, "after a click on " + button);
}

bool find(HWND main, std::initializer_list<Control*> controls) {
  bool all = true;
  for (Control* c : controls) {
    HWND window = c->window = byId(main, c->id);
    std::string found = window == nullptr          ? "no control " + std::to_string(c->id)
                        : !IsWindowVisible(window) ? "hidden"
                                                   : quoted(windowText(window));
    bool ok = window != nullptr && IsWindowVisible(window) &&
              (c->caption == nullptr || windowText(window) == c->caption);
    all = expect(ok, c->name + (c->caption ? " shows its caption" : " is shown"), found) && all;
  }
  return all;
}

bool expectBox(const Control& box, bool ticked, const std::string& when) {
  const char* wanted = ticked ? "ticked" : "cleared";
  const char* found = boxState(box.window);
  return expect(std::string(found) == wanted, when + ": " + box.name + " is " + wanted, found);
}

bool expectShown(const Control& field, std::string_view text, const std::string& when) {
  std::string found = shownText(field.window);
  return expect(found == text, when + ": " + field.name + " shows " + quoted(text), quoted(found));
}

}  // namespace driver
