// The tooltips of the program's windows: one system tooltip control per top-level window, made
// when its first tool is added. Each tool is a control's window, subclassed by the tooltip so
// that it sees the pointer; the text is asked from the control's parent with TTN_GETDISPINFO at
// the moment the tooltip opens. The common-controls library is loaded at run time: a system
// without it (the first Windows 95 without an updated library) runs without tooltips. Tools
// added before Start wait in a list: loading the library and making the tooltips is left until
// the first window has been shown and painted, for nobody points at a window not yet there.
// Used by the Win32 toolkit only.
#pragma once

#include <windows.h>

#include <map>
#include <vector>

namespace vireo::ui::win32::detail {

class Tooltips {
 public:
  explicit Tooltips(HINSTANCE instance) : instance_(instance) {}
  Tooltips(const Tooltips&) = delete;
  Tooltips& operator=(const Tooltips&) = delete;

  // Makes `control` a tool of its top-level window's tooltip; nothing when the system has no
  // tooltips. A window is added once. Before Start, the window waits for it.
  void Add(HWND control);
  // From here on tools are added at once; those that waited are added now.
  void Start();
  // Takes `control` off its tooltip, before its window goes.
  void Remove(HWND control);
  // The pointer moved to another item of `control`: the shown tip goes, and the next one asks
  // for the text again.
  void Pop(HWND control);

 private:
  bool Load();
  HWND TipOf(HWND control, bool create);

  HINSTANCE instance_;
  int loaded_ = 0;  // 0 not tried, 1 available, -1 unavailable
  bool started_ = false;
  std::vector<HWND> waiting_;  // tools added before Start, in their order
  std::map<HWND, HWND> tips_;  // top-level window -> its tooltip control
};

}  // namespace vireo::ui::win32::detail
