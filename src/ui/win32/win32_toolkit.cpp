#include "ui/win32/win32_toolkit.h"

#include <algorithm>
#include <vector>

namespace vireo::ui::win32 {
namespace {

constexpr char kWindowClass[] = "VireoWindow";
constexpr char kPanelClass[] = "VireoPanel";

class Control;

// A container's side of its children. While the container holds back its contents, the children
// have no windows: what the code does to them waits here in order (each creation, and each move
// to the front), to be replayed when the contents are opened, so the siblings end up in the same
// order as if their windows had been created at once.
class Host {
 public:
  virtual ~Host();
  // Creates the child's window now, or keeps the child until the contents are opened.
  void Adopt(Control& child);
  void Forget(Control& child);
  void NoteRaise(Control& child);
  // Creates the windows of the contents kept so far, and theirs in turn.
  void Open();
  // Opens the contents once a user can see the container: its window is visible and no sibling
  // above it covers it.
  void OpenIfSeen();

 protected:
  virtual HWND HostWindow() const = 0;
  bool open_ = false;

 private:
  struct Step {
    Control* child;
    bool raise;  // a move to the front; otherwise the creation of the child's window
  };
  std::vector<Step> held_;
};

// The part of every wrapped window that its parent's window procedure talks to.
class Control {
 public:
  virtual ~Control() = default;
  virtual void OnCommand(int /*notification*/) {}
  virtual bool OnDrawItem(const DRAWITEMSTRUCT& /*item*/) { return false; }
  // A brush for WM_CTLCOLOR*, or null for the parent's default.
  virtual HBRUSH OnColor(HDC /*dc*/) { return nullptr; }
  virtual void OnScroll(int /*code*/) {}
  // Creates the window inside `parent` and hands it the state kept so far, raising no event.
  virtual void Realize(HWND parent) = 0;
  // Puts the window on top of its siblings.
  virtual void Raise() = 0;
  // True for what a container creates even while it holds back its contents (page titles).
  virtual bool CreatedAtOnce() const { return false; }

  Host* host = nullptr;  // the container that keeps this control until its window is created
};

Host::~Host() {
  for (const Step& step : held_) step.child->host = nullptr;
}

void Host::Adopt(Control& child) {
  HWND window = HostWindow();
  if (window && (open_ || child.CreatedAtOnce())) {
    child.Realize(window);
    return;
  }
  child.host = this;
  held_.push_back({&child, false});
}

void Host::Forget(Control& child) {
  std::erase_if(held_, [&](const Step& step) { return step.child == &child; });
}

void Host::NoteRaise(Control& child) {
  held_.push_back({&child, true});
}

void Host::Open() {
  HWND window = HostWindow();
  if (open_ || !window) return;
  open_ = true;
  std::vector<Step> steps;
  steps.swap(held_);
  for (const Step& step : steps) step.child->host = nullptr;
  for (const Step& step : steps) {
    if (step.raise) {
      step.child->Raise();
    } else {
      step.child->Realize(window);
    }
  }
}

void Host::OpenIfSeen() {
  HWND window = HostWindow();
  if (open_ || !window || !IsWindowVisible(window)) return;
  RECT mine;
  GetWindowRect(window, &mine);
  for (HWND above = GetWindow(window, GW_HWNDPREV); above; above = GetWindow(above, GW_HWNDPREV)) {
    RECT r;
    if (IsWindowVisible(above) && GetWindowRect(above, &r) && r.left <= mine.left &&
        r.top <= mine.top && r.right >= mine.right && r.bottom >= mine.bottom) {
      return;
    }
  }
  Open();
}

Control* ControlOf(HWND window) {
  return window ? reinterpret_cast<Control*>(GetWindowLongPtrA(window, GWLP_USERDATA)) : nullptr;
}

HWND AsHwnd(NativeHandle handle) {
  return reinterpret_cast<HWND>(handle);
}

std::string WindowText(HWND window) {
  const int length = GetWindowTextLengthA(window);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  const int got = GetWindowTextA(window, text.data(), length + 1);
  text.resize(static_cast<size_t>(std::max(got, 0)));
  return text;
}

// Pictures are loaded when they are first drawn, not when their window is made: that keeps
// them off the start-up. Shared icons belong to the system and are never destroyed here.
HICON LoadIconOnce(HINSTANCE instance, int id, int size, HICON* icon) {
  if (!*icon && id) {
    *icon = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_ICON, size, size,
                                          LR_SHARED | (size ? 0 : LR_DEFAULTSIZE)));
  }
  return *icon;
}

int Clamp(int value, int low, int high) {
  return low <= high ? std::clamp(value, low, high) : value;
}

// How a child's window is created.
struct Blueprint {
  const char* window_class = nullptr;
  DWORD style = 0;  // besides WS_CHILD, WS_VISIBLE and WS_DISABLED, which come from the state
  DWORD ex_style = 0;
  Rect rect;
  HINSTANCE instance = nullptr;
  HFONT font = nullptr;
};

// The Widget part shared by every wrapper. The wrapper keeps the widget's state itself, so that
// a widget can live without a window until its container opens its contents: until then setters
// change the kept state only and getters read it; once the window exists, setters change both
// and getters read the window. The user's actions update the kept state too. The wrapper does
// not own child windows' lifetime beyond its own: destroying it destroys its window if that
// still exists.
template <class Interface>
class Widget : public Interface, public Control {
 public:
  // A top-level window, created already.
  explicit Widget(HWND window) : hwnd_(window) {
    Bind();
    text_ = WindowText(hwnd_);
    visible_ = false;
  }
  // A child; its window is created by Realize.
  Widget(const Blueprint& blueprint, const std::string& text)
      : blueprint_(blueprint), text_(text) {}
  ~Widget() override {
    if (host) host->Forget(*this);
    Detach();
  }

  void SetText(const std::string& text) override {
    text_ = text;
    if (!hwnd_) return;
    suppress_ = true;
    SetWindowTextA(hwnd_, text.c_str());
    suppress_ = false;
  }
  std::string Text() const override { return hwnd_ ? WindowText(hwnd_) : text_; }
  void SetVisible(bool visible) override {
    visible_ = visible;
    if (!hwnd_) return;
    ShowWindow(hwnd_, visible ? SW_SHOW : SW_HIDE);
    if (visible) OnMaybeSeen();
  }
  bool Visible() const override {
    return hwnd_ ? (GetWindowLongA(hwnd_, GWL_STYLE) & WS_VISIBLE) != 0 : visible_;
  }
  void SetEnabled(bool enabled) override {
    enabled_ = enabled;
    if (hwnd_) EnableWindow(hwnd_, enabled);
  }
  bool Enabled() const override { return hwnd_ ? IsWindowEnabled(hwnd_) != 0 : enabled_; }
  void BringToFront() override {
    if (!hwnd_) {
      if (host) host->NoteRaise(*this);
      return;
    }
    Raise();
    OnMaybeSeen();
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  }
  NativeHandle Handle() const override { return reinterpret_cast<NativeHandle>(hwnd_); }
  void Focus() override {
    if (hwnd_) SetFocus(hwnd_);
  }

  void Realize(HWND parent) override {
    if (hwnd_ || !blueprint_.window_class) return;
    const Rect& r = blueprint_.rect;
    const DWORD style =
        WS_CHILD | blueprint_.style | (visible_ ? WS_VISIBLE : 0) | (enabled_ ? 0 : WS_DISABLED);
    suppress_ = true;  // handing over the state raises no event
    hwnd_ = CreateWindowExA(blueprint_.ex_style, blueprint_.window_class, text_.c_str(), style, r.x,
                            r.y, r.width, r.height, parent, nullptr, blueprint_.instance, nullptr);
    if (hwnd_) {
      SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(blueprint_.font), FALSE);
      Bind();
      ApplyState();
    }
    suppress_ = false;
    if (hwnd_) OnRealized();
  }
  void Raise() override {
    if (hwnd_) {
      SetWindowPos(hwnd_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
  }

 protected:
  // Hands the kept state, beyond text, visibility and enabling, to the new window.
  virtual void ApplyState() {}
  // The window exists and holds the state.
  virtual void OnRealized() {}
  // The window was brought to the front or shown.
  virtual void OnMaybeSeen() {}

  void Detach() {
    if (hwnd_ && IsWindow(hwnd_) && ControlOf(hwnd_) == static_cast<Control*>(this)) {
      SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
      DestroyWindow(hwnd_);
    }
    hwnd_ = nullptr;
  }
  HWND hwnd_ = nullptr;
  Blueprint blueprint_;
  std::string text_;
  bool visible_ = true;
  bool enabled_ = true;
  bool suppress_ = false;  // true while code changes the contents

 private:
  void Bind() {
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(static_cast<Control*>(this)));
  }
};

// Frames and pictures: our own panel class, painted here. A panel made with `defer_contents`
// holds back the windows of its contents until a user can see it (it is brought to the front or
// shown while its top-level window is visible, or that window is shown with the panel on top).
template <class Interface>
class Panel : public Widget<Interface>, public Host {
 public:
  // A top-level window, created already; its contents are created at once.
  Panel(HWND window, Win32Toolkit& toolkit, const ControlArgs& args)
      : Widget<Interface>(window), toolkit_(toolkit), args_(args) {
    open_ = true;
  }
  Panel(const Blueprint& blueprint, Win32Toolkit& toolkit, const ControlArgs& args)
      : Widget<Interface>(blueprint, args.text), toolkit_(toolkit), args_(args) {}
  virtual void OnPaint(HDC dc) = 0;

 protected:
  HWND HostWindow() const override { return this->hwnd_; }
  void OnRealized() override {
    if (!args_.defer_contents) Open();
  }
  void OnMaybeSeen() override { OpenIfSeen(); }

  Win32Toolkit& toolkit_;
  ControlArgs args_;
};

class Win32Frame : public Panel<ui::Frame> {
 public:
  using Panel::Panel;
  void OnPaint(HDC dc) override {
    RECT r;
    GetClientRect(hwnd_, &r);
    const std::string caption = Text();
    SIZE text_size = {0, 0};
    HGDIOBJ old_font = SelectObject(dc, toolkit_.FontFor(args_.font));
    if (!caption.empty())
      GetTextExtentPoint32A(dc, caption.c_str(), static_cast<int>(caption.size()), &text_size);
    RECT edge = r;
    edge.top += text_size.cy / 2;
    DrawEdge(dc, &edge, EDGE_ETCHED, BF_RECT);
    if (!caption.empty()) {
      SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
      SetTextColor(dc, GetSysColor(IsWindowEnabled(hwnd_) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
      SetBkMode(dc, OPAQUE);
      TextOutA(dc, 8, 0, (" " + caption + " ").c_str(), static_cast<int>(caption.size()) + 2);
    }
    SelectObject(dc, old_font);
  }
};

class Win32Picture : public Panel<ui::Picture> {
 public:
  Win32Picture(const Blueprint& blueprint, Win32Toolkit& toolkit, const ControlArgs& args)
      : Panel(blueprint, toolkit, args) {}
  ~Win32Picture() override { Clear(); }

  bool LoadFile(const std::string& path) override {
    auto* bitmap = static_cast<HBITMAP>(
        LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    if (!bitmap) return false;
    Clear();
    bitmap_ = bitmap;
    if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
    return true;
  }
  void Clear() override {
    if (bitmap_) DeleteObject(bitmap_);
    bitmap_ = nullptr;
    if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
  }
  void OnPaint(HDC dc) override {
    RECT r;
    GetClientRect(hwnd_, &r);
    if (HICON icon = LoadIconOnce(toolkit_.instance(), args_.icon_id, 0, &icon_)) {
      const int size = std::min(r.right, r.bottom);
      DrawIconEx(dc, (r.right - size) / 2, (r.bottom - size) / 2, icon, size, size, 0, nullptr,
                 DI_NORMAL);
    }
    if (bitmap_) {
      BITMAP info;
      GetObjectA(bitmap_, sizeof info, &info);
      HDC memory = CreateCompatibleDC(dc);
      HGDIOBJ old = SelectObject(memory, bitmap_);
      SetStretchBltMode(dc, COLORONCOLOR);
      StretchBlt(dc, 0, 0, r.right, r.bottom, memory, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
      SelectObject(memory, old);
      DeleteDC(memory);
    }
  }

 private:
  HICON icon_ = nullptr;
  HBITMAP bitmap_ = nullptr;
};

class Win32Label : public Widget<ui::Label> {
 public:
  Win32Label(const Blueprint& blueprint, const ControlArgs& args)
      : Widget(blueprint, args.text), header_(args.header) {}
  bool CreatedAtOnce() const override { return header_; }
  HBRUSH OnColor(HDC dc) override {
    if (!header_) return nullptr;
    SetTextColor(dc, GetSysColor(COLOR_CAPTIONTEXT));
    SetBkColor(dc, GetSysColor(COLOR_ACTIVECAPTION));
    return GetSysColorBrush(COLOR_ACTIVECAPTION);
  }

 private:
  bool header_;
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

class Win32TextBox : public Widget<ui::TextBox> {
 public:
  using Widget::Widget;
  void SetText(const std::string& text) override {
    if (text == Text()) return;
    Widget::SetText(text);
  }
  void OnCommand(int notification) override {
    if (notification != EN_CHANGE || suppress_) return;
    text_ = WindowText(hwnd_);
    if (on_change) on_change();
  }
};

// Drop-down lists (COMBOBOX) and list boxes (LISTBOX) differ only in their message numbers.
struct ListMessages {
  UINT reset, add, count, text_length, text, set_selection, get_selection;
  int select_notification;
};
constexpr ListMessages kComboMessages = {CB_RESETCONTENT, CB_ADDSTRING, CB_GETCOUNT,
                                         CB_GETLBTEXTLEN, CB_GETLBTEXT, CB_SETCURSEL,
                                         CB_GETCURSEL,    CBN_SELCHANGE};
constexpr ListMessages kListMessages = {LB_RESETCONTENT, LB_ADDSTRING, LB_GETCOUNT,  LB_GETTEXTLEN,
                                        LB_GETTEXT,      LB_SETCURSEL, LB_GETCURSEL, LBN_SELCHANGE};

template <class Interface>
class Win32List : public Widget<Interface> {
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
  void OnCommand(int notification) override {
    if (notification != m_.select_notification) return;
    selection_ = Selection();
    if (this->on_select) this->on_select();
  }

 protected:
  struct ListItem {
    std::string text;
    bool checked;
  };
  void ApplyState() override {
    for (const ListItem& item : items_)
      Send(m_.add, 0, reinterpret_cast<LPARAM>(item.text.c_str()));
    if (selection_ >= 0) Send(m_.set_selection, selection_, 0);
  }
  bool InRange(int index) const { return index >= 0 && index < static_cast<int>(items_.size()); }
  LRESULT Send(UINT message, WPARAM w, LPARAM l) const {
    return SendMessageA(this->hwnd_, message, w, l);
  }
  const ListMessages& m_;
  std::vector<ListItem> items_;
  int selection_ = -1;
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
    old_proc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassProc)));
  }

 private:
  void UserToggle(int index) {
    if (index < 0 || index >= Count()) return;
    SetItemChecked(index, !ItemChecked(index));
    if (on_item_check) on_item_check(index);
  }
  static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM w, LPARAM l) {
    auto* self = dynamic_cast<Win32CheckList*>(ControlOf(window));
    if (!self) return DefWindowProcA(window, message, w, l);
    const WNDPROC old = self->old_proc_;
    try {
      if (message == WM_LBUTTONDOWN && LOWORD(l) < 16) {
        const LRESULT hit = CallWindowProcA(old, window, LB_ITEMFROMPOINT, 0, l);
        if (HIWORD(hit) == 0) {
          const LRESULT result = CallWindowProcA(old, window, message, w, l);
          self->UserToggle(LOWORD(hit));
          return result;
        }
      } else if (message == WM_KEYDOWN && w == VK_SPACE) {
        self->UserToggle(self->Selection());
        return 0;
      }
    } catch (...) {
    }
    return CallWindowProcA(old, window, message, w, l);
  }
  WNDPROC old_proc_ = nullptr;
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
  void SetValue(int value) override {
    value_ = Clamp(value, min_, max_);
    if (hwnd_) SetScrollPos(hwnd_, SB_CTL, value_, TRUE);
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

class Win32Menu : public ui::Menu {
 public:
  Win32Menu(HMENU menu, HWND owner) : menu_(menu), owner_(owner) {}
  void AddItem(int command_id, const std::string& caption) override {
    AppendMenuA(menu_, MF_STRING, static_cast<UINT_PTR>(command_id), caption.c_str());
    DrawMenuBar(owner_);
  }
  void AddSeparator() override { AppendMenuA(menu_, MF_SEPARATOR, 0, nullptr); }
  void SetItemEnabled(int command_id, bool enabled) override {
    EnableMenuItem(menu_, static_cast<UINT>(command_id),
                   MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
  }
  bool ItemEnabled(int command_id) const override {
    const UINT state = GetMenuState(menu_, static_cast<UINT>(command_id), MF_BYCOMMAND);
    return state != static_cast<UINT>(-1) && !(state & (MF_GRAYED | MF_DISABLED));
  }

 private:
  HMENU menu_;
  HWND owner_;
};

class Win32Timer;

class Win32Window : public Panel<ui::Window> {
 public:
  Win32Window(HWND window, Win32Toolkit& toolkit, const WindowArgs& args, HACCEL accelerators)
      : Panel(window, toolkit, ControlArgs{{}, args.title, args.icon_id, false, false, args.font}),
        window_args_(args),
        accelerators_(accelerators) {}
  ~Win32Window() override;

  void Show() override {
    // The splash and wait windows show without taking the activation: under Wine that halves
    // the time they take to appear.
    ShowWindow(hwnd_, window_args_.kind == WindowKind::kMain ? SW_SHOW : SW_SHOWNOACTIVATE);
    OpenSeenPanels();
    if (window_args_.kind == WindowKind::kMain) {
      toolkit_.SetActiveWindow(hwnd_, accelerators_);
      SetForegroundWindow(hwnd_);
    }
    PaintNow();
  }
  void PaintNow() override {
    RedrawWindow(hwnd_, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  }
  void Close() override { Detach(); }
  void AddLine(int x1, int y1, int x2, int y2, int system_color) override {
    lines_.push_back({x1, y1, x2, y2, system_color});
    InvalidateRect(hwnd_, nullptr, TRUE);
  }
  ui::Menu* MenuAt(int position) override {
    auto it = menus_.find(position);
    if (it != menus_.end()) return &it->second;
    HMENU popup = GetSubMenu(GetMenu(hwnd_), position);
    if (!popup) return nullptr;
    return &menus_.emplace(position, Win32Menu(popup, hwnd_)).first->second;
  }
  void OnPaint(HDC dc) override {
    for (const Line& line : lines_) {
      HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(line.color));
      HGDIOBJ old = SelectObject(dc, pen);
      MoveToEx(dc, line.x1, line.y1, nullptr);
      LineTo(dc, line.x2, line.y2);
      SelectObject(dc, old);
      DeleteObject(pen);
    }
  }
  void OnMenuCommand(int id) {
    if (on_command) on_command(id);
  }
  void OnCloseRequest() {
    Detach();
    if (on_close) on_close();
  }
  bool white() const { return window_args_.white_background; }
  std::map<UINT_PTR, Win32Timer*> timers;

 private:
  static BOOL CALLBACK CollectWindow(HWND window, LPARAM windows) {
    reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
    return TRUE;
  }
  // Opens the held-back contents of the panels that a user sees now that the window is shown.
  void OpenSeenPanels() {
    std::vector<HWND> windows;
    EnumChildWindows(hwnd_, &CollectWindow, reinterpret_cast<LPARAM>(&windows));
    for (HWND window : windows) {
      if (auto* panel = dynamic_cast<Host*>(ControlOf(window))) panel->OpenIfSeen();
    }
  }

  struct Line {
    int x1, y1, x2, y2, color;
  };
  WindowArgs window_args_;
  HACCEL accelerators_;
  std::vector<Line> lines_;
  std::map<int, Win32Menu> menus_;
};

class Win32Timer : public ui::Timer {
 public:
  Win32Timer(Win32Window& owner, UINT_PTR id) : owner_(owner), id_(id) {
    owner_.timers[id_] = this;
  }
  ~Win32Timer() override {
    Stop();
    owner_.timers.erase(id_);
  }
  void Start(int interval_ms) override {
    SetTimer(reinterpret_cast<HWND>(owner_.Handle()), id_, static_cast<UINT>(interval_ms), nullptr);
  }
  void Stop() override { KillTimer(reinterpret_cast<HWND>(owner_.Handle()), id_); }
  void Tick() {
    if (on_tick) on_tick();
  }

 private:
  Win32Window& owner_;
  UINT_PTR id_;
};

Win32Window::~Win32Window() {
  for (auto& [id, timer] : timers) KillTimer(hwnd_, id);
}

bool IsWhiteContainer(HWND window) {
  auto* w = dynamic_cast<Win32Window*>(ControlOf(window));
  return w && w->white();
}

// One window procedure for top-level windows and panels.
LRESULT CALLBACK ContainerProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  try {
    Control* self = ControlOf(window);
    switch (message) {
      case WM_COMMAND:
        if (l) {
          if (Control* child = ControlOf(reinterpret_cast<HWND>(l))) child->OnCommand(HIWORD(w));
        } else if (auto* top = dynamic_cast<Win32Window*>(self)) {
          top->OnMenuCommand(LOWORD(w));
        }
        return 0;
      case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(l);
        if (Control* child = ControlOf(item->hwndItem)) {
          if (child->OnDrawItem(*item)) return TRUE;
        }
        break;
      }
      case WM_MEASUREITEM: {
        auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(l);
        if (item->CtlType == ODT_LISTBOX) item->itemHeight = 16;
        return TRUE;
      }
      case WM_CTLCOLORSTATIC:
      case WM_CTLCOLORBTN:
      case WM_CTLCOLOREDIT:
      case WM_CTLCOLORLISTBOX: {
        if (Control* child = ControlOf(reinterpret_cast<HWND>(l))) {
          if (HBRUSH brush = child->OnColor(reinterpret_cast<HDC>(w))) {
            return reinterpret_cast<LRESULT>(brush);
          }
        }
        if ((message == WM_CTLCOLORSTATIC || message == WM_CTLCOLORBTN) &&
            IsWhiteContainer(window)) {
          SetBkColor(reinterpret_cast<HDC>(w), RGB(255, 255, 255));
          return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
        }
        break;
      }
      case WM_VSCROLL:
      case WM_HSCROLL:
        if (Control* child = ControlOf(reinterpret_cast<HWND>(l))) child->OnScroll(LOWORD(w));
        return 0;
      case WM_ERASEBKGND: {
        RECT r;
        GetClientRect(window, &r);
        FillRect(reinterpret_cast<HDC>(w), &r,
                 IsWhiteContainer(window) ? static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))
                                          : GetSysColorBrush(COLOR_BTNFACE));
        return 1;
      }
      case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        if (auto* frame = dynamic_cast<Win32Frame*>(self)) frame->OnPaint(dc);
        if (auto* picture = dynamic_cast<Win32Picture*>(self)) picture->OnPaint(dc);
        if (auto* top = dynamic_cast<Win32Window*>(self)) top->OnPaint(dc);
        EndPaint(window, &paint);
        return 0;
      }
      case WM_TIMER:
        if (auto* top = dynamic_cast<Win32Window*>(self)) {
          auto it = top->timers.find(w);
          if (it != top->timers.end()) it->second->Tick();
        }
        return 0;
      case WM_CLOSE:
        if (auto* top = dynamic_cast<Win32Window*>(self)) {
          top->OnCloseRequest();
          return 0;
        }
        break;
      default:
        break;
    }
  } catch (...) {
    // Nothing crosses the window procedure.
  }
  return DefWindowProcA(window, message, w, l);
}

void RegisterClasses(HINSTANCE instance) {
  WNDCLASSA window_class = {};
  window_class.lpfnWndProc = ContainerProc;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursor(nullptr, IDC_ARROW);
  window_class.lpszClassName = kWindowClass;
  window_class.hbrBackground = nullptr;
  RegisterClassA(&window_class);
  window_class.lpszClassName = kPanelClass;
  window_class.style = CS_HREDRAW | CS_VREDRAW;
  RegisterClassA(&window_class);
}

}  // namespace

Win32Toolkit::Win32Toolkit(HINSTANCE instance) : instance_(instance) {
  RegisterClasses(instance);
}

Win32Toolkit::~Win32Toolkit() {
  for (auto& [key, font] : fonts_) DeleteObject(font);
}

HFONT Win32Toolkit::FontFor(const Font& font) {
  const auto key = std::make_tuple(font.face, font.tenths_of_point, font.charset, font.bold);
  auto it = fonts_.find(key);
  if (it != fonts_.end()) return it->second;
  HDC screen = GetDC(nullptr);
  const int height = -MulDiv(font.tenths_of_point, GetDeviceCaps(screen, LOGPIXELSY), 720);
  ReleaseDC(nullptr, screen);
  HFONT handle =
      CreateFontA(height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                  static_cast<BYTE>(font.charset), OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                  DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, font.face.c_str());
  fonts_.emplace(key, handle);
  return handle;
}

void Win32Toolkit::SetActiveWindow(HWND window, HACCEL accelerators) {
  active_window_ = window;
  active_accelerators_ = accelerators;
}

std::unique_ptr<ui::Window> Win32Toolkit::CreateTopWindow(const WindowArgs& args) {
  DWORD style = WS_CLIPCHILDREN;
  DWORD ex_style = 0;
  HMENU menu = nullptr;
  switch (args.kind) {
    case WindowKind::kMain:
      style |= WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
      if (args.menu_id) menu = LoadMenuA(instance_, MAKEINTRESOURCEA(args.menu_id));
      break;
    case WindowKind::kSplash:
      style |= WS_POPUP;
      ex_style |= WS_EX_TOOLWINDOW;
      break;
    case WindowKind::kDialog:
      style |= WS_POPUP | WS_DLGFRAME;
      ex_style |= WS_EX_TOOLWINDOW;
      break;
  }
  RECT r = {0, 0, args.client_width, args.client_height};
  AdjustWindowRectEx(&r, style, menu != nullptr, ex_style);
  const int width = r.right - r.left;
  const int height = r.bottom - r.top;
  const int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  HWND hwnd = CreateWindowExA(ex_style, kWindowClass, args.title.c_str(), style, x, y, width,
                              height, nullptr, menu, instance_, nullptr);
  HACCEL accelerators = args.accelerators_id
                            ? LoadAcceleratorsA(instance_, MAKEINTRESOURCEA(args.accelerators_id))
                            : nullptr;
  if (args.icon_id) {
    HANDLE big = LoadImageA(instance_, MAKEINTRESOURCEA(args.icon_id), IMAGE_ICON,
                            GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0);
    HANDLE small = LoadImageA(instance_, MAKEINTRESOURCEA(args.icon_id), IMAGE_ICON,
                              GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0);
    SendMessageA(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    SendMessageA(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
  }
  return std::make_unique<Win32Window>(hwnd, *this, args, accelerators);
}

namespace {

Blueprint MakeBlueprint(Win32Toolkit& toolkit, const char* window_class, DWORD style,
                        DWORD ex_style, const ControlArgs& args) {
  return Blueprint{
      window_class, style, ex_style, args.rect, toolkit.instance(), toolkit.FontFor(args.font)};
}

// Hands the new widget to its container, which creates its window now or when it opens its
// contents.
template <class W>
std::unique_ptr<W> Adopted(Container& parent, std::unique_ptr<W> widget) {
  if (auto* host = dynamic_cast<Host*>(&parent)) {
    host->Adopt(*widget);
  } else {
    widget->Realize(AsHwnd(parent.Handle()));
  }
  return widget;
}

}  // namespace

std::unique_ptr<ui::Frame> Win32Toolkit::CreateFrame(Container& parent, const ControlArgs& args) {
  const Blueprint blueprint = MakeBlueprint(*this, kPanelClass, WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                                            WS_EX_CONTROLPARENT, args);
  return Adopted(parent, std::make_unique<Win32Frame>(blueprint, *this, args));
}

std::unique_ptr<ui::Picture> Win32Toolkit::CreatePicture(Container& parent,
                                                         const ControlArgs& args) {
  const Blueprint blueprint =
      MakeBlueprint(*this, kPanelClass, WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                    WS_EX_CONTROLPARENT | (args.border ? WS_EX_CLIENTEDGE : 0), args);
  return Adopted(parent, std::make_unique<Win32Picture>(blueprint, *this, args));
}

std::unique_ptr<ui::Label> Win32Toolkit::CreateLabel(Container& parent, const ControlArgs& args) {
  const DWORD style = SS_LEFT | SS_NOPREFIX | (args.header ? SS_CENTERIMAGE : 0);
  return Adopted(
      parent, std::make_unique<Win32Label>(MakeBlueprint(*this, "STATIC", style, 0, args), args));
}

std::unique_ptr<ui::Button> Win32Toolkit::CreateButton(Container& parent, const ControlArgs& args) {
  const DWORD style = WS_TABSTOP | (args.icon_id ? BS_OWNERDRAW : BS_PUSHBUTTON);
  return Adopted(parent, std::make_unique<Win32Button>(
                             MakeBlueprint(*this, "BUTTON", style, 0, args), *this, args));
}

std::unique_ptr<ui::CheckBox> Win32Toolkit::CreateCheckBox(Container& parent,
                                                           const ControlArgs& args) {
  return Adopted(parent, std::make_unique<Win32CheckBox>(
                             MakeBlueprint(*this, "BUTTON", WS_TABSTOP | BS_AUTOCHECKBOX, 0, args),
                             args.text));
}

std::unique_ptr<ui::TextBox> Win32Toolkit::CreateTextBox(Container& parent,
                                                         const ControlArgs& args) {
  return Adopted(
      parent, std::make_unique<Win32TextBox>(
                  MakeBlueprint(*this, "EDIT", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, args),
                  args.text));
}

std::unique_ptr<ui::ListControl> Win32Toolkit::CreateDropDown(Container& parent,
                                                              const ControlArgs& args) {
  ControlArgs dropped = args;
  dropped.rect.height += 160;  // the height of the open list
  const Blueprint blueprint =
      MakeBlueprint(*this, "COMBOBOX", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0, dropped);
  return Adopted(parent,
                 std::make_unique<Win32List<ui::ListControl>>(blueprint, args, kComboMessages));
}

std::unique_ptr<ui::ListControl> Win32Toolkit::CreateListBox(Container& parent,
                                                             const ControlArgs& args) {
  const Blueprint blueprint =
      MakeBlueprint(*this, "LISTBOX", WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                    WS_EX_CLIENTEDGE, args);
  return Adopted(parent,
                 std::make_unique<Win32List<ui::ListControl>>(blueprint, args, kListMessages));
}

std::unique_ptr<ui::CheckList> Win32Toolkit::CreateCheckList(Container& parent,
                                                             const ControlArgs& args) {
  const Blueprint blueprint =
      MakeBlueprint(*this, "LISTBOX",
                    WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT |
                        LBS_OWNERDRAWFIXED | LBS_HASSTRINGS,
                    WS_EX_CLIENTEDGE, args);
  return Adopted(parent, std::make_unique<Win32CheckList>(blueprint, args));
}

std::unique_ptr<ui::ScrollBar> Win32Toolkit::CreateScrollBar(Container& parent,
                                                             const ControlArgs& args) {
  return Adopted(parent,
                 std::make_unique<Win32ScrollBar>(
                     MakeBlueprint(*this, "SCROLLBAR", WS_TABSTOP | SBS_VERT, 0, args), args.text));
}

std::unique_ptr<ui::Timer> Win32Toolkit::CreateTimer(ui::Window& owner) {
  return std::make_unique<Win32Timer>(dynamic_cast<Win32Window&>(owner), next_timer_id_++);
}

int Win32Toolkit::Run() {
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (active_window_ && IsWindow(active_window_)) {
      if (active_accelerators_ &&
          TranslateAcceleratorA(active_window_, active_accelerators_, &message)) {
        continue;
      }
      if (IsDialogMessageA(active_window_, &message)) continue;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}

void Win32Toolkit::Quit(int code) {
  PostQuitMessage(code);
}

}  // namespace vireo::ui::win32
