#include "platform/open_file.h"

namespace vireo::platform {

std::string MakeFilterList(const std::string& filter) {
  std::string list = filter;
  for (char& c : list) {
    if (c == '|') c = '\0';
  }
  list.push_back('\0');
  list.push_back('\0');
  return list;
}

std::string TrimBlanks(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  const auto last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

std::string OpenFileDialog::Show() {
  return TrimBlanks(chooser_.ChooseFileToOpen(owner, MakeFilterList(filter), title));
}

}  // namespace vireo::platform
