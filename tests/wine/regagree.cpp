// Runs the registry layer's cases against the real registry (Wine in Windows 98 mode, or
// Windows itself) and against the in-memory stand-in, and prints both results of every case.
// The two must agree: the exit code is 1 on any difference. That the program's writes land in the
// view the rest of the system reads (HKCR\CLSID below HKLM\Software\Classes, not Wow6432Node) is
// proved by the rows of the case table that driver.exe cases reads in the 64-bit view.
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "cases/registry_cases.h"
#include "platform/host/memory_registry.h"
#include "platform/win32/win32_registry.h"
#include "report.h"

int main() {
  vireo::platform::Win32Registry real;
  vireo::platform::MemoryRegistry memory;
  const std::vector<std::string> real_lines = vireo::cases::RunRegistryCases(real);
  const std::vector<std::string> memory_lines = vireo::cases::RunRegistryCases(memory);

  const std::size_t count = std::max(real_lines.size(), memory_lines.size());
  for (std::size_t i = 0; i < count; ++i) {
    const std::string real_line = i < real_lines.size() ? real_lines[i] : "(missing)";
    const std::string memory_line = i < memory_lines.size() ? memory_lines[i] : "(missing)";
    report::check(real_line == memory_line, real_line, "in the stand-in: " + memory_line);
  }
  return report::finish("regagree");
}
