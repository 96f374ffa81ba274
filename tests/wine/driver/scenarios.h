// The driver's scenarios, one per mode of its command line. Each starts the program itself and
// returns the driver's exit code.
#pragma once

#include <string>

namespace driver {

// Windows 98 mode: the main window, its page buttons and pages, "Обновить данные", "Выход".
int runMain(const std::string& exe, const char* desktop);
// Any other platform: the platform message, then the end.
int runRefuse(const std::string& exe, const char* desktop);
// Windows 98 mode: the catalogue-bound settings against the registry, the page switch and the
// refresh reading changes made outside, start-up and reading writing nothing.
int runSettings(const std::string& exe, const char* desktop);
// Windows 98 mode: the pages' own controls: the applet list and control.ini, the drive list, the
// two-pane box, the toolbar background and its preview, the icon size, the special folders.
int runPages(const std::string& exe, const char* desktop);

}  // namespace driver
