#include "tools/system_info.h"

#include "resource.h"
#include "tools/process_list.h"
#include "tools/tool_texts.h"
#include "tools/tool_window.h"
#include "tools/window_list.h"
#include "ui/trap.h"

namespace vireo::tools {

void RunSystemInfo(platform::Platform& platform, ui::Toolkit& toolkit, ui::Window& owner) {
  SystemInfoWindow info(platform, toolkit);
  toolkit.RunModal(info.window(), owner);
}

SystemInfoWindow::SystemInfoWindow(platform::Platform& platform, ui::Toolkit& toolkit)
    : platform_(platform), toolkit_(toolkit) {
  window_ = toolkit.CreateTopWindow(ModalArgs(kSystemInfoTitle, Px(8535), Px(4815)));
  CreateControls();
  window_->on_command = ui::Trapped(&CloseOnEnterOrEscape, window_.get());
  Fill();
  timer1_ = toolkit.CreateTimer(*window_);
  timer1_->on_tick = ui::Trapped(&SystemInfoWindow::OnTick, this);
  timer1_->Start(kSystemInfoInterval);
}

SystemInfoWindow::~SystemInfoWindow() = default;

void SystemInfoWindow::CreateControls() {
  ui::Toolkit& tk = toolkit_;
  ui::Window& w = *window_;
  frame2_ = tk.CreateFrame(
      w, {.id = IDC_SYSINFO_SYSTEM_FRAME, .rect = Twips(120, 120, 4095, 1095), .text = "Система"});
  // Wide enough for its caption in the toolkit's font: up to where the name begins.
  label1_ =
      tk.CreateLabel(*frame2_, {.rect = Twips(120, 240, 1440, 255), .text = "Имя компьютера:"});
  cn_ = tk.CreateLabel(*frame2_,
                       {.id = IDC_SYSINFO_COMPUTER_NAME, .rect = Twips(1560, 240, 2415, 255)});
  work_ = tk.CreateLabel(*frame2_,
                         {.id = IDC_SYSINFO_RUNNING_TIME, .rect = Twips(120, 480, 3855, 255)});
  label2_ = tk.CreateLabel(*frame2_, {.rect = Twips(120, 720, 375, 255), .text = "OC:"});
  lbl_os_version_ =
      tk.CreateLabel(*frame2_, {.id = IDC_SYSINFO_OS_VERSION, .rect = Twips(480, 720, 3495, 255)});
  frame3_ = tk.CreateFrame(w, {.rect = Twips(120, 1320, 4095, 1935), .text = "Процессор"});
  lbl_cpu_ = tk.CreateLabel(*frame3_, {.id = IDC_SYSINFO_CPU, .rect = Twips(120, 240, 3855, 1575)});
  frame4_ = tk.CreateFrame(w, {.rect = Twips(4320, 120, 4095, 3135), .text = "Переменные среды"});
  lst_env_ =
      tk.CreateListBox(*frame4_, {.id = IDC_SYSINFO_ENV, .rect = Twips(120, 240, 3855, 2790)});
  lbl_ram_ = tk.CreateLabel(w, {.id = IDC_SYSINFO_RAM, .rect = Twips(120, 3360, 8295, 855)});
  cmd_ok_ =
      tk.CreateButton(w, {.id = IDC_SYSINFO_OK, .rect = Twips(120, 4320, 1215, 375), .text = "OK"});
  command1_ = tk.CreateButton(
      w,
      {.id = IDC_SYSINFO_PROCESSES, .rect = Twips(1440, 4320, 1215, 375), .text = "Процессы..."});
  command2_ = tk.CreateButton(
      w, {.id = IDC_SYSINFO_WINDOWS, .rect = Twips(2760, 4320, 1215, 375), .text = "Окна..."});

  cmd_ok_->on_click = ui::Trapped(&ui::Window::Close, window_.get());
  command1_->on_click = ui::Trapped(&SystemInfoWindow::ShowProcesses, this);
  command2_->on_click = ui::Trapped(&SystemInfoWindow::ShowWindows, this);
}

void SystemInfoWindow::Fill() {
  platform::Machine& machine = platform_.machine;
  // Each step on its own: one that fails leaves its text empty and the next still runs.
  ui::Trap([&] {
    platform::ProcessorInfo cpu;
    if (machine.Processor(&cpu)) lbl_cpu_->SetText(ProcessorText(cpu));
  });
  ui::Trap([&] { ShowMemory(); });
  ui::Trap([&] {
    platform::OsVersion version;
    if (platform_.system.Version(&version)) lbl_os_version_->SetText(OsVersionText(version));
  });
  ui::Trap([&] { ShowRunningTime(); });
  ui::Trap([&] {
    std::string name;
    if (machine.ComputerName(&name)) cn_->SetText(name);
  });
  ui::Trap([&] {
    lst_env_->Clear();
    for (const std::string& entry : machine.Environment()) {
      if (entry.empty()) break;
      lst_env_->AddItem(entry);
    }
  });
}

void SystemInfoWindow::OnTick() {
  ui::Trap([this] { ShowMemory(); });
  ui::Trap([this] { ShowRunningTime(); });
}

void SystemInfoWindow::ShowProcesses() {
  RunProcessList(platform_, toolkit_, *window_);
}

void SystemInfoWindow::ShowWindows() {
  RunWindowList(platform_, toolkit_, *window_);
}

void SystemInfoWindow::ShowMemory() {
  platform::MemoryStatus memory;
  const bool read = platform_.machine.Memory(&memory);
  lbl_ram_->SetText(read ? MemoryText(memory, platform_.machine.DecimalSeparator()) : "");
}

void SystemInfoWindow::ShowRunningTime() {
  work_->SetText(RunningTimeText(platform_.machine.TickCount()));
}

}  // namespace vireo::tools
