// The headless toolkit: widgets as plain objects in a tree, for tests (the widgets themselves are
// in headless_widgets.h), with its windows and timers. A test finds a widget by its id or its text
// and acts on it as a user would (Click, Type, Choose); those actions raise the events, while the
// program's own setters never do.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ui/headless/headless_widgets.h"
#include "ui/toolkit.h"

namespace vireo::ui::headless {

class HMenu : public ui::Menu {
 public:
  void AddItem(int command_id, const std::string& caption) override;
  void AddSeparator() override;
  void SetItemEnabled(int command_id, bool enabled) override;
  bool ItemEnabled(int command_id) const override;
  struct Item {
    int id = 0;  // 0 for a separator
    std::string caption;
    bool enabled = true;
  };
  const std::vector<Item>& items() const { return items_; }

 private:
  std::vector<Item> items_;
};

class HeadlessToolkit;

class HWindow : public Widget<ui::Window> {
 public:
  HWindow(HeadlessToolkit* toolkit, const WindowArgs& args, int sequence);
  ~HWindow() override;
  void Show() override;
  void PaintNow() override { Paint(); }
  void Close() override;
  void AddLine(int x1, int y1, int x2, int y2, int system_color) override;
  Menu* MenuAt(int position) override;

  const WindowArgs& args() const { return args_; }
  bool open() const { return open_; }
  bool shown() const { return shown_; }
  int paint_count() const { return paint_count_; }
  int sequence() const { return sequence_; }
  struct Line {
    int x1, y1, x2, y2, color;
  };
  const std::vector<Line>& lines() const { return lines_; }
  // The user picks a menu command or presses its accelerator key.
  void Command(int command_id);
  // The user closes the window through its title bar.
  void UserClose();
  // The system paints the window (it was uncovered, say): counts and raises on_paint.
  void Paint();
  // The user presses Enter or Escape in the window.
  void PressEnter() { Command(kCommandEnter); }
  void PressEscape() { Command(kCommandEscape); }

 private:
  friend class HeadlessToolkit;
  // The caption of a menu item made at run time; empty for the resource's own items.
  std::string CommandCaption(int command_id) const;
  // Ends a modal run: the owner takes input again (if it did before) the moment the window
  // closes, as under the Win32 toolkit.
  void GiveOwnerBack();

  HeadlessToolkit* toolkit_;
  WindowArgs args_;
  int sequence_;
  bool open_ = true;
  bool shown_ = false;
  int paint_count_ = 0;
  std::vector<Line> lines_;
  std::map<int, HMenu> menus_;
  ui::Window* modal_owner_ = nullptr;  // while shown through RunModal
  bool owner_was_enabled_ = false;
  bool owner_stayed_disabled_ = false;
};

class HTimer : public ui::Timer {
 public:
  HTimer(HeadlessToolkit* toolkit, ui::Window* owner) : toolkit_(toolkit), owner_(owner) {}
  ~HTimer() override;
  HTimer(const HTimer&) = delete;
  HTimer& operator=(const HTimer&) = delete;
  ui::Window* owner() const { return owner_; }
  void Start(int interval_ms) override {
    interval_ = interval_ms;
    running_ = true;
  }
  void Stop() override { running_ = false; }
  bool running() const { return running_; }
  int interval() const { return interval_; }
  // Time passes: the timer fires once if it runs.
  void Fire() {
    if (running_ && on_tick) on_tick();
  }

 private:
  HeadlessToolkit* toolkit_;
  ui::Window* owner_;
  bool running_ = false;
  int interval_ = 0;
};

class HIdleWork : public ui::IdleWork {
 public:
  explicit HIdleWork(HeadlessToolkit* toolkit) : toolkit_(toolkit) {}
  ~HIdleWork() override;
  HIdleWork(const HIdleWork&) = delete;
  HIdleWork& operator=(const HIdleWork&) = delete;
  void Start() override { running_ = true; }
  void Stop() override { running_ = false; }
  bool Running() const override { return running_; }
  // The program is idle for one slice of this work, if it runs.
  void Slice() {
    if (running_ && (!on_slice || !on_slice())) running_ = false;
  }

 private:
  HeadlessToolkit* toolkit_;
  bool running_ = false;
};

// Every window and timer it creates stays reachable for inspection, also after it closes.
class HeadlessToolkit : public Toolkit {
 public:
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
  int Run() override { return quit_code_; }
  // Disables the owner, shows the window (which paints it), lets on_modal act as the user while
  // it is open, then closes it through its title bar if it is still open. The owner takes input
  // again the moment the window closes, however it closes.
  void RunModal(ui::Window& window, ui::Window& owner) override;
  void Quit(int code) override {
    quit_code_ = code;
    quit_ = true;
  }

  bool quit() const { return quit_; }
  // The picture files that pictures can load; a test adds the ones it makes.
  std::vector<std::string> loadable_pictures;
  // The windows created so far that are still alive as objects, in creation order.
  std::vector<HWindow*> Windows() const;
  // The live window titled `title` that was created last, or null.
  HWindow* FindWindow(const std::string& title) const;
  // The live timer of `window` made last, or null.
  HTimer* TimerOf(const ui::Window& window) const;
  // How many windows titled `title` were ever created.
  int CreatedCount(const std::string& title) const;

  // The program waits for the user while up to `slices` slices of idle work run, the running
  // works taking turns in the order they were made; returns how many ran. With the default, it
  // waits until no work is left.
  int RunIdle(int slices = 1'000'000);
  // Whether any idle work runs.
  bool Idling() const;

  // What the user does while a modal window is open; null: the user closes it at once.
  std::function<void(HWindow& window)> on_modal;
  struct ModalRun {
    std::string title;
    bool owner_disabled = false;  // the owner was disabled all the while the window was open
  };
  // Every modal run so far, in order.
  std::vector<ModalRun> modal_runs;

 private:
  friend class HWindow;
  friend class HTimer;
  friend class HIdleWork;
  void Forget(HWindow* window);
  std::vector<HTimer*> timers_;
  std::vector<HIdleWork*> idle_works_;
  std::vector<HWindow*> windows_;
  std::vector<std::string> created_titles_;
  int quit_code_ = 0;
  bool quit_ = false;
  int sequence_ = 0;
};

}  // namespace vireo::ui::headless
