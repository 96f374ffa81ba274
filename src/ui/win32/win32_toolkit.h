// The toolkit over real windows. Each widget object keeps its HWND and is found from it through
// GWLP_USERDATA; containers reflect WM_COMMAND, WM_DRAWITEM, WM_CTLCOLOR* and scroll messages
// back to the child's object. Notifications that Windows sends for changes made by code
// (EN_CHANGE after WM_SETTEXT) are suppressed, so only the user's actions raise events.
//
// Each widget also keeps its state itself (text, visibility, enabling, check, items, selection,
// range and value, picture), so that it can live without a window: the contents of a frame made
// with `defer_contents` get their windows only when a user first sees the frame, and are handed
// the kept state then, without raising events. Under Wine every window costs about half a
// millisecond, so the pages that are not in front at start-up cost nothing until they are shown.
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "ui/toolkit.h"

namespace vireo::ui::win32 {
namespace detail {
class Win32OptionButton;
class Tooltips;
}  // namespace detail

class Win32Toolkit : public Toolkit {
 public:
  explicit Win32Toolkit(HINSTANCE instance);
  ~Win32Toolkit() override;

  std::unique_ptr<ui::Window> CreateTopWindow(const WindowArgs& args) override;
  std::unique_ptr<ui::Frame> CreateFrame(Container& parent, const ControlArgs& args) override;
  std::unique_ptr<ui::Picture> CreatePicture(Container& parent, const ControlArgs& args) override;
  std::unique_ptr<ui::Label> CreateLabel(Container& parent, const ControlArgs& args) override;
  std::unique_ptr<ui::Button> CreateButton(Container& parent, const ControlArgs& args) override;
  std::unique_ptr<ui::CheckBox> CreateCheckBox(Container& parent, const ControlArgs& args) override;
  std::unique_ptr<ui::TextBox> CreateTextBox(Container& parent, const ControlArgs& args) override;
  std::unique_ptr<ui::ListControl> CreateDropDown(Container& parent,
                                                  const ControlArgs& args) override;
  std::unique_ptr<ui::ListControl> CreateListBox(Container& parent,
                                                 const ControlArgs& args) override;
  std::unique_ptr<ui::CheckList> CreateCheckList(Container& parent,
                                                 const ControlArgs& args) override;
  std::unique_ptr<ui::ScrollBar> CreateScrollBar(Container& parent,
                                                 const ControlArgs& args) override;
  std::unique_ptr<ui::OptionButton> CreateOptionButton(Container& parent,
                                                       const ControlArgs& args) override;
  std::unique_ptr<ui::Timer> CreateTimer(ui::Window& owner) override;
  std::unique_ptr<ui::IdleWork> CreateIdleWork(ui::Window& owner) override;
  int Run() override;
  void RunModal(ui::Window& window, ui::Window& owner) override;
  void Quit(int code) override;

  HINSTANCE instance() const { return instance_; }
  HFONT FontFor(const Font& font);
  detail::Tooltips& tooltips() { return *tooltips_; }
  // The window whose accelerators and dialog keys the message loop handles.
  void SetActiveWindow(HWND window, HACCEL accelerators);

 private:
  HINSTANCE instance_;
  std::unique_ptr<detail::Tooltips> tooltips_;
  std::map<std::tuple<std::string, int, int, bool>, HFONT> fonts_;
  HWND active_window_ = nullptr;
  HACCEL active_accelerators_ = nullptr;
  UINT_PTR next_timer_id_ = 1;
  // The option buttons of each container, which exclude each other.
  std::map<const void*, std::shared_ptr<std::vector<detail::Win32OptionButton*>>> option_groups_;
};

}  // namespace vireo::ui::win32
