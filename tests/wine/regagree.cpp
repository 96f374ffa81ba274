// Runs the registry layer's cases against the real registry (Wine in Windows 98 mode, or
// Windows itself) and against the in-memory stand-in, and prints both results of every case.
// The two must agree: the exit code is 1 on any difference.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "cases/registry_cases.h"
#include "platform/host/memory_registry.h"
#include "platform/win32/win32_registry.h"

int main() {
  vireo::platform::Win32Registry real;
  vireo::platform::MemoryRegistry memory;
  const std::vector<std::string> real_lines = vireo::cases::RunRegistryCases(real);
  const std::vector<std::string> memory_lines = vireo::cases::RunRegistryCases(memory);

  int passed = 0;
  int failed = 0;
  const std::size_t count = std::max(real_lines.size(), memory_lines.size());
  for (std::size_t i = 0; i < count; ++i) {
    const std::string real_line = i < real_lines.size() ? real_lines[i] : "(missing)";
    const std::string memory_line = i < memory_lines.size() ? memory_lines[i] : "(missing)";
    if (real_line == memory_line) {
      ++passed;
      std::printf("ok    %s\n", real_line.c_str());
    } else {
      ++failed;
      std::printf("DIFF  registry: %s\n      stand-in: %s\n", real_line.c_str(),
                  memory_line.c_str());
    }
  }
  std::printf("regagree: %d passed, %d failed\n", passed, failed);
  return failed == 0 ? 0 : 1;
}
