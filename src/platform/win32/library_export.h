// Functions of system libraries that the program looks up at run time instead of importing: the
// shell's and the file dialogs' libraries are loaded when first needed, not at every start, and a
// function that an older Windows lacks is looked up so that its absence is a null pointer, not a
// program that does not load. Every lookup of the program goes through FindLibraryExport, by a
// literal library and function name (or ordinal), so that the check of the program's Windows API
// (tools/win9x_check.py) finds them all.
#pragma once

#include <windows.h>

namespace vireo::platform {

// The export `name` (a name, or an ordinal made with MAKEINTRESOURCEA) of the system library
// `library`, loading the library when it is not loaded yet; null when the system lacks either.
FARPROC FindLibraryExport(const char* library, LPCSTR name);

// The same as a function of type F.
template <class F>
F LibraryExport(const char* library, const char* name) {
  // Through the generic function type, which any function pointer may be cast to and from.
  return reinterpret_cast<F>(reinterpret_cast<void (*)()>(FindLibraryExport(library, name)));
}

template <class F>
F LibraryOrdinal(const char* library, WORD ordinal) {
  return reinterpret_cast<F>(
      reinterpret_cast<void (*)()>(FindLibraryExport(library, MAKEINTRESOURCEA(ordinal))));
}

}  // namespace vireo::platform
