// The containers painted by the toolkit itself (frames, pictures, top-level windows) with their
// menus and timers. Used by the Win32 toolkit only.
#pragma once

#include <commctrl.h>

#include <map>

#include "ui/action.h"
#include "ui/win32/win32_widget.h"

namespace vireo::ui::win32::detail {

class Win32Frame : public Panel<ui::Frame> {
 public:
  using Panel::Panel;
  bool MakeContentsAhead() override { return !args_.defer_contents || OpenNext(); }
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
  bool OnOwnMessage(HWND window, UINT message, WPARAM w, LPARAM l, LRESULT* result) override {
    if (message == WM_LBUTTONUP && on_click) on_click();
    return Panel::OnOwnMessage(window, message, w, l, result);
  }

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
    // The image of the icon made for the picture's size (the logo's 48 pixels), not the
    // system's 32 stretched.
    const int size = std::min(r.right, r.bottom);
    if (HICON icon = LoadIconOnce(toolkit_.instance(), args_.icon_id, size, &icon_)) {
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

class Win32Menu : public ui::Menu {
 public:
  Win32Menu(HMENU menu, HWND owner) : menu_(menu), owner_(owner) {}
  void AddItem(int command_id, const std::string& caption) override {
    AppendMenuA(menu_, MF_STRING, static_cast<UINT_PTR>(command_id), caption.c_str());
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
      : Panel(window, toolkit,
              ControlArgs{.text = args.title, .icon_id = args.icon_id, .font = args.font}),
        window_args_(args),
        accelerators_(accelerators) {}
  ~Win32Window() override;

  void Show() override {
    // The splash and wait windows show without taking the activation: under Wine that halves
    // the time they take to appear.
    const bool active =
        window_args_.kind == WindowKind::kMain || window_args_.kind == WindowKind::kModal;
    ShowWindow(hwnd_, active ? SW_SHOW : SW_SHOWNOACTIVATE);
    OpenSeenPanels();
    if (window_args_.kind == WindowKind::kModal) SetForegroundWindow(hwnd_);
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
  void Close() override {
    EndModal();
    Detach();
  }
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
  void OnPainted() override {
    if (on_paint) on_paint();
  }
  // The menu's commands, the timers, a close and the destruction; the painting as every panel.
  bool OnOwnMessage(HWND window, UINT message, WPARAM w, LPARAM l, LRESULT* result) override;
  void OnMenuCommand(int id) {
    const ActionScope action(MenuCaption(id), reinterpret_cast<std::uintptr_t>(this), false);
    if (on_command) on_command(id);
  }
  // A menu item's caption without its access key mark and its shortcut text.
  std::string MenuCaption(int id) const {
    char text[256] = {};
    HMENU menu = hwnd_ ? GetMenu(hwnd_) : nullptr;
    if (menu == nullptr ||
        GetMenuStringA(menu, static_cast<UINT>(id), text, sizeof text, MF_BYCOMMAND) <= 0) {
      return {};
    }
    std::string caption;
    for (const char* c = text; *c != '\0' && *c != '\t'; ++c) {
      if (*c != '&') caption += *c;
    }
    return caption;
  }
  void OnCloseRequest() {
    EndModal();
    Detach();
    if (on_close) on_close();
  }
  // Win32Toolkit::RunModal shows the window modally over `owner`, which it has disabled.
  void BeginModal(HWND owner, bool owner_was_enabled) {
    modal_ = true;
    modal_owner_ = owner;
    owner_was_enabled_ = owner_was_enabled;
  }
  bool InModal() const { return modal_; }
  // The modal run ends, however the window goes: by its own code (a button, Enter, Escape), a
  // close (the close box, Alt+F4, WM_CLOSE from another program) or its owner's destruction.
  // The owner takes input again while this window still exists, so that the system activates
  // the owner, not a window of another program, when this one is hidden; hidden first, because
  // destroying a window with its children takes tens of milliseconds under Wine. The posted
  // message wakes the modal loop: a click or a close that another program sends is handled
  // inside GetMessage, which would otherwise wait on for the next posted message.
  void EndModal() {
    if (!modal_) return;
    modal_ = false;
    if (owner_was_enabled_ && IsWindow(modal_owner_)) EnableWindow(modal_owner_, TRUE);
    if (hwnd_ && IsWindowVisible(hwnd_)) ShowWindow(hwnd_, SW_HIDE);
    PostMessageA(nullptr, WM_NULL, 0, 0);
  }
  bool White() const override { return window_args_.white_background; }
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
  bool modal_ = false;
  HWND modal_owner_ = nullptr;
  bool owner_was_enabled_ = false;
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

inline Win32Window::~Win32Window() {
  for (auto& [id, timer] : timers) KillTimer(hwnd_, id);
}

inline bool Win32Window::OnOwnMessage(HWND window, UINT message, WPARAM w, LPARAM l,
                                      LRESULT* result) {
  switch (message) {
    case WM_COMMAND:
      if (l != 0) return false;  // a child's command: the procedure hands it to the child
      OnMenuCommand(LOWORD(w));
      break;
    case WM_TIMER:
      if (auto it = timers.find(w); it != timers.end()) it->second->Tick();
      break;
    case WM_CLOSE:
      OnCloseRequest();
      break;
    case WM_DESTROY:
      // Destroyed without Close (its owner went first): a modal run ends here.
      EndModal();
      return false;
    default:
      return Panel::OnOwnMessage(window, message, w, l, result);
  }
  *result = 0;
  return true;
}

}  // namespace vireo::ui::win32::detail
