#include "tools/process_list.h"

#include <algorithm>

#include "resource.h"
#include "tools/tool_texts.h"
#include "tools/tool_window.h"
#include "ui/trap.h"

namespace vireo::tools {
namespace {

constexpr const char* kDetailCaptions[kDetailRows] = {"Идентификатор процесса:",
                                                      "Родительский процесс:",
                                                      "Идентификатор модуля:",
                                                      "Идентификатор кучи:",
                                                      "Исп. процессора (%):",
                                                      "Число нитей:",
                                                      "Приоритет:",
                                                      "Флаги:"};

constexpr int kListWidth = 330;
constexpr int kListHeight = 282;
constexpr int kFrameLeft = kListWidth + 16;
constexpr int kFrameWidth = 240;
constexpr int kRowHeight = 21;
constexpr int kCharWidth = 7;  // the list's horizontal extent counts 7 pixels a character

}  // namespace

void RunProcessList(platform::Platform& platform, ui::Toolkit& toolkit, ui::Window& owner) {
  ProcessListWindow list(platform, toolkit);
  toolkit.RunModal(list.window(), owner);
}

ProcessListWindow::ProcessListWindow(platform::Platform& platform, ui::Toolkit& toolkit)
    : platform_(platform), toolkit_(toolkit) {
  window_ = toolkit.CreateTopWindow(
      ModalArgs(kProcessListTitle, kFrameLeft + kFrameWidth + 8, kListHeight + 16));
  CreateControls();
  window_->on_command = ui::Trapped(&CloseOnEnterOrEscape, window_.get());
  ui::Trap([this] { Refresh(); });
}

ProcessListWindow::~ProcessListWindow() = default;

void ProcessListWindow::CreateControls() {
  ui::Toolkit& tk = toolkit_;
  ui::Window& w = *window_;
  ui::ControlArgs list{.id = IDC_PROCS_LIST,
                       .rect = {8, 8, kListWidth, kListHeight},
                       .font = {.face = kFixedFont, .tenths_of_point = 90}};
  lst_procs_ = tk.CreateListBox(w, list);
  frame1_ = tk.CreateFrame(w, {.id = IDC_PROCS_DETAILS_FRAME,
                               .rect = {kFrameLeft, 4, kFrameWidth, 196},
                               .text = "Информация о процессе"});
  for (int i = 0; i < kDetailRows; ++i) {
    const int top = 22 + i * kRowHeight;
    captions_[i] =
        tk.CreateLabel(*frame1_, {.rect = {8, top, 150, 17}, .text = kDetailCaptions[i]});
    values_[i] =
        tk.CreateLabel(*frame1_, {.id = IDC_PROCS_VALUE_FIRST + i, .rect = {160, top, 72, 17}});
  }
  const int left = kFrameLeft + 8;
  const int right = kFrameLeft + kFrameWidth / 2 + 4;
  constexpr int kButtonWidth = 106;
  cmd_terminate_ = tk.CreateButton(
      w, {.id = IDC_PROCS_TERMINATE, .rect = {left, 212, kButtonWidth, 25}, .text = "Завершить"});
  cmd_refresh_ = tk.CreateButton(
      w, {.id = IDC_PROCS_REFRESH, .rect = {right, 212, kButtonWidth, 25}, .text = "Обновить"});
  cmd_help_ = tk.CreateButton(
      w, {.id = IDC_PROCS_HELP, .rect = {left, 265, kButtonWidth, 25}, .text = "Справка"});
  cmd_ok_ = tk.CreateButton(
      w, {.id = IDC_PROCS_OK, .rect = {right, 265, kButtonWidth, 25}, .text = "OK"});

  // The details follow the selection as the user touches the list, not a selection made by code.
  for (auto* event :
       {&lst_procs_->on_key_up, &lst_procs_->on_mouse_move, &lst_procs_->on_mouse_up}) {
    *event = ui::Trapped(&ProcessListWindow::ShowDetails, this);
  }
  lst_procs_->on_double_click = ui::Trapped(&ProcessListWindow::OpenFolder, this);
  cmd_terminate_->on_click = ui::Trapped(&ProcessListWindow::Terminate, this);
  cmd_refresh_->on_click = ui::Trapped(&ProcessListWindow::Refresh, this);
  cmd_ok_->on_click = ui::Trapped(&ui::Window::Close, window_.get());
  // "Справка" has no command.
}

void ProcessListWindow::Refresh() {
  std::vector<platform::ProcessEntry> processes;
  if (!platform_.processes.Snapshot(&processes)) return;
  const std::size_t count = processes.size();
  if (processes.size() > static_cast<std::size_t>(kProcessSlots)) processes.resize(kProcessSlots);
  table_ = std::move(processes);

  lst_procs_->Clear();
  std::size_t longest = 0;
  for (const platform::ProcessEntry& process : table_) {
    lst_procs_->AddItem(process.exe_file);
    longest = std::max(longest, process.exe_file.size());
  }
  lst_procs_->SetSelection(0);
  lst_procs_->SetHorizontalExtent(static_cast<int>(longest + 2) * kCharWidth);
  window_->SetText(std::string(kProcessListTitle) + " (" + std::to_string(count) + ")");
}

void ProcessListWindow::ShowDetails() {
  const int index = lst_procs_->Selection();
  if (index < 0 || index >= static_cast<int>(table_.size())) return;
  const platform::ProcessEntry& p = table_[static_cast<std::size_t>(index)];
  const std::string texts[kDetailRows] = {
      Hex8(p.process_id),         Hex8(p.parent_process_id),
      Hex8(p.module_id),          Hex8(p.default_heap_id),
      std::to_string(p.usage),    std::to_string(p.threads),
      std::to_string(p.priority), std::to_string(static_cast<std::int32_t>(p.flags))};
  // Every move of the pointer comes here: only a text that changes is set, so nothing flickers.
  for (int i = 0; i < kDetailRows; ++i) {
    if (values_[i]->Text() != texts[i]) values_[i]->SetText(texts[i]);
  }
}

void ProcessListWindow::Terminate() {
  const int index = lst_procs_->Selection();
  if (index < 0 || index >= static_cast<int>(table_.size())) return;
  platform::Processes& processes = platform_.processes;
  const std::uint32_t id = table_[static_cast<std::size_t>(index)].process_id;
  // No question and no message: a process that cannot be ended stays in the list.
  if (const platform::ProcessHandle handle =
          processes.Open(id, platform::kProcessAllAccess, true)) {
    processes.Terminate(handle, 0);
    processes.Close(handle);
  }
  processes.Sleep(kTerminateWait);
  Refresh();
}

void ProcessListWindow::OpenFolder() {
  const int index = lst_procs_->Selection();
  if (index < 0) return;
  const std::string folder = FolderOf(lst_procs_->Item(index));
  if (folder.empty()) return;
  platform_.shell.Open("open", folder, platform::kShowNormal);
}

}  // namespace vireo::tools
