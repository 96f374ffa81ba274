// The main window's shell, found by control ids: the five page buttons and the page frames with
// their titles, and bringing a page to the front as a user does.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>
#include <string_view>

namespace driver {

enum PageIndex { kControlPanel = 0, kExplorer = 1, kActiveDesktop = 2, kFolders = 3, kFiles = 4 };
constexpr int kPageCount = 5;

struct Shell {
  HWND main = nullptr;
  HWND buttons[kPageCount] = {};
  HWND frames[kPageCount] = {};
};

// Finds the buttons and frames; checks that each button is shown with its caption and that each
// frame holds its title.
bool findShell(HWND main, Shell& shell);
std::string pageName(int page);
// Checks that a user sees the page's frame, with its title, at the centre of the page area.
bool checkFront(const Shell& shell, int expected, const std::string& when);
// Clicks the page's button and checks that the page came to the front.
bool bringToFront(const Shell& shell, int page);

// A control of the main window, found by its id.
struct Control {
  int id;
  std::string name;               // how the checks name it: "box "...""
  const char* caption = nullptr;  // the caption it shows, when it has one
  HWND window = nullptr;
};
// Finds the controls; checks that each is there and visible, with its caption when it has one.
bool find(HWND main, std::initializer_list<Control*> controls);
bool expectBox(const Control& box, bool ticked, const std::string& when);
// What an edit box or the selection of a drop-down list shows.
bool expectShown(const Control& field, std::string_view text, const std::string& when);

}  // namespace driver
