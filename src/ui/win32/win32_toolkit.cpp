#include "ui/win32/win32_toolkit.h"

#include "ui/win32/win32_controls.h"
#include "ui/win32/win32_idle.h"
#include "ui/win32/win32_tooltips.h"
#include "ui/win32/win32_widget.h"
#include "ui/win32/win32_window_proc.h"
#include "ui/win32/win32_windows.h"

namespace vireo::ui::win32 {

using namespace detail;

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
  return Adopted(parent, std::make_unique<Win32TextBox>(
                             MakeBlueprint(*this, "EDIT", style, WS_EX_CLIENTEDGE, args), args.text,
                             args.keys_to));
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
  const Blueprint blueprint =
      MakeBlueprint(*this, "LISTBOX",
                    WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT |
                        (args.steady_scroll_bars ? LBS_DISABLENOSCROLL : 0),
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

}  // namespace vireo::ui::win32
