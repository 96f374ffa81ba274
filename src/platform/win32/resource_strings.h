// The string-table lookup on Windows: LoadStringA on the program's own module. The table is
// compiled as UTF-16; LoadStringA hands it back in the system code page (1251 here).
#pragma once

#include <windows.h>

#include <string>

#include "platform/strings.h"

namespace vireo::platform {

class Win32Strings : public Strings {
 public:
  // `module` holds the string table; by default the program file itself.
  explicit Win32Strings(HINSTANCE module = GetModuleHandleA(nullptr)) : module_(module) {}

  // False when the id does not exist. LoadStringA reports an empty string and a missing one
  // alike (both give 0), as the compiled table stores them alike; the catalogue holds no empty
  // strings (the host build's rcstrings refuses them), so false means missing.
  bool Load(int id, std::string* text) override;

 private:
  HINSTANCE module_;
};

}  // namespace vireo::platform
