// The launch menus' entries: any text gives an entry, and the file named is always in the
// directory the entry's form says, with the base name between the form's start and the first
// "|", and the caption after it.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

#include "check.h"
#include "service/launch_menus.h"

using vireo::service::LaunchEntry;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  const std::string windows = "C:\\WINDOWS", system = "C:\\WINDOWS\\SYSTEM";
  const std::string text = in.ConsumeRemainingBytesAsString();
  const std::size_t bar = text.find('|');

  const LaunchEntry program = vireo::service::ParseProgramEntry(text, windows, system);
  const LaunchEntry applet = vireo::service::ParseAppletEntry(text, system);
  FUZZ_CHECK(program.separator == (text == "n|-"));
  FUZZ_CHECK(applet.separator == (text == "n|-"));
  if (program.separator) return 0;

  if (bar == std::string::npos || bar == 0) {
    FUZZ_CHECK(program.file.empty() && program.caption == text);
  } else {
    const std::string& dir = text[0] == '1' ? windows : system;
    FUZZ_CHECK(program.file == dir + "\\" + text.substr(1, bar - 1) + ".exe");
    FUZZ_CHECK(program.caption == text.substr(bar + 1));
  }
  if (bar == std::string::npos) {
    FUZZ_CHECK(applet.file.empty() && applet.caption == text);
  } else {
    FUZZ_CHECK(applet.file == system + "\\" + text.substr(0, bar) + ".cpl");
    FUZZ_CHECK(applet.caption == text.substr(bar + 1));
  }
  const std::string argument = vireo::service::CommandLineArgument(program.file);
  FUZZ_CHECK(argument == program.file || argument == "\"" + program.file + "\"");
  return 0;
}
