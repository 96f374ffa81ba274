// The headless widgets: plain objects in a tree, for tests. A test finds a widget by its id or its
// text and acts on it as a user would (Click, Type, Choose); those actions raise the events, while
// the program's own setters never do. The windows, timers and the toolkit are in headless.h.
#pragma once

#include <algorithm>
#include <functional>
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
  // Whether the widget has a tooltip (a list box: or its items have).
  virtual bool HasTooltip() const { return false; }

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
  bool HasTooltip() const override { return static_cast<bool>(tooltip_); }

 private:
  bool focused_ = false;
  std::function<std::string()> tooltip_;
};

class HFrame : public Widget<ui::Frame> {
 public:
  HFrame(Node* parent, const ControlArgs& args)
      : Widget(Kind::kFrame, parent, args), held_back_(args.defer_contents) {}
  // Headless widgets have no windows: a held-back frame only notes that it was asked.
  bool MakeContentsAhead() override {
    held_back_ = false;
    return true;
  }
  // Made with defer_contents and not yet asked to make its contents ahead.
  bool held_back() const { return held_back_; }

 private:
  bool held_back_;
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
      : Widget(Kind::kTextBox, parent, args),
        multiline_(args.multiline),
        keys_to_(args.keys_to),
        font_(args.font) {}
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
  // The user presses Down (`step` 1) or Up (-1): a box made with `keys_to` moves the current
  // line of that list, as the key would in the list.
  void Arrow(int step);

 private:
  bool Editable() const { return enabled() && !read_only_; }
  bool read_only_ = false;
  bool multiline_;
  int keys_to_;
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
  bool HasTooltip() const override {
    return static_cast<bool>(item_tooltip_) || Widget<Interface>::HasTooltip();
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
  // The user releases a key, moves the pointer or releases a mouse button over the list.
  void KeyUp() { Raise(this->on_key_up); }
  void MouseMove() { Raise(this->on_mouse_move); }
  void MouseUp() { Raise(this->on_mouse_up); }
  // The user selects the item that reads `text`; false when there is none.
  bool Choose(const std::string& text) {
    auto it = std::find(items_.begin(), items_.end(), text);
    if (it == items_.end()) return false;
    Choose(static_cast<int>(it - items_.begin()));
    return true;
  }

 protected:
  void Raise(const std::function<void()>& event) {
    if (!this->enabled() || !event) return;
    const ActionScope action(Item(selection_), this->Handle(), false);
    event();
  }
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

}  // namespace vireo::ui::headless
