// frmSystemInfo, " Системная информация": the Windows version, the running time, the computer
// name, the processor, the memory and the environment. The running time and the memory are read
// again every half second while the window is open; the window changes nothing in the system.
#pragma once

#include <memory>

#include "platform/platform.h"
#include "ui/toolkit.h"

namespace vireo::tools {

inline constexpr char kSystemInfoTitle[] = " Системная информация";
inline constexpr int kSystemInfoInterval = 500;  // ms between two readings of Timer1

// Shows frmSystemInfo modally over `owner` and returns when it has closed.
void RunSystemInfo(platform::Platform& platform, ui::Toolkit& toolkit, ui::Window& owner);

class SystemInfoWindow {
 public:
  SystemInfoWindow(platform::Platform& platform, ui::Toolkit& toolkit);
  ~SystemInfoWindow();
  SystemInfoWindow(const SystemInfoWindow&) = delete;
  SystemInfoWindow& operator=(const SystemInfoWindow&) = delete;

  ui::Window& window() { return *window_; }

 private:
  void CreateControls();
  void Fill();           // Form_Load
  void OnTick();         // Timer1_Timer
  void ShowProcesses();  // Command1_Click
  void ShowWindows();    // Command2_Click
  void ShowMemory();
  void ShowRunningTime();

  platform::Platform& platform_;
  ui::Toolkit& toolkit_;
  std::unique_ptr<ui::Window> window_;
  std::unique_ptr<ui::Frame> frame2_;
  std::unique_ptr<ui::Label> label2_;
  std::unique_ptr<ui::Label> lbl_os_version_;
  std::unique_ptr<ui::Label> work_;
  std::unique_ptr<ui::Label> label1_;
  std::unique_ptr<ui::Label> cn_;
  std::unique_ptr<ui::Frame> frame3_;
  std::unique_ptr<ui::Label> lbl_cpu_;
  std::unique_ptr<ui::Label> lbl_ram_;
  std::unique_ptr<ui::Frame> frame4_;
  std::unique_ptr<ui::ListControl> lst_env_;
  std::unique_ptr<ui::Button> command1_;
  std::unique_ptr<ui::Button> command2_;
  std::unique_ptr<ui::Button> cmd_ok_;
  std::unique_ptr<ui::Timer> timer1_;  // after the window: it goes first
};

}  // namespace vireo::tools
