// frmWindows, " Список текущих окон": one line per titled top-level window of the desktop, in
// the order the system enumerates them (front to back). Untitled windows get no line;
// invisible ones with a title do.
#pragma once

#include <memory>

#include "platform/platform.h"
#include "ui/toolkit.h"

namespace vireo::tools {

inline constexpr char kWindowListTitle[] = " Список текущих окон";

// Shows frmWindows modally over `owner` and returns when it has closed.
void RunWindowList(platform::Platform& platform, ui::Toolkit& toolkit, ui::Window& owner);

class WindowListWindow {
 public:
  WindowListWindow(platform::Platform& platform, ui::Toolkit& toolkit);
  ~WindowListWindow();
  WindowListWindow(const WindowListWindow&) = delete;
  WindowListWindow& operator=(const WindowListWindow&) = delete;

  ui::Window& window() { return *window_; }

 private:
  void Enumerate();  // Form_Load, cmdRefresh_Click

  platform::Platform& platform_;
  std::unique_ptr<ui::Window> window_;
  std::unique_ptr<ui::Button> command1_;  // the heading of the handle column, no command
  std::unique_ptr<ui::Button> command2_;  // the heading of the title column, no command
  std::unique_ptr<ui::ListControl> lst_windows_;
  std::unique_ptr<ui::Button> cmd_refresh_;
  std::unique_ptr<ui::Button> cmd_ok_;
};

}  // namespace vireo::tools
