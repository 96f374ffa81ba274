// frmProcesses: the running processes, the Tool Help details of the selected one, ending a
// process and opening the folder of its program file. List line i and table record i describe
// the same process: the list is never sorted.
#pragma once

#include <array>
#include <memory>
#include <vector>

#include "platform/platform.h"
#include "ui/toolkit.h"

namespace vireo::tools {

inline constexpr char kProcessListTitle[] = "Список активных процессов";
// The table keeps the first 1001 processes of a snapshot; the caption counts them all.
inline constexpr int kProcessSlots = 1001;
inline constexpr int kDetailRows = 8;
inline constexpr int kTerminateWait = 200;  // ms between ending a process and the refresh

// Shows frmProcesses modally over `owner` and returns when it has closed.
void RunProcessList(platform::Platform& platform, ui::Toolkit& toolkit, ui::Window& owner);

class ProcessListWindow {
 public:
  ProcessListWindow(platform::Platform& platform, ui::Toolkit& toolkit);
  ~ProcessListWindow();
  ProcessListWindow(const ProcessListWindow&) = delete;
  ProcessListWindow& operator=(const ProcessListWindow&) = delete;

  ui::Window& window() { return *window_; }

 private:
  void CreateControls();
  void Refresh();      // the enumeration: Form_Load, cmdRefresh_Click
  void ShowDetails();  // lstProcs_KeyUp, _MouseMove, _MouseUp
  void Terminate();    // cmdTerminate_Click
  void OpenFolder();   // lstProcs_DblClick

  platform::Platform& platform_;
  ui::Toolkit& toolkit_;
  std::vector<platform::ProcessEntry> table_;
  std::unique_ptr<ui::Window> window_;
  std::unique_ptr<ui::ListControl> lst_procs_;
  std::unique_ptr<ui::Frame> frame1_;
  std::array<std::unique_ptr<ui::Label>, kDetailRows> captions_;
  std::array<std::unique_ptr<ui::Label>, kDetailRows> values_;  // lbl2 to lbl9
  std::unique_ptr<ui::Button> cmd_terminate_;
  std::unique_ptr<ui::Button> cmd_refresh_;
  std::unique_ptr<ui::Button> cmd_ok_;
  std::unique_ptr<ui::Button> cmd_help_;
};

}  // namespace vireo::tools
