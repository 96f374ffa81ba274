// The icon size's stored text: any text gives a number below 10^13 either way; a number written
// out and followed by anything but a digit reads back as itself; the label shows the number.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

#include "check.h"
#include "main/desktop_page.h"

using vireo::main::LeadingNumber;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  const auto number = in.ConsumeIntegral<std::int32_t>();
  const std::string text = in.ConsumeRemainingBytesAsString();
  const std::int64_t n = LeadingNumber(text);
  FUZZ_CHECK(n < 10'000'000'000'000 && n > -10'000'000'000'000);
  FUZZ_CHECK(vireo::main::NumberText(n) == (n < 0 ? "" : " ") + std::to_string(n));
  if (text.empty() || text[0] < '0' || text[0] > '9') {
    FUZZ_CHECK(LeadingNumber(" \t" + std::to_string(number) + text) == number);
  }
  return 0;
}
