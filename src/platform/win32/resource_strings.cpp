#include "platform/win32/resource_strings.h"

#include <vector>

namespace vireo::platform {

bool Win32Strings::Load(int id, std::string* text) {
  if (id < 0 || id > 0xFFFF) return false;
  // LoadStringA truncates silently; a result that fills the buffer may have been cut, so try
  // again with a larger one. Catalogue texts are far below the first size.
  for (int size = 512; size <= 65536; size *= 2) {
    std::vector<char> buffer(static_cast<std::size_t>(size));
    const int length = LoadStringA(module_, static_cast<UINT>(id), buffer.data(), size);
    if (length <= 0) return false;
    if (length < size - 1 || size == 65536) {
      text->assign(buffer.data(), static_cast<std::size_t>(length));
      return true;
    }
  }
  return false;
}

}  // namespace vireo::platform
