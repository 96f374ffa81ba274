// The list controls over the system's window classes: drop-down lists, list boxes and check
// lists, with the hook that shows a list item's tooltip. Used by the Win32 toolkit only.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ui/action.h"
#include "ui/win32/win32_widget.h"

namespace vireo::ui::win32::detail {

// Drop-down lists (COMBOBOX) and list boxes (LISTBOX) differ only in their message numbers.
struct ListMessages {
  UINT reset, add, count, text_length, text, set_selection, get_selection, horizontal_extent;
  int select_notification;
  int double_click_notification;  // -1: none
};
inline constexpr ListMessages kComboMessages = {CB_RESETCONTENT, CB_ADDSTRING,
                                                CB_GETCOUNT,     CB_GETLBTEXTLEN,
                                                CB_GETLBTEXT,    CB_SETCURSEL,
                                                CB_GETCURSEL,    CB_SETHORIZONTALEXTENT,
                                                CBN_SELCHANGE,   -1};
inline constexpr ListMessages kListMessages = {
    LB_RESETCONTENT, LB_ADDSTRING,           LB_GETCOUNT,   LB_GETTEXTLEN, LB_GETTEXT, LB_SETCURSEL,
    LB_GETCURSEL,    LB_SETHORIZONTALEXTENT, LBN_SELCHANGE, LBN_DBLCLK};

// What a control's window sees before the control itself does: a list box's pointer moves, for
// the tooltip of the item under it, a check list's clicks and keys, a text box's list keys.
class InputHook {
 public:
  virtual ~InputHook() = default;

 protected:
  void Hook(HWND window) {
    if (GetWindowLongPtrA(window, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&HookProc)) return;
    old_proc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HookProc)));
  }
  // Gives the window back its own procedure, so that it sees its last messages itself.
  void Unhook(HWND window) {
    if (window && old_proc_) {
      SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old_proc_));
    }
    old_proc_ = nullptr;
  }
  // True when the message has been handled, its result in `*result`.
  virtual bool OnInput(HWND window, UINT message, WPARAM w, LPARAM l, LRESULT* result) = 0;
  // The control's own handling.
  LRESULT CallOld(HWND window, UINT message, WPARAM w, LPARAM l) const {
    return CallWindowProcA(old_proc_, window, message, w, l);
  }
  // The item at a point of the client area, or -1 below the last one.
  int ItemAtPoint(HWND window, LPARAM point) const {
    const LRESULT hit = CallOld(window, LB_ITEMFROMPOINT, 0, point);
    return HIWORD(hit) == 0 ? static_cast<int>(LOWORD(hit)) : -1;
  }

 private:
  static LRESULT CALLBACK HookProc(HWND window, UINT message, WPARAM w, LPARAM l) {
    auto* self = dynamic_cast<InputHook*>(ControlOf(window));
    if (!self) return DefWindowProcA(window, message, w, l);
    try {
      LRESULT result = 0;
      if (self->OnInput(window, message, w, l, &result)) return result;
    } catch (...) {
    }
    return self->CallOld(window, message, w, l);
  }
  WNDPROC old_proc_ = nullptr;
};

template <class Interface>
class Win32List : public Widget<Interface>, public InputHook {
 public:
  Win32List(const Blueprint& blueprint, const ControlArgs& args, const ListMessages& messages)
      : Widget<Interface>(blueprint, args.text), m_(messages) {}
  void Clear() override {
    items_.clear();
    selection_ = -1;
    if (this->hwnd_) Send(m_.reset, 0, 0);
  }
  int AddItem(const std::string& text) override {
    items_.push_back({text, false});
    if (!this->hwnd_) return static_cast<int>(items_.size()) - 1;
    return static_cast<int>(Send(m_.add, 0, reinterpret_cast<LPARAM>(text.c_str())));
  }
  void SetItems(const std::vector<std::string>& items) override {
    if (this->hwnd_) Send(WM_SETREDRAW, FALSE, 0);
    Interface::SetItems(items);
    if (!this->hwnd_) return;
    Send(WM_SETREDRAW, TRUE, 0);
    InvalidateRect(this->hwnd_, nullptr, TRUE);
  }
  int Count() const override {
    return this->hwnd_ ? static_cast<int>(Send(m_.count, 0, 0)) : static_cast<int>(items_.size());
  }
  std::string Item(int index) const override {
    if (!this->hwnd_) return InRange(index) ? items_[static_cast<size_t>(index)].text : "";
    const LRESULT length = Send(m_.text_length, index, 0);
    if (length < 0) return {};
    std::string text(static_cast<size_t>(length) + 1, '\0');
    Send(m_.text, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return text;
  }
  void SetSelection(int index) override {
    selection_ = InRange(index) ? index : -1;
    if (this->hwnd_) Send(m_.set_selection, index, 0);
  }
  int Selection() const override {
    return this->hwnd_ ? static_cast<int>(Send(m_.get_selection, 0, 0)) : selection_;
  }
  void SetItemTooltip(std::function<std::string(int item)> provider) override {
    item_tooltip_ = std::move(provider);
    this->AddTool();
  }
  // A list box's tooltip tells of the item under the pointer.
  std::string TooltipText() override {
    if (item_tooltip_ && IsListBox() && this->hwnd_) {
      POINT pointer;
      GetCursorPos(&pointer);
      ScreenToClient(this->hwnd_, &pointer);
      tip_item_ = ItemAtPoint(this->hwnd_, MAKELPARAM(pointer.x, pointer.y));
      if (tip_item_ >= 0 && tip_item_ < Count()) return item_tooltip_(tip_item_);
    }
    return Widget<Interface>::TooltipText();
  }
  void SetHorizontalExtent(int pixels) override {
    extent_ = pixels;
    if (this->hwnd_) Send(m_.horizontal_extent, static_cast<WPARAM>(pixels), 0);
  }
  void OnCommand(int notification) override {
    if (notification == m_.double_click_notification) {
      selection_ = Selection();
      if (selection_ >= 0 && this->on_double_click) this->on_double_click();
      return;
    }
    if (notification != m_.select_notification) return;
    selection_ = Selection();
    if (this->on_select) this->on_select();
  }
  std::string ActionCaption() override { return Item(Selection()); }

 protected:
  struct ListItem {
    std::string text;
    bool checked;
  };
  void ApplyState() override {
    for (const ListItem& item : items_)
      Send(m_.add, 0, reinterpret_cast<LPARAM>(item.text.c_str()));
    if (selection_ >= 0) Send(m_.set_selection, selection_, 0);
    if (IsListBox()) Hook(this->hwnd_);
    if (item_tooltip_) this->AddTool();
    if (extent_ > 0) Send(m_.horizontal_extent, static_cast<WPARAM>(extent_), 0);
  }
  // A move onto another item makes the tooltip ask again. A key or button released and the
  // pointer's moves are raised once the list box has handled them.
  bool OnInput(HWND window, UINT message, WPARAM w, LPARAM l, LRESULT* result) override {
    if (message == WM_MOUSEMOVE && item_tooltip_ && this->tool_added_) {
      const int item = ItemAtPoint(window, l);
      if (item != tip_item_) {
        tip_item_ = item;
        this->blueprint_.tooltips->Pop(window);
      }
    }
    const std::function<void()>* event = nullptr;
    if (message == WM_KEYUP) event = &this->on_key_up;
    if (message == WM_MOUSEMOVE) event = &this->on_mouse_move;
    if (message == WM_LBUTTONUP || message == WM_RBUTTONUP) event = &this->on_mouse_up;
    if (!event || !*event) return false;
    *result = CallOld(window, message, w, l);
    const ActionScope action(Item(Selection()), reinterpret_cast<std::uintptr_t>(this), false);
    (*event)();
    return true;
  }
  bool IsListBox() const { return m_.reset == LB_RESETCONTENT; }
  bool InRange(int index) const { return index >= 0 && index < static_cast<int>(items_.size()); }
  LRESULT Send(UINT message, WPARAM w, LPARAM l) const {
    return SendMessageA(this->hwnd_, message, w, l);
  }
  const ListMessages& m_;
  std::vector<ListItem> items_;
  int selection_ = -1;
  std::function<std::string(int item)> item_tooltip_;
  int tip_item_ = -1;  // the item whose tip shows or was asked for last
  int extent_ = 0;
};

// A list box whose items carry a check mark, drawn here; a click on the mark or the space bar
// toggles it.
class Win32CheckList : public Win32List<ui::CheckList> {
 public:
  Win32CheckList(const Blueprint& blueprint, const ControlArgs& args)
      : Win32List(blueprint, args, kListMessages) {}
  void SetItemChecked(int index, bool checked) override {
    if (InRange(index)) items_[static_cast<size_t>(index)].checked = checked;
    if (index == -1) {
      for (ListItem& item : items_) item.checked = checked;
    }
    if (!hwnd_) return;
    Send(LB_SETITEMDATA, index, checked ? 1 : 0);
    RECT r;
    if (Send(LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r)) != LB_ERR) {
      InvalidateRect(hwnd_, &r, TRUE);
    }
  }
  bool ItemChecked(int index) const override {
    if (!hwnd_) return InRange(index) && items_[static_cast<size_t>(index)].checked;
    const LRESULT data = Send(LB_GETITEMDATA, index, 0);
    return data != LB_ERR && data != 0;
  }
  bool OnDrawItem(const DRAWITEMSTRUCT& item) override {
    if (item.itemID == static_cast<UINT>(-1)) return true;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    RECT box = {item.rcItem.left + 2, item.rcItem.top + 1, item.rcItem.left + 15,
                item.rcItem.top + 14};
    DrawFrameControl(item.hDC, &box, DFC_BUTTON,
                     DFCS_BUTTONCHECK | DFCS_FLAT |
                         (ItemChecked(static_cast<int>(item.itemID)) ? DFCS_CHECKED : 0));
    RECT text = item.rcItem;
    text.left += 19;
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    const std::string caption = Item(static_cast<int>(item.itemID));
    DrawTextA(item.hDC, caption.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &item.rcItem);
    return true;
  }

 protected:
  void ApplyState() override {
    Win32List::ApplyState();
    for (size_t i = 0; i < items_.size(); ++i) {
      if (items_[i].checked) Send(LB_SETITEMDATA, i, 1);
    }
  }
  bool OnInput(HWND window, UINT message, WPARAM w, LPARAM l, LRESULT* result) override {
    if (Win32List::OnInput(window, message, w, l, result)) return true;
    if (message == WM_LBUTTONDOWN && LOWORD(l) < 16) {
      const int item = ItemAtPoint(window, l);
      if (item >= 0) {
        *result = CallOld(window, message, w, l);
        UserToggle(item);
        return true;
      }
    } else if (message == WM_KEYDOWN && w == VK_SPACE) {
      UserToggle(Selection());
      *result = 0;
      return true;
    }
    return false;
  }

 private:
  void UserToggle(int index) {
    if (index < 0 || index >= Count()) return;
    SetItemChecked(index, !ItemChecked(index));
    const ActionScope action(Item(index), reinterpret_cast<std::uintptr_t>(this), false);
    if (on_item_check) on_item_check(index);
  }
};

}  // namespace vireo::ui::win32::detail
