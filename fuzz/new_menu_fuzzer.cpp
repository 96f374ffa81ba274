// The New-menu item text and the type and description taken back from it: any text parses
// without harm, and an item made as the list makes it gives back its own type and description.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

#include "check.h"
#include "main/new_menu.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  const std::string description = in.ConsumeRandomLengthString(64);
  const std::string type = in.ConsumeRemainingBytesAsString();

  // Any text: the parts come from the text itself.
  const std::string any = description + type;
  const vireo::main::NewMenuItem parsed = vireo::main::ParseNewMenuItem(any);
  FUZZ_CHECK(parsed.type.size() + parsed.description.size() <= any.size());
  if (any.find('(') == std::string::npos) {
    FUZZ_CHECK(parsed.type.empty() && parsed.description.empty());
  } else {
    FUZZ_CHECK(any.compare(0, parsed.description.size(), parsed.description) == 0);
  }

  // An item of the list: description " (." extension ")", the description without "(".
  if (description.find('(') == std::string::npos) {
    const auto item = vireo::main::ParseNewMenuItem(description + " (." + type + ")");
    FUZZ_CHECK(item.description == description);
    FUZZ_CHECK(item.type == type);
  }
  return 0;
}
