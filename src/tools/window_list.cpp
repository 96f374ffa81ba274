#include "tools/window_list.h"

#include "resource.h"
#include "tools/tool_texts.h"
#include "tools/tool_window.h"
#include "ui/trap.h"

namespace vireo::tools {
namespace {

constexpr int kWidth = 488;
constexpr int kHeight = 331;
// The handle column holds five digits and the four blanks after them.
constexpr int kHandleColumn = 80;

}  // namespace

void RunWindowList(platform::Platform& platform, ui::Toolkit& toolkit, ui::Window& owner) {
  WindowListWindow list(platform, toolkit);
  toolkit.RunModal(list.window(), owner);
}

WindowListWindow::WindowListWindow(platform::Platform& platform, ui::Toolkit& toolkit)
    : platform_(platform) {
  window_ = toolkit.CreateTopWindow(ModalArgs(kWindowListTitle, kWidth, kHeight));
  ui::Window& w = *window_;
  command1_ = toolkit.CreateButton(
      w, {.id = IDC_WINDOWS_HANDLE_COLUMN, .rect = {8, 8, kHandleColumn, 22}, .text = "Handle"});
  command2_ =
      toolkit.CreateButton(w, {.id = IDC_WINDOWS_TITLE_COLUMN,
                               .rect = {8 + kHandleColumn, 8, kWidth - 16 - kHandleColumn, 22},
                               .text = "Название окна"});
  ui::ControlArgs list{.id = IDC_WINDOWS_LIST,
                       .rect = {8, 30, kWidth - 16, 258},
                       .font = {.face = kFixedFont, .tenths_of_point = 90}};
  lst_windows_ = toolkit.CreateListBox(w, list);
  cmd_refresh_ = toolkit.CreateButton(
      w, {.id = IDC_WINDOWS_REFRESH, .rect = {kWidth - 188, 298, 86, 25}, .text = "Обновить"});
  cmd_ok_ = toolkit.CreateButton(
      w, {.id = IDC_WINDOWS_OK, .rect = {kWidth - 94, 298, 86, 25}, .text = "OK"});

  cmd_refresh_->on_click = ui::Trapped(&WindowListWindow::Enumerate, this);
  cmd_ok_->on_click = ui::Trapped(&ui::Window::Close, window_.get());
  window_->on_command = ui::Trapped(&CloseOnEnterOrEscape, window_.get());
  ui::Trap([this] { Enumerate(); });
}

WindowListWindow::~WindowListWindow() = default;

void WindowListWindow::Enumerate() {
  lst_windows_->Clear();
  for (const platform::TopWindow& top : platform_.top_windows.List()) {
    if (!top.title.empty()) lst_windows_->AddItem(WindowLine(top.handle, top.title));
  }
}

}  // namespace vireo::tools
