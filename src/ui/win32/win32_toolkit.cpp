#include "ui/win32/win32_toolkit.h"

#include <commctrl.h>

#include "ui/action.h"
#include "ui/win32/win32_controls.h"
#include "ui/win32/win32_idle.h"
#include "ui/win32/win32_tooltips.h"
#include "ui/win32/win32_widget.h"
#include "ui/win32/win32_windows.h"

#include <algorithm>
#include <vector>

namespace vireo::ui::win32 {
namespace {

using namespace detail;

constexpr char kWindowClass[] = "VireoWindow";
constexpr char kPanelClass[] = "VireoPanel";

bool IsWhiteContainer(HWND window) {
  auto* w = dynamic_cast<Win32Window*>(ControlOf(window));
  return w && w->white();
}

// The tooltip opens over a child control (its id is the control's window): the control says
// what it shows now.
LRESULT OnTooltipText(const NMHDR& header, LPARAM l) {
  Control* child = ControlOf(reinterpret_cast<HWND>(header.idFrom));
  if (!child) return 0;
  child->tip_text.clear();
  child->tip_text = child->TooltipText();
  if (header.code == TTN_GETDISPINFOA) {
    auto* info = reinterpret_cast<NMTTDISPINFOA*>(l);
    info->hinst = nullptr;
    info->szText[0] = '\0';
    info->lpszText = child->tip_text.data();
    return 0;
  }
  auto* info = reinterpret_cast<NMTTDISPINFOW*>(l);
  const int length = MultiByteToWideChar(CP_ACP, 0, child->tip_text.c_str(), -1, nullptr, 0);
  child->tip_wide_text.assign(static_cast<size_t>(std::max(length, 1)), L'\0');
  MultiByteToWideChar(CP_ACP, 0, child->tip_text.c_str(), -1, child->tip_wide_text.data(), length);
  info->hinst = nullptr;
  info->szText[0] = L'\0';
  info->lpszText = child->tip_wide_text.data();
  return 0;
}

// What the journal names as the cause of a change a control's event makes: a button's or a
// box's caption, a list's chosen item; a text box has none of its own.
std::string ActionCaption(Control* child) {
  if (dynamic_cast<ui::TextBox*>(child) != nullptr) return {};
  if (auto* list = dynamic_cast<ui::ListControl*>(child)) return list->Item(list->Selection());
  if (auto* widget = dynamic_cast<ui::Widget*>(child)) return widget->Text();
  return {};
}

// One window procedure for top-level windows and panels.
LRESULT CALLBACK ContainerProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  try {
    Control* self = ControlOf(window);
    switch (message) {
      case WM_COMMAND:
        if (l) {
          if (Control* child = ControlOf(reinterpret_cast<HWND>(l))) {
            const ActionScope action(ActionCaption(child), reinterpret_cast<std::uintptr_t>(child),
                                     dynamic_cast<ui::TextBox*>(child) != nullptr);
            child->OnCommand(HIWORD(w));
          }
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
      case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(l);
        if (header->code == TTN_GETDISPINFOA || header->code == TTN_GETDISPINFOW) {
          return OnTooltipText(*header, l);
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
        if (Control* child = ControlOf(reinterpret_cast<HWND>(l))) {
          const ActionScope action({}, reinterpret_cast<std::uintptr_t>(child), false);
          child->OnScroll(LOWORD(w));
        }
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
        auto* top = dynamic_cast<Win32Window*>(self);
        if (top) top->OnPaint(dc);
        EndPaint(window, &paint);
        if (top) top->OnPainted();
        return 0;
      }
      case WM_LBUTTONUP:
        if (auto* picture = dynamic_cast<Win32Picture*>(self)) picture->OnClick();
        break;
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
      case WM_DESTROY:
        // Destroyed without Close (its owner went first): a modal run ends here.
        if (auto* top = dynamic_cast<Win32Window*>(self)) top->EndModal();
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

Win32Toolkit::Win32Toolkit(HINSTANCE instance)
    : instance_(instance), tooltips_(std::make_unique<Tooltips>(instance)) {
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
    case WindowKind::kModal:
      style |= WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_DLGFRAME;
      ex_style |= WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
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
  return Blueprint{window_class,
                   args.id,
                   style,
                   ex_style,
                   args.rect,
                   toolkit.instance(),
                   toolkit.FontFor(args.font),
                   &toolkit.tooltips()};
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
  const DWORD style = args.text_color >= 0
                          ? SS_OWNERDRAW | WS_CLIPSIBLINGS
                          : SS_LEFT | SS_NOPREFIX | (args.header ? SS_CENTERIMAGE : 0);
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
  const DWORD style =
      WS_TABSTOP | (args.multiline ? ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_VSCROLL
                                   : ES_AUTOHSCROLL);
  return Adopted(parent,
                 std::make_unique<Win32TextBox>(
                     MakeBlueprint(*this, "EDIT", style, WS_EX_CLIENTEDGE, args), args.text));
}

std::unique_ptr<ui::OptionButton> Win32Toolkit::CreateOptionButton(Container& parent,
                                                                   const ControlArgs& args) {
  std::shared_ptr<Win32OptionButton::Group>& group = option_groups_[&parent];
  if (!group) group = std::make_shared<Win32OptionButton::Group>();
  return Adopted(parent, std::make_unique<Win32OptionButton>(
                             MakeBlueprint(*this, "BUTTON", WS_TABSTOP | BS_RADIOBUTTON, 0, args),
                             args.text, group));
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
  const Blueprint blueprint = MakeBlueprint(
      *this, "LISTBOX", WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
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

std::unique_ptr<ui::IdleWork> Win32Toolkit::CreateIdleWork(ui::Window& owner) {
  return std::make_unique<Win32IdleWork>(dynamic_cast<Win32Window&>(owner), next_timer_id_++);
}

int Win32Toolkit::Run() {
  // The windows made so far are shown and painted: their tooltips are made now.
  tooltips_->Start();
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

void Win32Toolkit::RunModal(ui::Window& window, ui::Window& owner) {
  auto* top = dynamic_cast<Win32Window*>(&window);
  HWND modal = AsHwnd(window.Handle());
  HWND owner_window = AsHwnd(owner.Handle());
  if (!modal || !top) return;
  tooltips_->Start();
  // Owned by the main window: it stays above it and leaves the task bar alone.
  SetWindowLongPtrA(modal, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner_window));
  const bool owner_enabled = owner_window && IsWindowEnabled(owner_window);
  if (owner_window) EnableWindow(owner_window, FALSE);
  // However the window ends, Win32Window::EndModal gives the owner back before it goes.
  top->BeginModal(owner_window, owner_enabled);
  window.Show();
  MSG message;
  bool quit = false;
  while (top->InModal() && IsWindow(modal)) {
    const BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got <= 0) {
      quit = got == 0;
      break;
    }
    // Tab, the arrow keys, Enter (IDOK) and Escape (IDCANCEL) as in a dialog box.
    if (IsDialogMessageA(modal, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  // The loop ended by a quit message: the owner is given back, then the window goes.
  top->EndModal();
  if (IsWindow(modal)) window.Close();
  if (owner_window && IsWindow(owner_window)) {
    ::SetActiveWindow(owner_window);
    SetForegroundWindow(owner_window);
  }
  if (quit) PostQuitMessage(static_cast<int>(message.wParam));
}

void Win32Toolkit::Quit(int code) {
  PostQuitMessage(code);
}

}  // namespace vireo::ui::win32
