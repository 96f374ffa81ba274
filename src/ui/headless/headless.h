// The headless toolkit: widgets as plain objects in a tree, for tests. A test finds a widget by
// its text and acts on it as a user would (Click, Type, Choose); those actions raise the events,
// while the program's own setters never do.
#pragma once

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ui/action.h"
#include "ui/toolkit.h"

namespace vireo::ui::headless {

enum class Kind {
  kWindow,
  kFrame,
  kPicture,
  kLabel,
  kButton,
  kCheckBox,
  kTextBox,
  kDropDown,
  kListBox,
  kCheckList,
  kScrollBar,
  kOptionButton,
};

// The tree structure shared by every headless widget. Children are kept front to back: the
// first child is on top of the others.
class Node {
 public:
  Node(Kind kind, Node* parent, Rect rect, int id = 0);
  virtual ~Node();
  Node(const Node&) = delete;
  Node& operator=(const Node&) = delete;

  Kind kind() const { return kind_; }
  int id() const { return id_; }
  Node* parent() const { return parent_; }
  const std::vector<Node*>& children() const { return children_; }
  const Rect& rect() const { return rect_; }
  const std::string& text() const { return text_; }
  bool visible() const { return visible_; }
  bool enabled() const { return enabled_; }
  // Position among the siblings, 0 being the front.
  int ZIndex() const;
  // Visible, and every ancestor visible.
  bool Shown() const;

  // Depth-first search below this node (this node included) for the first node with `text`.
  Node* Find(const std::string& text);
  Node* Find(Kind kind, const std::string& text);
  // Depth-first search below this node for the control with `id`.
  Node* FindId(int id);
  // The same, as the widget type a test expects; null when there is none or it is another kind.
  template <class W>
  W* Get(int id) {
    return dynamic_cast<W*>(FindId(id));
  }

 protected:
  void SetTextState(const std::string& text) { text_ = text; }
  void SetVisibleState(bool visible) { visible_ = visible; }
  void SetEnabledState(bool enabled) { enabled_ = enabled; }
  void MoveToFront();

 private:
  Kind kind_;
  int id_;
  Node* parent_;
  Rect rect_;
  std::string text_;
  bool visible_ = true;
  bool enabled_ = true;
  std::vector<Node*> children_;
};

// The Widget part that every headless widget shares.
template <class Interface>
class Widget : public Interface, public Node {
 public:
  Widget(Kind kind, Node* parent, const ControlArgs& args)
      : Node(kind, parent, args.rect, args.id) {
    SetTextState(args.text);
  }
  void SetText(const std::string& text) override { SetTextState(text); }
  std::string Text() const override { return text(); }
  void SetVisible(bool v) override { SetVisibleState(v); }
  bool Visible() const override { return visible(); }
  void SetEnabled(bool e) override { SetEnabledState(e); }
  bool Enabled() const override { return enabled(); }
  void BringToFront() override { MoveToFront(); }
  NativeHandle Handle() const override { return reinterpret_cast<NativeHandle>(this); }
  void Focus() override { focused_ = true; }
  bool focused() const { return focused_; }
  void SetTooltip(std::function<std::string()> provider) override {
    tooltip_ = std::move(provider);
  }
  // The pointer rests on the widget: the text its tooltip shows now ("" for none).
  std::string TooltipText() const { return tooltip_ ? tooltip_() : std::string(); }

 private:
  bool focused_ = false;
  std::function<std::string()> tooltip_;
};

class HFrame : public Widget<ui::Frame> {
 public:
  HFrame(Node* parent, const ControlArgs& args) : Widget(Kind::kFrame, parent, args) {}
};

class HPicture : public Widget<ui::Picture> {
 public:
  HPicture(Node* parent, const ControlArgs& args, const std::vector<std::string>* loadable)
      : Widget(Kind::kPicture, parent, args), loadable_(loadable) {}
  bool LoadFile(const std::string& path) override;
  void Clear() override { picture_.clear(); }
  const std::string& picture() const { return picture_; }
  // The user clicks the picture. A disabled picture does nothing.
  void Click() {
    if (enabled() && on_click) on_click();
  }

 private:
  const std::vector<std::string>* loadable_;
  std::string picture_;
};

class HLabel : public Widget<ui::Label> {
 public:
  HLabel(Node* parent, const ControlArgs& args)
      : Widget(Kind::kLabel, parent, args), font_(args.font), text_color_(args.text_color) {}
  const Font& font() const { return font_; }
  int text_color() const { return text_color_; }

 private:
  Font font_;
  int text_color_;
};

class HButton : public Widget<ui::Button> {
 public:
  HButton(Node* parent, const ControlArgs& args)
      : Widget(Kind::kButton, parent, args), icon_id_(args.icon_id) {}
  int icon_id() const { return icon_id_; }
  // The user clicks the button. Disabled buttons do nothing.
  void Click();

 private:
  int icon_id_;
};

class HCheckBox : public Widget<ui::CheckBox> {
 public:
  HCheckBox(Node* parent, const ControlArgs& args) : Widget(Kind::kCheckBox, parent, args) {}
  void SetChecked(int state) override { checked_ = state; }
  int Checked() const override { return checked_; }
  // The user clicks the box: it toggles and raises on_click.
  void Click();

 private:
  int checked_ = 0;
};

// A box that is read-only or disabled takes none of the user's edits.
class HTextBox : public Widget<ui::TextBox> {
 public:
  HTextBox(Node* parent, const ControlArgs& args)
      : Widget(Kind::kTextBox, parent, args), multiline_(args.multiline), font_(args.font) {}
  void SetReadOnly(bool read_only) override { read_only_ = read_only; }
  bool ReadOnly() const override { return read_only_; }
  bool multiline() const { return multiline_; }
  const Font& font() const { return font_; }
  // The user types `text` (UTF-8) at the end, one keystroke (one on_change) per character.
  void Type(const std::string& text);
  // The user presses Backspace once.
  void Backspace();
  // The user replaces the whole contents in one edit (a paste over a selection).
  void Replace(const std::string& text);

 private:
  bool Editable() const { return enabled() && !read_only_; }
  bool read_only_ = false;
  bool multiline_;
  Font font_;
};

class HOptionButton : public Widget<ui::OptionButton> {
 public:
  HOptionButton(Node* parent, const ControlArgs& args)
      : Widget(Kind::kOptionButton, parent, args) {}
  void SetChecked(bool checked) override;
  bool Checked() const override { return checked_; }
  // The user clicks the button: it is selected, the others of its container cleared.
  void Click();

 private:
  bool checked_ = false;
};

template <class Interface>
class HList : public Widget<Interface> {
 public:
  using Widget<Interface>::Widget;
  void Clear() override {
    items_.clear();
    selection_ = -1;
    ++clears_;
  }
  int AddItem(const std::string& text) override {
    items_.push_back(text);
    return static_cast<int>(items_.size()) - 1;
  }
  int Count() const override { return static_cast<int>(items_.size()); }
  std::string Item(int index) const override {
    return index >= 0 && index < Count() ? items_[index] : std::string();
  }
  void SetSelection(int index) override { selection_ = index >= 0 && index < Count() ? index : -1; }
  int Selection() const override { return selection_; }
  void SetItemTooltip(std::function<std::string(int item)> provider) override {
    item_tooltip_ = std::move(provider);
  }
  // The pointer rests on item `index`: the text its tooltip shows now. Past the items, or without
  // an item provider, the list's own tooltip.
  std::string ItemTooltipText(int index) const {
    if (item_tooltip_ && index >= 0 && index < Count()) return item_tooltip_(index);
    return this->TooltipText();
  }
  void SetHorizontalExtent(int pixels) override { horizontal_extent_ = pixels; }
  int horizontal_extent() const { return horizontal_extent_; }
  // How many times code has cleared the list: a list updated in place is not cleared.
  int clears() const { return clears_; }
  // The user selects item `index`.
  void Choose(int index) {
    if (!this->enabled() || index < 0 || index >= Count()) return;
    selection_ = index;
    const ActionScope action(items_[static_cast<std::size_t>(index)], this->Handle(), false);
    if (this->on_select) this->on_select();
  }
  // The user double-clicks item `index`: it is selected, then on_double_click is raised.
  void DoubleClick(int index) {
    if (!this->enabled() || index < 0 || index >= Count()) return;
    Choose(index);
    if (this->on_double_click) this->on_double_click();
  }
  // The user selects the item that reads `text`; false when there is none.
  bool Choose(const std::string& text) {
    auto it = std::find(items_.begin(), items_.end(), text);
    if (it == items_.end()) return false;
    Choose(static_cast<int>(it - items_.begin()));
    return true;
  }

 protected:
  std::vector<std::string> items_;
  int selection_ = -1;
  int horizontal_extent_ = 0;
  int clears_ = 0;
  std::function<std::string(int item)> item_tooltip_;
};

class HDropDown : public HList<ui::ListControl> {
 public:
  HDropDown(Node* parent, const ControlArgs& args, Kind kind)
      : HList(kind, parent, args), font_(args.font) {}
  const Font& font() const { return font_; }

 private:
  Font font_;
};

class HCheckList : public HList<ui::CheckList> {
 public:
  HCheckList(Node* parent, const ControlArgs& args) : HList(Kind::kCheckList, parent, args) {}
  void Clear() override;
  int AddItem(const std::string& text) override;
  void SetItemChecked(int index, bool checked) override;
  bool ItemChecked(int index) const override;
  // The user toggles the check mark of item `index`.
  void ToggleCheck(int index);

 private:
  std::vector<bool> checks_;
};

class HScrollBar : public Widget<ui::ScrollBar> {
 public:
  HScrollBar(Node* parent, const ControlArgs& args) : Widget(Kind::kScrollBar, parent, args) {}
  void SetRange(int min, int max) override;
  bool SetValue(int value) override;
  int Value() const override { return value_; }
  int min() const { return min_; }
  int max() const { return max_; }
  // The user clicks an arrow: the value moves by `delta` within the range.
  void Step(int delta);

 private:
  int min_ = 0;
  int max_ = 100;
  int value_ = 0;
};

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
  // The caption of a menu item made at run time; empty for the resource's own items.
  std::string CommandCaption(int command_id) const;

  HeadlessToolkit* toolkit_;
  WindowArgs args_;
  int sequence_;
  bool open_ = true;
  bool shown_ = false;
  int paint_count_ = 0;
  std::vector<Line> lines_;
  std::map<int, HMenu> menus_;
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
  int Run() override { return quit_code_; }
  // Disables the owner, shows the window (which paints it), lets on_modal act as the user while
  // it is open, then closes it through its title bar if it is still open, and enables the owner.
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
  void Forget(HWindow* window);
  std::vector<HTimer*> timers_;
  std::vector<HWindow*> windows_;
  std::vector<std::string> created_titles_;
  int quit_code_ = 0;
  bool quit_ = false;
  int sequence_ = 0;
};

}  // namespace vireo::ui::headless
