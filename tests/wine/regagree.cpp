// Runs the registry layer's cases against the real registry (Wine in Windows 98 mode, or
// Windows itself) and against the in-memory stand-in, and prints both results of every case.
// The two must agree: the exit code is 1 on any difference.
//
// Then it checks that the registry this program sees is the one the rest of the system reads:
// a value that the adapter writes under HKCR\CLSID must be where a 64-bit program looks for it
// (HKLM\Software\Classes\CLSID through the 64-bit view), not in the WoW64 copy under
// Wow6432Node, and a value put there through the 64-bit view must reach the adapter. A 32-bit
// build in Wine's 64-bit prefix fails this; in a 32-bit prefix (and on 9x) there is one view.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "cases/registry_cases.h"
#include "platform/host/memory_registry.h"
#include "platform/win32/win32_registry.h"
#include "registry/reg_access.h"
#include "report.h"

namespace {

using report::check;

// Keys of this check only; removed before and after.
const char kWrittenGuid[] = "{5E1D0A7C-3B0B-4C52-9C1E-7A1F0B0E5A11}";
const char kReadGuid[] = "{5E1D0A7C-3B0B-4C52-9C1E-7A1F0B0E5A12}";

// The 64-bit view is reached with the "W" calls: in Windows 98 mode Wine's "A" calls ignore the
// access mask as 9x does, KEY_WOW64_64KEY with it, and would read through the redirection under
// test. Real 9x has no "W" registry calls, and one view: there the "A" calls do.
LONG OpenNative(const std::string& path, REGSAM access, HKEY* key, bool create = false) {
  const std::wstring wide(path.begin(), path.end());  // the paths here are ASCII
  LONG status =
      create ? RegCreateKeyExW(HKEY_LOCAL_MACHINE, wide.c_str(), 0, nullptr, 0,
                               access | KEY_WOW64_64KEY, nullptr, key, nullptr)
             : RegOpenKeyExW(HKEY_LOCAL_MACHINE, wide.c_str(), 0, access | KEY_WOW64_64KEY, key);
  if (status == ERROR_CALL_NOT_IMPLEMENTED) {
    status = create ? RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, access,
                                      nullptr, key, nullptr)
                    : RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, access, key);
  }
  return status;
}

// Reads a string value through the 64-bit view; "(no key)" or "(no value)" when missing.
std::string ReadNative(const std::string& path, const char* name) {
  HKEY key = nullptr;
  if (OpenNative(path, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return "(no key)";
  char data[256] = {};
  DWORD size = sizeof data - 1;
  DWORD type = REG_NONE;
  const LONG status =
      RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
  RegCloseKey(key);
  return status == ERROR_SUCCESS && type == REG_SZ ? std::string(data) : "(no value)";
}

bool WriteNative(const std::string& path, const char* name, const std::string& text) {
  HKEY key = nullptr;
  if (OpenNative(path, KEY_SET_VALUE, &key, true) != ERROR_SUCCESS) return false;
  const LONG status =
      RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                     static_cast<DWORD>(text.size() + 1));
  RegCloseKey(key);
  return status == ERROR_SUCCESS;
}

void Clean(vireo::platform::Registry& registry) {
  for (const char* guid : {kWrittenGuid, kReadGuid}) {
    registry.DeleteKey(vireo::platform::kClassesRoot, std::string("CLSID\\") + guid);
    // Also the WoW64 copy, should a redirected run have left one.
    registry.DeleteKey(vireo::platform::kLocalMachine,
                       std::string("Software\\Classes\\Wow6432Node\\CLSID\\") + guid);
  }
}

// Through the program's registry layer on the adapter, against the 64-bit view read natively.
void CheckOneView(vireo::platform::Registry& registry) {
  using vireo::registry::RegValue;
  Clean(registry);
  const std::string native = std::string("Software\\Classes\\CLSID\\") + kWrittenGuid;
  const std::string wow = std::string("Software\\Classes\\Wow6432Node\\CLSID\\") + kWrittenGuid;
  const std::string written = std::string("HKCR\\CLSID\\") + kWrittenGuid + "\\";
  const std::string text = "written by the adapter";
  check(vireo::registry::RegWrite(registry, written + "VireoView", RegValue::Text(text),
                                  vireo::registry::ValueType::kString) == 0,
        "the adapter writes " + written);
  const std::string seen = ReadNative(native, "VireoView");
  check(seen == text, "a 64-bit program reads it at HKLM\\" + native, seen);
  check(ReadNative(wow, "VireoView") == "(no key)", "nothing arrives at HKLM\\" + wow);
  vireo::registry::RegDelete(registry, written);
  check(ReadNative(native, "") == "(no key)",
        "deleted through the adapter, it is gone for a 64-bit program");

  const std::string other = std::string("Software\\Classes\\CLSID\\") + kReadGuid;
  const std::string outside = "written through the 64-bit view";
  check(WriteNative(other, "VireoView", outside), "a value is put at HKLM\\" + other);
  RegValue read = RegValue::Text("(nothing read)");
  vireo::registry::RegRead(registry, std::string("HKCR\\CLSID\\") + kReadGuid + "\\VireoView",
                           &read);
  check(read == RegValue::Text(outside),
        std::string("the adapter reads it at HKCR\\CLSID\\") + kReadGuid, read.AsText());
  Clean(registry);
}

}  // namespace

int main() {
  vireo::platform::Win32Registry real;
  vireo::platform::MemoryRegistry memory;
  const std::vector<std::string> real_lines = vireo::cases::RunRegistryCases(real);
  const std::vector<std::string> memory_lines = vireo::cases::RunRegistryCases(memory);

  const std::size_t count = std::max(real_lines.size(), memory_lines.size());
  for (std::size_t i = 0; i < count; ++i) {
    const std::string real_line = i < real_lines.size() ? real_lines[i] : "(missing)";
    const std::string memory_line = i < memory_lines.size() ? memory_lines[i] : "(missing)";
    check(real_line == memory_line, real_line, "in the stand-in: " + memory_line);
  }
  CheckOneView(real);
  return report::finish("regagree");
}
