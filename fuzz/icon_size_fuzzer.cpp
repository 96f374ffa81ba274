// The icon size's stored text: any text gives a number, the one a plain reference reads at its
// start, and the label shows that number.
#include <cstdint>
#include <string>

#include "check.h"
#include "main/desktop_page.h"

namespace {

// Blanks, a sign and the digits read the slow way: the number grows by a digit only while it is
// below 10^12, so it keeps the first thirteen digits that are not leading zeros.
std::int64_t Reference(const std::string& text) {
  std::size_t i = text.find_first_not_of(" \t");
  if (i == std::string::npos) return 0;
  bool negative = false;
  if (text[i] == '-' || text[i] == '+') negative = text[i++] == '-';
  const std::size_t end = text.find_first_not_of("0123456789", i);
  std::string digits = text.substr(i, end == std::string::npos ? std::string::npos : end - i);
  const std::size_t nonzero = digits.find_first_not_of('0');
  digits = nonzero == std::string::npos ? "" : digits.substr(nonzero);
  if (digits.size() > 13) digits.resize(13);
  std::int64_t n = digits.empty() ? 0 : std::stoll(digits);
  return negative ? -n : n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::int64_t n = vireo::main::LeadingNumber(text);
  FUZZ_CHECK(n == Reference(text));
  const std::string shown = vireo::main::NumberText(n);
  FUZZ_CHECK(shown == (n < 0 ? std::to_string(n) : " " + std::to_string(n)));
  return 0;
}
