#include "ui/win32/win32_window_proc.h"

#include <commctrl.h>

#include <algorithm>

#include "ui/action.h"
#include "ui/win32/win32_widget.h"

namespace vireo::ui::win32::detail {
namespace {

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

// One window procedure for top-level windows and panels: the window's kind first, then what
// every container does for its children and its background.
LRESULT CALLBACK ContainerProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  try {
    Control* self = ControlOf(window);
    LRESULT result = 0;
    if (self && self->OnOwnMessage(window, message, w, l, &result)) return result;
    const bool white = self && self->White();
    switch (message) {
      case WM_COMMAND:
        if (Control* child = ControlOf(reinterpret_cast<HWND>(l))) {
          const ActionScope action(child->ActionCaption(), reinterpret_cast<std::uintptr_t>(child),
                                   child->Typed());
          child->OnCommand(HIWORD(w));
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
        if ((message == WM_CTLCOLORSTATIC || message == WM_CTLCOLORBTN) && white) {
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
                 white ? static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))
                       : GetSysColorBrush(COLOR_BTNFACE));
        return 1;
      }
      default:
        break;
    }
  } catch (...) {
    // Nothing crosses the window procedure.
  }
  return DefWindowProcA(window, message, w, l);
}

}  // namespace

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

}  // namespace vireo::ui::win32::detail
