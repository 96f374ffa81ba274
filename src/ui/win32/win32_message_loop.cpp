// The toolkit's message loops: the program's, with the active window's accelerators and dialog
// keys, and a modal window's.
#include "ui/win32/win32_toolkit.h"
#include "ui/win32/win32_tooltips.h"
#include "ui/win32/win32_windows.h"

namespace vireo::ui::win32 {

using namespace detail;

void Win32Toolkit::SetActiveWindow(HWND window, HACCEL accelerators) {
  active_window_ = window;
  active_accelerators_ = accelerators;
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
