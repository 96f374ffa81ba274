// Runs the registry layer's cases against the real registry (Wine in Windows 98 mode, or Windows
// itself): each must give the line the in-memory stand-in gives in the host tests. The exit code
// is 1 on any difference. That the program's writes land in the view the rest of the system
// reads (HKCR\CLSID below HKLM\Software\Classes, not Wow6432Node) is proved by the rows of the
// case table that driver.exe cases reads in the 64-bit view.
#include <windows.h>

#include "cases/registry_cases.h"
#include "platform/win32/win32_registry.h"
#include "report.h"

int main() {
  vireo::platform::Win32Registry real;
  for (const auto& [got, expected] : vireo::cases::RunRegistryCases(real)) {
    report::check(got == expected, expected, got);
  }
  return report::finish("regagree");
}
