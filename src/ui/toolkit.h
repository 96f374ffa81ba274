// The user-interface toolkit: exactly the widgets the program needs. The program's windows are
// written against these interfaces only; ui/win32 binds them to real windows and ui/headless to
// plain objects that tests drive as a user would.
//
// The rules that everything else relies on:
// - Setting a widget's state from code never raises an event. Only a user's action does: a click
//   (Button::on_click, CheckBox::on_click), a keystroke or paste (TextBox::on_change), a choice
//   in a list (ListControl::on_select), a tick or clear of a list item
//   (CheckList::on_item_check, with the item's index), a double click on a list item
//   (ListControl::on_double_click, after the on_select of its first click), a key released or
//   the pointer moved or a button released over a list box (ListControl::on_key_up,
//   on_mouse_move, on_mouse_up), an arrow or drag of
//   a scroll bar (ScrollBar::on_change), a click on an option button (OptionButton::on_click) or
//   on a picture (Picture::on_click), a menu command or accelerator (Window::on_command; in a modal
//   window Enter and Escape too, as kCommandEnter and kCommandEscape).
// - Option buttons are mutually exclusive within their container: selecting one, by the user or
//   by code, clears the others there. A selection made by code raises no event.
// - Window::on_paint is raised whenever the window has been painted: when it is shown, by
//   PaintNow, and whenever the system repaints it (headless: HWindow::Paint). The handler may
//   set widgets; it must not write anything.
// - Toolkit::RunModal shows a window modally: its owner takes no input until it closes.
// - IdleWork runs its slices only while nothing else waits (input, painting, messages), so the
//   user's input waits for one slice at most; a slice is code of the program like any event
//   handler, and the rules above hold for it.
// - An event is raised after the widget shows the new state, so the handler reads it there.
// - The toolkit does not trap: whoever hooks an event hooks it through ui::Trapped (ui/trap.h),
//   which runs the handler under ui::Trap, so that no failure reaches a window procedure.
// - A tooltip's text is asked for when the tooltip opens, never before: a provider may read the
//   registry, and building the controls must not. Where the system has no tooltips the program
//   works the same without them.
// - A control made with an id keeps it: it is the Win32 child id, what the headless toolkit's
//   Find(id) looks for, and what an outside driver asks for. Ids are unique in their window.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vireo::ui {

using NativeHandle = std::uintptr_t;

struct Rect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

struct Font {
  std::string face = "Tahoma";
  int tenths_of_point = 83;  // 8.25 pt
  int charset = 204;         // Cyrillic
  bool bold = false;
};

// System colour indexes, as GetSysColor numbers them.
inline constexpr int kColorButtonShadow = 16;
inline constexpr int kColorButtonHighlight = 20;
inline constexpr int kColorGrayText = 17;
inline constexpr int kColorButtonText = 18;

class Widget {
 public:
  virtual ~Widget() = default;
  Widget() = default;
  Widget(const Widget&) = delete;
  Widget& operator=(const Widget&) = delete;

  virtual void SetText(const std::string& text) = 0;
  virtual std::string Text() const = 0;
  virtual void SetVisible(bool visible) = 0;
  virtual bool Visible() const = 0;
  virtual void SetEnabled(bool enabled) = 0;
  virtual bool Enabled() const = 0;
  // Puts the widget on top of its siblings.
  virtual void BringToFront() = 0;
  virtual NativeHandle Handle() const = 0;
  // Gives the widget the keyboard focus; a text box's whole text is selected then, as the
  // dialog keys select it, so that typing replaces it.
  virtual void Focus() = 0;
  // The text of the tooltip shown while the pointer rests on the widget, asked for each time the
  // tooltip opens; "" shows none. The provider runs under no trap of the toolkit's: it must not
  // throw.
  virtual void SetTooltip(std::function<std::string()> provider) = 0;
};

// A widget that holds others: windows, frames and pictures.
class Container : public Widget {};

class Frame : public Container {
 public:
  // A frame made with `defer_contents`: makes the windows of its next held-back child (and of
  // everything inside that child) now, ahead of the frame's first showing, without showing or
  // raising anything. True once nothing is held back; always true for any other frame.
  virtual bool MakeContentsAhead() { return true; }
};
class Picture : public Container {
 public:
  // Loads a picture file to show; false when it cannot be loaded (the old picture stays).
  virtual bool LoadFile(const std::string& path) = 0;
  virtual void Clear() = 0;
  // Raised after the user clicked the picture.
  std::function<void()> on_click;
};
class Label : public Widget {};

class Button : public Widget {
 public:
  std::function<void()> on_click;
};

class CheckBox : public Widget {
 public:
  // 0 clear, 1 ticked.
  virtual void SetChecked(int state) = 0;
  virtual int Checked() const = 0;
  // Raised after the user changed the state; Checked() gives the new state.
  std::function<void()> on_click;
};

class TextBox : public Widget {
 public:
  // A read-only box shows its text and takes no typing; code may still set the text.
  virtual void SetReadOnly(bool read_only) = 0;
  virtual bool ReadOnly() const = 0;
  // Raised after every change of the contents that the user made.
  std::function<void()> on_change;
};

// A radio button: mutually exclusive with the other option buttons of its container.
class OptionButton : public Widget {
 public:
  // Selecting one clears the others of the container; no event.
  virtual void SetChecked(bool checked) = 0;
  virtual bool Checked() const = 0;
  // Raised after the user clicked the button; it is selected then.
  std::function<void()> on_click;
};

// A drop-down list (or a plain list box); -1 is no selection.
class ListControl : public Widget {
 public:
  virtual void Clear() = 0;
  virtual int AddItem(const std::string& text) = 0;
  virtual int Count() const = 0;
  virtual std::string Item(int index) const = 0;
  // Clear, then AddItem for each of `items`; the Win32 list draws once, at the end.
  virtual void SetItems(const std::vector<std::string>& items) {
    Clear();
    for (const std::string& item : items) AddItem(item);
  }
  virtual void SetSelection(int index) = 0;
  virtual int Selection() const = 0;
  // List boxes: the tooltip of the item under the pointer, asked for when it opens and again
  // when the pointer moves to another item. Over no item the widget's own tooltip shows.
  virtual void SetItemTooltip(std::function<std::string(int item)> provider) = 0;
  // List boxes: how far, in pixels, the items can be scrolled sideways; 0 for no scrolling.
  virtual void SetHorizontalExtent(int pixels) = 0;
  // Raised after the user selected an item.
  std::function<void()> on_select;
  // Raised after the user double-clicked an item, which is selected then (list boxes only).
  std::function<void()> on_double_click;
  // List boxes: raised after the user released a key, moved the pointer or released a mouse
  // button over the list, once the list has handled it (a selection it made shows).
  std::function<void()> on_key_up;
  std::function<void()> on_mouse_move;
  std::function<void()> on_mouse_up;
};

// A list box whose items carry check marks.
class CheckList : public ListControl {
 public:
  virtual void SetItemChecked(int index, bool checked) = 0;
  virtual bool ItemChecked(int index) const = 0;
  // Raised after the user ticked or cleared item `index`.
  std::function<void(int index)> on_item_check;
};

// A vertical scroll bar used as a spin control.
class ScrollBar : public Widget {
 public:
  virtual void SetRange(int min, int max) = 0;
  // A value outside the range is refused: the bar stays where it was and the result is false.
  virtual bool SetValue(int value) = 0;
  virtual int Value() const = 0;
  // Raised after the user moved the bar; Value() gives the new value. Arrow clicks step by 1.
  std::function<void()> on_change;
};

// A popup menu of the menu bar. Items are addressed by command id.
class Menu {
 public:
  virtual ~Menu() = default;
  virtual void AddItem(int command_id, const std::string& caption) = 0;
  virtual void AddSeparator() = 0;
  virtual void SetItemEnabled(int command_id, bool enabled) = 0;
  virtual bool ItemEnabled(int command_id) const = 0;
};

class Window : public Container {
 public:
  virtual void Show() = 0;
  // Paints the window now, before returning to the event loop.
  virtual void PaintNow() = 0;
  // Destroys the window (unload).
  virtual void Close() = 0;
  // A line drawn in a system colour, kept and painted with the window from now on.
  virtual void AddLine(int x1, int y1, int x2, int y2, int system_color) = 0;
  // The popup menu at `position` of the menu bar, or null.
  virtual Menu* MenuAt(int position) = 0;

  // A menu command or an accelerator key.
  std::function<void(int command_id)> on_command;
  // The user closed the window through its title bar or system menu.
  std::function<void()> on_close;
  // The window has been painted (see above).
  std::function<void()> on_paint;
};

// The commands that Enter and Escape give in a modal window.
inline constexpr int kCommandEnter = 1;   // IDOK
inline constexpr int kCommandEscape = 2;  // IDCANCEL

// A periodic timer that raises its event on the user-interface thread.
class Timer {
 public:
  virtual ~Timer() = default;
  virtual void Start(int interval_ms) = 0;
  virtual void Stop() = 0;
  std::function<void()> on_tick;
};

// Work done a slice at a time while the program waits for the user. Once started, on_slice runs
// again and again whenever nothing else waits, until it returns false (nothing left) or Stop is
// called; starting work that runs changes nothing. Slices are meant to be short (a few
// milliseconds): nothing interrupts one.
class IdleWork {
 public:
  virtual ~IdleWork() = default;
  virtual void Start() = 0;
  virtual void Stop() = 0;
  virtual bool Running() const = 0;
  // One slice; true while more is left.
  std::function<bool()> on_slice;
};

enum class WindowKind {
  kMain,    // title bar, fixed single border, menu bar from the resource `menu_id`
  kSplash,  // no border, no title bar
  kDialog,  // a small fixed dialog frame without title text
  kModal,   // title bar with a close box, fixed border; shown through Toolkit::RunModal
};

struct WindowArgs {
  WindowKind kind = WindowKind::kMain;
  std::string title;
  int client_width = 0;
  int client_height = 0;
  bool centred = true;
  bool white_background = false;
  int icon_id = 0;          // resource id of the window's icon
  int menu_id = 0;          // resource id of the menu bar
  int accelerators_id = 0;  // resource id of the accelerator table
  Font font;
};

// Made with designated initialisers, naming only what differs from the defaults:
// {.id = IDC_NEW_MENU_ADD, .rect = {206, 18, 89, 21}, .text = "Добавить"}. Every member has a
// default, so that no initialiser list leaves one unset.
struct ControlArgs {
  int id = 0;  // the control's stable id (see above); 0 for none
  Rect rect{};
  std::string text{};
  int icon_id = 0;      // buttons: a picture above the caption; pictures: the picture shown
  bool header = false;  // labels: a title bar in the caption colours
  bool border = false;  // pictures: a sunken border
  Font font{};
  bool multiline = false;  // text boxes: several lines, Enter starts a new one
  // Text boxes: Up, Down, Page Up and Page Down move the current line of the list with this id
  // in the same window, as they would in the list (a search box over its findings); 0 for none.
  int keys_to = 0;
  // List boxes: the scroll bars stay, disabled while everything fits, so that a refill never
  // adds or removes one (which costs a list under Wine more than the refill itself).
  bool steady_scroll_bars = false;
  // Labels: the text in this system colour; where such labels overlap, the text of the one
  // beneath shows through the one above (a shadow). -1 for the usual label.
  int text_color = -1;
  // Frames: the windows of the contents (all but a title label made with `header`) may be
  // created only when the frame is first brought to the front. The widgets work the same either
  // way; until then Handle() of the contents gives 0.
  bool defer_contents = false;
};

class Toolkit {
 public:
  virtual ~Toolkit() = default;

  virtual std::unique_ptr<Window> CreateTopWindow(const WindowArgs& args) = 0;
  virtual std::unique_ptr<Frame> CreateFrame(Container& parent, const ControlArgs& args) = 0;
  virtual std::unique_ptr<Picture> CreatePicture(Container& parent, const ControlArgs& args) = 0;
  virtual std::unique_ptr<Label> CreateLabel(Container& parent, const ControlArgs& args) = 0;
  virtual std::unique_ptr<Button> CreateButton(Container& parent, const ControlArgs& args) = 0;
  virtual std::unique_ptr<CheckBox> CreateCheckBox(Container& parent, const ControlArgs& args) = 0;
  virtual std::unique_ptr<TextBox> CreateTextBox(Container& parent, const ControlArgs& args) = 0;
  virtual std::unique_ptr<ListControl> CreateDropDown(Container& parent,
                                                      const ControlArgs& args) = 0;
  virtual std::unique_ptr<ListControl> CreateListBox(Container& parent,
                                                     const ControlArgs& args) = 0;
  virtual std::unique_ptr<CheckList> CreateCheckList(Container& parent,
                                                     const ControlArgs& args) = 0;
  virtual std::unique_ptr<ScrollBar> CreateScrollBar(Container& parent,
                                                     const ControlArgs& args) = 0;
  virtual std::unique_ptr<OptionButton> CreateOptionButton(Container& parent,
                                                           const ControlArgs& args) = 0;

  virtual std::unique_ptr<Timer> CreateTimer(Window& owner) = 0;
  // Idle work, its events raised through `owner`'s window; it stops when destroyed.
  virtual std::unique_ptr<IdleWork> CreateIdleWork(Window& owner) = 0;

  // Runs the event loop until Quit().
  virtual int Run() = 0;
  // Shows `window` (a kModal window) and returns once it has closed. Meanwhile `owner` is
  // disabled, so the user reaches only `window`; afterwards the owner is enabled and active again.
  virtual void RunModal(Window& window, Window& owner) = 0;
  virtual void Quit(int code) = 0;
};

}  // namespace vireo::ui
