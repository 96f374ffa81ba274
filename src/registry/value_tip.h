// What a registry-bound control's tooltip says: the value, key or profile line the control
// touches and what it holds at the moment of asking. Each function reads once, when it is
// called, and writes nothing; the controls call them only when a tooltip opens.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/registry.h"
#include "platform/system.h"

namespace vireo::registry {

// What a tooltip shows for a missing value, key or line.
inline constexpr char kNoValue[] = "(нет значения)";

// Two lines: the path as the program names it ("HKCU\Software\...\NoDrives"), then the stored
// type and value ("REG_DWORD: 3 (0x00000003)", "REG_SZ: "text"", "REG_BINARY: 01 00") or
// "(нет значения)". A path that ends in a backslash names its key's default value.
std::string DescribeValue(platform::Registry& registry, const std::string& path);

// The tooltip of a control that writes several values: each as DescribeValue gives it, one after
// the other.
std::string DescribeValues(platform::Registry& registry, const std::vector<std::string>& paths);

// Two lines for a control bound to a key's presence: the key ("HKCR\CLSID\{...}\") and whether
// it exists now.
std::string DescribeKey(platform::Registry& registry, const std::string& path);

// A key and every value it holds now, one line each ("FileName = REG_SZ: "a.doc"", the default
// value as "(по умолчанию)"), or "раздела нет".
std::string DescribeKeyValues(platform::Registry& registry, const std::string& path);

// Two lines for a line of a profile file: the file, section and key
// ("control.ini [Don't Load] desk.cpl"), then its text in quotes or "(нет значения)".
std::string DescribeProfileLine(platform::Profile& profile, const std::string& file_name,
                                const std::string& file, const std::string& section,
                                const std::string& key);

// The stored form of a value in one line, as DescribeValue gives it on its second line.
std::string DescribeData(std::uint32_t type, const std::string& data);

}  // namespace vireo::registry
