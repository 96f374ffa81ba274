// The texts that the tool windows show, made from the platform's figures. Each is one pure
// function, so that every format can be checked with fixed figures.
#pragma once

#include <cstdint>
#include <string>

#include "platform/machine.h"
#include "platform/processes.h"
#include "platform/system.h"

namespace vireo::tools {

// "Windows 98 SE v.4.10 Build 2222A": the name from the version table (keyed by the minor
// version and the low 16 bits of the build), the version, the build as a signed 16-bit number
// and the service text without its surrounding blanks.
std::string OsVersionText(const platform::OsVersion& version);

// "Система в работе 4 ч 35 мин". The tick count is unsigned: a machine up for more than 24.8
// days shows its real running time until the counter wraps at 49.7 days. Minutes are rounded
// to the nearest, a half to the even neighbour.
std::string RunningTimeText(std::uint32_t milliseconds);

// The eight processor lines, each ended by CR LF.
std::string ProcessorText(const platform::ProcessorInfo& info);

// The four memory lines, joined by CR LF; empty when any of the three totals is 0. The
// percentages have two decimals after `decimal_separator`.
std::string MemoryText(const platform::MemoryStatus& status, const std::string& decimal_separator);

// Upper-case hexadecimal, zero-padded to eight digits; a wider number keeps all its digits.
std::string Hex8(std::uint64_t value);

// A line of the window list: the handle right-aligned in five characters (a longer handle in
// full), four blanks, the title.
std::string WindowLine(std::uint64_t handle, const std::string& title);

// The folder of a program file: everything before its last backslash; empty when it has none.
std::string FolderOf(const std::string& program_file);

// "Версия 1.0.0".
std::string VersionText(const platform::FileVersion& version);

}  // namespace vireo::tools
