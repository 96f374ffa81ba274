// The short texts read one at a time, chosen by the input's last byte:
// 0. the icon size's stored text: any text gives a number below 10^13 either way; a number
//    written out and followed by anything but a digit reads back as itself; the label shows it;
// 1. the New-menu item text: any text parses without harm, and an item made as the list makes
//    it gives back its own type and description;
// 2. the launch menus' entries: the file named is always in the directory the entry's form
//    says, with the base name between the form's start and the first "|", the caption after it.
#include "check.h"
#include "main/desktop_page.h"
#include "main/new_menu.h"
#include "service/launch_menus.h"

using namespace vireo;

namespace {

void IconSize(FuzzedDataProvider& in) {
  const auto number = in.ConsumeIntegral<std::int32_t>();
  const std::string text = in.ConsumeRemainingBytesAsString();
  const std::int64_t n = main::LeadingNumber(text);
  FUZZ_CHECK(n < 10'000'000'000'000 && n > -10'000'000'000'000);
  FUZZ_CHECK(main::NumberText(n) == (n < 0 ? "" : " ") + std::to_string(n));
  FUZZ_CHECK((!text.empty() && text[0] >= '0' && text[0] <= '9') ||
             main::LeadingNumber(" \t" + std::to_string(number) + text) == number);
}

void NewMenu(FuzzedDataProvider& in) {
  const std::string description = in.ConsumeRandomLengthString(64);
  const std::string type = in.ConsumeRemainingBytesAsString();
  // Any text: the parts come from the text itself.
  const std::string any = description + type;
  const main::NewMenuItem parsed = main::ParseNewMenuItem(any);
  FUZZ_CHECK(parsed.type.size() + parsed.description.size() <= any.size());
  FUZZ_CHECK(any.find('(') == std::string::npos
                 ? parsed.type.empty() && parsed.description.empty()
                 : any.compare(0, parsed.description.size(), parsed.description) == 0);
  // An item of the list: description " (." extension ")", the description without "(".
  if (description.find('(') == std::string::npos) {
    const auto item = main::ParseNewMenuItem(description + " (." + type + ")");
    FUZZ_CHECK(item.description == description && item.type == type);
  }
}

void LaunchMenus(FuzzedDataProvider& in) {
  const std::string windows = "C:\\WINDOWS", system = "C:\\WINDOWS\\SYSTEM";
  const std::string text = in.ConsumeRemainingBytesAsString();
  const std::size_t bar = text.find('|');
  const auto program = service::ParseProgramEntry(text, windows, system);
  const auto applet = service::ParseAppletEntry(text, system);
  FUZZ_CHECK(program.separator == (text == "n|-") && applet.separator == program.separator);
  if (program.separator) return;
  const std::string caption = bar == std::string::npos ? text : text.substr(bar + 1);
  const std::string& dir = text[0] == '1' ? windows : system;
  FUZZ_CHECK(bar == std::string::npos || bar == 0
                 ? program.file.empty() && program.caption == text
                 : program.file == dir + "\\" + text.substr(1, bar - 1) + ".exe" &&
                       program.caption == caption);
  FUZZ_CHECK(applet.caption == caption &&
             applet.file ==
                 (bar == std::string::npos ? "" : system + "\\" + text.substr(0, bar) + ".cpl"));
  const std::string argument = service::CommandLineArgument(program.file);
  FUZZ_CHECK(argument == program.file || argument == "\"" + program.file + "\"");
}

}  // namespace

FUZZ_TARGET(in) {
  void (*const kinds[])(FuzzedDataProvider&) = {IconSize, NewMenu, LaunchMenus};
  kinds[in.ConsumeIntegralInRange(0, 2)](in);
}
