// Letter case of single-byte text in the system code page (1251): ASCII and the Cyrillic
// letters, as the system compares file names and registry data.
#pragma once

#include <string>
#include <string_view>

namespace vireo::registry {

std::string LowerAnsi(std::string_view text);
std::string UpperAnsi(std::string_view text);

}  // namespace vireo::registry
