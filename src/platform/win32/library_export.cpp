#include "platform/win32/library_export.h"

namespace vireo::platform {

FARPROC FindLibraryExport(const char* library, LPCSTR name) {
  HMODULE module = GetModuleHandleA(library);
  if (!module) module = LoadLibraryA(library);
  return module ? GetProcAddress(module, name) : nullptr;
}

}  // namespace vireo::platform
