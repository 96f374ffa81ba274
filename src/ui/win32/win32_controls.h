// The controls over the system's window classes: labels, buttons, check boxes, text boxes, option
// buttons and scroll bars; the lists are in win32_lists.h, which this header brings along. Used by
// the Win32 toolkit only.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ui/action.h"
#include "ui/win32/win32_lists.h"
#include "ui/win32/win32_widget.h"

namespace vireo::ui::win32::detail {

class Win32Label : public Widget<ui::Label> {
 public:
  Win32Label(const Blueprint& blueprint, const ControlArgs& args)
      : Widget(blueprint, args.text), header_(args.header), text_color_(args.text_color) {}
  bool CreatedAtOnce() const override { return header_; }
  // A label with its own text colour is drawn here, with the text of every such label that lies
  // beneath it and overlaps it, so that one can read as the other's shadow.
  bool OnDrawItem(const DRAWITEMSTRUCT& item) override {
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
    SetBkMode(item.hDC, TRANSPARENT);
    RECT mine;
    GetWindowRect(hwnd_, &mine);
    for (HWND below = GetWindow(hwnd_, GW_HWNDLAST); below && below != hwnd_;
         below = GetWindow(below, GW_HWNDPREV)) {
      auto* label = dynamic_cast<Win32Label*>(ControlOf(below));
      if (!label || label->text_color_ < 0) continue;
      RECT theirs;
      GetWindowRect(below, &theirs);
      label->DrawOwnText(item.hDC, theirs.left - mine.left, theirs.top - mine.top);
    }
    DrawOwnText(item.hDC, 0, 0);
    return true;
  }
  HBRUSH OnColor(HDC dc) override {
    if (!header_) return nullptr;
    SetTextColor(dc, GetSysColor(COLOR_CAPTIONTEXT));
    SetBkColor(dc, GetSysColor(COLOR_ACTIVECAPTION));
    return GetSysColorBrush(COLOR_ACTIVECAPTION);
  }

 private:
  void DrawOwnText(HDC dc, int dx, int dy) {
    RECT r;
    GetClientRect(hwnd_, &r);
    OffsetRect(&r, dx, dy);
    HGDIOBJ old_font = SelectObject(dc, blueprint_.font);
    SetTextColor(dc, GetSysColor(text_color_));
    const std::string text = Text();
    DrawTextA(dc, text.c_str(), -1, &r, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, old_font);
  }
  bool header_;
  int text_color_;
};

class Win32Button : public Widget<ui::Button> {
 public:
  Win32Button(const Blueprint& blueprint, Win32Toolkit& toolkit, const ControlArgs& args)
      : Widget(blueprint, args.text), toolkit_(toolkit), font_(args.font), icon_id_(args.icon_id) {}
  void OnCommand(int notification) override {
    if (notification == BN_CLICKED && on_click) on_click();
  }
  // A square button with its picture above its caption.
  bool OnDrawItem(const DRAWITEMSTRUCT& item) override {
    RECT r = item.rcItem;
    const bool pushed = (item.itemState & ODS_SELECTED) != 0;
    DrawFrameControl(item.hDC, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));
    const int shift = pushed ? 1 : 0;
    const int width = r.right - r.left;
    if (HICON icon = LoadIconOnce(toolkit_.instance(), icon_id_, 32, &icon_)) {
      DrawIconEx(item.hDC, (width - 32) / 2 + shift, 6 + shift, icon, 32, 32, 0, nullptr,
                 DI_NORMAL);
    }
    const std::string caption = Text();
    RECT text = {2 + shift, 41 + shift, width - 2 + shift, r.bottom - 2 + shift};
    HGDIOBJ old_font = SelectObject(item.hDC, toolkit_.FontFor(font_));
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC,
                 GetSysColor((item.itemState & ODS_DISABLED) ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
    DrawTextA(item.hDC, caption.c_str(), -1, &text, DT_CENTER | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(item.hDC, old_font);
    if (item.itemState & ODS_FOCUS) {
      RECT focus = r;
      InflateRect(&focus, -4, -4);
      DrawFocusRect(item.hDC, &focus);
    }
    return true;
  }

 private:
  Win32Toolkit& toolkit_;
  Font font_;
  int icon_id_;
  HICON icon_ = nullptr;
};

class Win32CheckBox : public Widget<ui::CheckBox> {
 public:
  using Widget::Widget;
  void SetChecked(int state) override {
    checked_ = state ? 1 : 0;
    if (hwnd_) SendMessageA(hwnd_, BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  int Checked() const override {
    if (!hwnd_) return checked_;
    return SendMessageA(hwnd_, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
  }
  void OnCommand(int notification) override {
    if (notification != BN_CLICKED) return;
    checked_ = Checked();
    if (on_click) on_click();
  }

 protected:
  void ApplyState() override {
    if (checked_) SendMessageA(hwnd_, BM_SETCHECK, BST_CHECKED, 0);
  }

 private:
  int checked_ = 0;
};

class Win32TextBox : public Widget<ui::TextBox>, public InputHook {
 public:
  Win32TextBox(const Blueprint& blueprint, const std::string& text, int keys_to)
      : Widget(blueprint, text), keys_to_(keys_to) {}
  ~Win32TextBox() override { Unhook(hwnd_); }
  void SetText(const std::string& text) override {
    if (text == Text()) return;
    Widget::SetText(text);
  }
  void SetReadOnly(bool read_only) override {
    read_only_ = read_only;
    if (hwnd_) SendMessageA(hwnd_, EM_SETREADONLY, read_only ? TRUE : FALSE, 0);
  }
  bool ReadOnly() const override {
    return hwnd_ ? (GetWindowLongA(hwnd_, GWL_STYLE) & ES_READONLY) != 0 : read_only_;
  }
  // As the dialog keys do: the whole text selected, so that typing replaces it.
  void Focus() override {
    Widget::Focus();
    if (hwnd_) SendMessageA(hwnd_, EM_SETSEL, 0, -1);
  }
  void OnCommand(int notification) override {
    if (notification != EN_CHANGE || suppress_) return;
    text_ = WindowText(hwnd_);
    if (on_change) on_change();
  }
  std::string ActionCaption() override { return {}; }
  bool Typed() const override { return true; }

 protected:
  void ApplyState() override {
    if (read_only_) SendMessageA(hwnd_, EM_SETREADONLY, TRUE, 0);
    if (keys_to_) Hook(hwnd_);
  }
  // The keys that move a list's current line go to the list named by `keys_to`.
  bool OnInput(HWND window, UINT message, WPARAM w, LPARAM l, LRESULT* result) override {
    if (message != WM_KEYDOWN || (w != VK_UP && w != VK_DOWN && w != VK_PRIOR && w != VK_NEXT)) {
      return false;
    }
    HWND list = GetDlgItem(GetParent(window), keys_to_);
    if (!list) return false;
    *result = SendMessageA(list, message, w, l);
    return true;
  }

 private:
  bool read_only_ = false;
  int keys_to_;
};

// A radio button whose exclusivity the toolkit keeps: the buttons made in one container share a
// group, and selecting one (by a click or by code) clears the others.
class Win32OptionButton : public Widget<ui::OptionButton> {
 public:
  using Group = std::vector<Win32OptionButton*>;
  Win32OptionButton(const Blueprint& blueprint, const std::string& text,
                    std::shared_ptr<Group> group)
      : Widget(blueprint, text), group_(std::move(group)) {
    group_->push_back(this);
  }
  ~Win32OptionButton() override { std::erase(*group_, this); }
  void SetChecked(bool checked) override {
    if (checked) {
      for (Win32OptionButton* other : *group_) {
        if (other != this) other->Mark(false);
      }
    }
    Mark(checked);
  }
  bool Checked() const override {
    if (!hwnd_) return checked_;
    return SendMessageA(hwnd_, BM_GETCHECK, 0, 0) == BST_CHECKED;
  }
  void OnCommand(int notification) override {
    if (notification != BN_CLICKED) return;
    SetChecked(true);
    if (on_click) on_click();
  }

 protected:
  void ApplyState() override {
    if (checked_) SendMessageA(hwnd_, BM_SETCHECK, BST_CHECKED, 0);
  }

 private:
  void Mark(bool checked) {
    checked_ = checked;
    if (hwnd_) SendMessageA(hwnd_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  std::shared_ptr<Group> group_;
  bool checked_ = false;
};

class Win32ScrollBar : public Widget<ui::ScrollBar> {
 public:
  using Widget::Widget;
  void SetRange(int min, int max) override {
    min_ = min;
    max_ = max;
    range_set_ = true;
    value_ = Clamp(value_, min_, max_);
    if (hwnd_) SetScrollRange(hwnd_, SB_CTL, min, max, TRUE);
  }
  bool SetValue(int value) override {
    if (value < min_ || value > max_) return false;
    value_ = value;
    if (hwnd_) SetScrollPos(hwnd_, SB_CTL, value_, TRUE);
    return true;
  }
  int Value() const override { return hwnd_ ? GetScrollPos(hwnd_, SB_CTL) : value_; }
  void OnScroll(int code) override {
    int value = Value();
    switch (code) {
      case SB_LINEUP:
        --value;
        break;
      case SB_LINEDOWN:
        ++value;
        break;
      case SB_PAGEUP:
        value -= 10;
        break;
      case SB_PAGEDOWN:
        value += 10;
        break;
      case SB_TOP:
        value = min_;
        break;
      case SB_BOTTOM:
        value = max_;
        break;
      case SB_THUMBPOSITION:
      case SB_THUMBTRACK: {
        SCROLLINFO info = {};
        info.cbSize = sizeof info;
        info.fMask = SIF_TRACKPOS;
        GetScrollInfo(hwnd_, SB_CTL, &info);
        value = info.nTrackPos;
        break;
      }
      default:
        return;
    }
    value = Clamp(value, min_, max_);
    if (value == Value()) return;
    value_ = value;
    SetScrollPos(hwnd_, SB_CTL, value, TRUE);
    if (on_change) on_change();
  }

 protected:
  void ApplyState() override {
    if (range_set_) SetScrollRange(hwnd_, SB_CTL, min_, max_, FALSE);
    if (value_ != 0) SetScrollPos(hwnd_, SB_CTL, value_, FALSE);
  }

 private:
  int min_ = 0;
  int max_ = 100;
  bool range_set_ = false;
  int value_ = 0;
};

}  // namespace vireo::ui::win32::detail
