// The window classes of the toolkit's own windows, top-level windows and panels (frames and
// pictures), and their one window procedure. Used by the Win32 toolkit only.
#pragma once

#include <windows.h>

namespace vireo::ui::win32::detail {

inline constexpr char kWindowClass[] = "VireoWindow";
inline constexpr char kPanelClass[] = "VireoPanel";

// Registers both classes with the one window procedure.
void RegisterClasses(HINSTANCE instance);

}  // namespace vireo::ui::win32::detail
