#include "ui/win32/win32_tooltips.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/win32/library_export.h"

namespace vireo::ui::win32::detail {
namespace {

// The first tooltip controls (common controls 4.00 to 4.72) accept only the structure's first
// size; later ones accept it too.
const UINT kToolInfoSize = TTTOOLINFOA_V1_SIZE;

HWND TopLevelOf(HWND window) {
  while (window && (GetWindowLongA(window, GWL_STYLE) & WS_CHILD)) window = GetParent(window);
  return window;
}

TOOLINFOA ToolFor(HWND control) {
  TOOLINFOA tool = {};
  tool.cbSize = kToolInfoSize;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = GetParent(control);  // the parent answers TTN_GETDISPINFO
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = LPSTR_TEXTCALLBACKA;
  return tool;
}

}  // namespace

bool Tooltips::Load() {
  if (loaded_ == 0) {
    loaded_ = -1;
    if (HMODULE library = LoadLibraryA("comctl32.dll")) {
      using InitEx = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
      using Init = void(WINAPI*)();
      // Windows 95 before OSR2 has the older function only.
      auto init_ex = platform::LibraryExport<InitEx>("comctl32.dll", "InitCommonControlsEx");
      auto init = platform::LibraryExport<Init>("comctl32.dll", "InitCommonControls");
      if (init_ex) {
        INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
        init_ex(&controls);
      } else if (init) {
        init();
      }
      WNDCLASSA info;
      if (GetClassInfoA(nullptr, TOOLTIPS_CLASSA, &info) ||
          GetClassInfoA(library, TOOLTIPS_CLASSA, &info)) {
        loaded_ = 1;
      }
    }
  }
  return loaded_ == 1;
}

HWND Tooltips::TipOf(HWND control, bool create) {
  HWND top = TopLevelOf(control);
  if (!top) return nullptr;
  auto it = tips_.find(top);
  // A tooltip goes with its owner; a new window may have been given the old one's handle.
  if (it != tips_.end() && IsWindow(it->second) && GetWindow(it->second, GW_OWNER) == top) {
    return it->second;
  }
  if (!create || !Load()) return nullptr;
  HWND tip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                             WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, top, nullptr, instance_, nullptr);
  if (!tip) return nullptr;
  // A width makes the tooltip break its text at the line ends; the tip stays up while the
  // pointer rests, long enough to read a path.
  SendMessageA(tip, TTM_SETMAXTIPWIDTH, 0, 600);
  SendMessageA(tip, TTM_SETDELAYTIME, TTDT_AUTOPOP, MAKELPARAM(30000, 0));
  tips_[top] = tip;
  return tip;
}

void Tooltips::Add(HWND control) {
  if (!started_) {
    waiting_.push_back(control);
    return;
  }
  HWND tip = TipOf(control, true);
  if (!tip) return;
  TOOLINFOA tool = ToolFor(control);
  SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void Tooltips::Start() {
  if (started_) return;
  started_ = true;
  std::vector<HWND> waiting;
  waiting.swap(waiting_);
  for (HWND control : waiting) {
    if (IsWindow(control)) Add(control);
  }
}

void Tooltips::Remove(HWND control) {
  waiting_.erase(std::remove(waiting_.begin(), waiting_.end(), control), waiting_.end());
  HWND tip = TipOf(control, false);
  if (!tip) return;
  TOOLINFOA tool = ToolFor(control);
  SendMessageA(tip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void Tooltips::Pop(HWND control) {
  if (HWND tip = TipOf(control, false)) SendMessageA(tip, TTM_POP, 0, 0);
}

}  // namespace vireo::ui::win32::detail
