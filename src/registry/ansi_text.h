// Letter case of single-byte text in the system code page (1251): the ASCII letters and every
// Cyrillic letter of the code page (Russian, and the Ukrainian, Belarusian, Serbian and
// Macedonian ones), as the system compares file names, registry names and registry data. The one
// case folding of the program: the registry stand-in, the journal and the pages all use it.
#pragma once

#include <string>
#include <string_view>

namespace vireo::registry {

// One character in lower or upper case; anything that is no letter stays as it is.
char LowerAnsi(char c);
char UpperAnsi(char c);

std::string LowerAnsi(std::string_view text);
std::string UpperAnsi(std::string_view text);

// True when `a` and `b` are the same text but for letter case.
bool SameAnsiText(std::string_view a, std::string_view b);

}  // namespace vireo::registry
