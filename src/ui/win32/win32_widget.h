// The parts every Win32 widget shares: the link from a window to its object, the state a widget
// keeps while it has no window yet, and the containers that hold back their contents' windows.
// Used by the Win32 toolkit only.
#pragma once

#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "ui/toolkit.h"
#include "ui/win32/win32_toolkit.h"
#include "ui/win32/win32_tooltips.h"

namespace vireo::ui::win32::detail {

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
  // Takes the next kept step only (a child's window with everything inside it, or a move to the
  // front), ahead of the opening; true once nothing is kept and the contents are open.
  bool OpenNext();
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
  // The text of the control's tooltip now ("" for none), asked for when the tooltip opens.
  virtual std::string TooltipText() { return {}; }
  // What the journal names as the cause of a change that this control's event makes: its
  // caption, a list's chosen item; a text box has none, and its changes are typed.
  virtual std::string ActionCaption() { return {}; }
  virtual bool Typed() const { return false; }

  // The toolkit's own windows (frames, pictures, top-level windows) share one window procedure
  // (win32_window_proc.cpp). It hands each message to the window's kind first: true when the
  // kind has handled it, with the result in `*result`; what no kind handles, the procedure
  // handles alike for all.
  virtual bool OnOwnMessage(HWND /*window*/, UINT /*message*/, WPARAM /*w*/, LPARAM /*l*/,
                            LRESULT* /*result*/) {
    return false;
  }
  // A window painted white, its children's captions too.
  virtual bool White() const { return false; }

  Host* host = nullptr;
  // The last tooltip text handed to the tooltip, which reads it after the notification returns.
  std::string tip_text;
  std::wstring tip_wide_text;  // the container that keeps this control until its window is created
};

inline Control* ControlOf(HWND window) {
  return window ? reinterpret_cast<Control*>(GetWindowLongPtrA(window, GWLP_USERDATA)) : nullptr;
}

inline HWND AsHwnd(NativeHandle handle) {
  return reinterpret_cast<HWND>(handle);
}

inline std::string WindowText(HWND window) {
  const int length = GetWindowTextLengthA(window);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  const int got = GetWindowTextA(window, text.data(), length + 1);
  text.resize(static_cast<size_t>(std::max(got, 0)));
  return text;
}

// Pictures are loaded when they are first drawn, not when their window is made: that keeps
// them off the start-up. Shared icons belong to the system and are never destroyed here.
inline HICON LoadIconOnce(HINSTANCE instance, int id, int size, HICON* icon) {
  if (!*icon && id) {
    *icon = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_ICON, size, size,
                                          LR_SHARED | (size ? 0 : LR_DEFAULTSIZE)));
  }
  return *icon;
}

inline int Clamp(int value, int low, int high) {
  return low <= high ? std::clamp(value, low, high) : value;
}

// How a child's window is created.
struct Blueprint {
  const char* window_class = nullptr;
  int id = 0;       // the child id
  DWORD style = 0;  // besides WS_CHILD, WS_VISIBLE and WS_DISABLED, which come from the state
  DWORD ex_style = 0;
  Rect rect;
  HINSTANCE instance = nullptr;
  HFONT font = nullptr;
  Tooltips* tooltips = nullptr;
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
  void SetTooltip(std::function<std::string()> provider) override {
    tooltip_ = std::move(provider);
    AddTool();
  }
  std::string TooltipText() override { return tooltip_ ? tooltip_() : std::string(); }
  std::string ActionCaption() override { return Text(); }

  void Realize(HWND parent) override {
    if (hwnd_ || !blueprint_.window_class) return;
    const Rect& r = blueprint_.rect;
    const DWORD style =
        WS_CHILD | blueprint_.style | (visible_ ? WS_VISIBLE : 0) | (enabled_ ? 0 : WS_DISABLED);
    suppress_ = true;  // handing over the state raises no event
    hwnd_ = CreateWindowExA(blueprint_.ex_style, blueprint_.window_class, text_.c_str(), style, r.x,
                            r.y, r.width, r.height, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(blueprint_.id)),
                            blueprint_.instance, nullptr);
    if (hwnd_) {
      SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(blueprint_.font), FALSE);
      Bind();
      ApplyState();
    }
    suppress_ = false;
    if (hwnd_) {
      OnRealized();
      if (tooltip_) AddTool();
    }
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
  // Makes the window a tool of its tooltip, once; until the window exists, Realize does.
  void AddTool() {
    if (!hwnd_ || tool_added_ || !blueprint_.tooltips) return;
    tool_added_ = true;
    blueprint_.tooltips->Add(hwnd_);
  }

  void Detach() {
    if (hwnd_ && IsWindow(hwnd_) && ControlOf(hwnd_) == static_cast<Control*>(this)) {
      if (tool_added_) blueprint_.tooltips->Remove(hwnd_);
      SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
      DestroyWindow(hwnd_);
    }
    hwnd_ = nullptr;
    tool_added_ = false;
  }
  HWND hwnd_ = nullptr;
  Blueprint blueprint_;
  std::string text_;
  bool visible_ = true;
  bool enabled_ = true;
  bool suppress_ = false;  // true while code changes the contents
  std::function<std::string()> tooltip_;
  bool tool_added_ = false;

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
  // After the panel's own painting.
  virtual void OnPainted() {}
  // Every panel paints itself; each kind may take more messages.
  bool OnOwnMessage(HWND window, UINT message, WPARAM, LPARAM, LRESULT* result) override {
    if (message != WM_PAINT) return false;
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    OnPaint(dc);
    EndPaint(window, &paint);
    OnPainted();
    *result = 0;
    return true;
  }

 protected:
  HWND HostWindow() const override { return this->hwnd_; }
  void OnRealized() override {
    if (!args_.defer_contents) Open();
  }
  void OnMaybeSeen() override { OpenIfSeen(); }

  Win32Toolkit& toolkit_;
  ControlArgs args_;
};

}  // namespace vireo::ui::win32::detail
