// The files of the program directory (the help, the licence, the registry backup, the export's
// list and Setup.reg, the log, the shell command file) are named by their full path, never
// looked up relative to the current directory. One rule for the case where the program directory
// is unknown (the query gave nothing): such a file has no name, "", and the callers leave it
// alone. Nothing is then opened, written or looked for in the current directory or at the root of
// its drive, which is where a bare name or "\" + name would lead.
#pragma once

#include <string>
#include <string_view>

#include "platform/platform.h"

namespace vireo::platform {

// The file `name` in `directory`, joined with one backslash; "" when `directory` is empty.
std::string InDirectory(const std::string& directory, std::string_view name);

// The file `name` in the program directory, by the same rule.
std::string ProgramFile(System& system, std::string_view name);

// Hands the program file `name` to the shell to open; false, without asking the shell, when the
// file has no name.
bool OpenProgramFile(Platform& platform, std::string_view name, int show = kShowNormal);

}  // namespace vireo::platform
