// The file class lookups over the file-type registrations under HKLM "Software\Classes": the
// default value of an extension key (".txt") names the extension's class, and the default value
// of the class key is the class's description. Both lookups only read and report no errors:
// each gives a text, or nothing (empty).
#pragma once

#include <cstdint>
#include <string>

#include "platform/registry.h"
#include "registry/reg_value.h"

namespace vireo::registry {

// The key that holds the file-type registrations, below HKLM.
inline constexpr char kClassesKey[] = "Software\\Classes\\";
// The description of a class that has none.
inline constexpr char kUnknownDescription[] = "<Unknown>";

// An extension key's default value as RegRead reads it, which is what the pages take for the
// extension's class name.
struct ClassNameRead {
  std::int32_t status = 0;
  RegValue value;  // as RegRead left it; it starts empty
  // The class name: the value as text, "" when it could not be read.
  std::string Name() const { return status == 0 ? value.AsText() : std::string(); }
};

// Reads the class name of `extension` (with its dot) from "HKLM\Software\Classes\" + extension.
ClassNameRead ReadClassName(platform::Registry& registry, const std::string& extension);

// The class description lookup for `extension` (with its dot): the description of its class;
// "<Unknown>" when the class name is empty, or the class key is missing or has an empty
// description; nothing when the extension key or its default value is missing. Stored text is
// taken up to its first NUL: the terminating NUL is dropped, and text stored without one keeps
// its last character.
std::string ClassDescription(platform::Registry& registry, const std::string& extension);

// The same lookup for an extension whose class name the caller has just read with
// ReadClassName: the class name read there is used again instead of being fetched twice, and the
// result is the one the plain lookup gives.
std::string ClassDescription(platform::Registry& registry, const std::string& extension,
                             const ClassNameRead& read);

// The second half of the description lookup, for a class name already read: the class key's
// description, or "<Unknown>" when the name is empty or the class key is missing or has none.
std::string DescribeClass(platform::Registry& registry, const std::string& name);

// The ShellNew key lookup for `extension_key`, "Software\Classes\" + the extension with its dot
// (relative to HKLM): the first key that opens of, in this order, extension_key\C\ShellNew,
// extension_key\C\ShellNew- (switched off), extension_key\ShellNew and extension_key\ShellNew-,
// where C is the class name; as a registry path with a trailing backslash
// ("HKLM\Software\Classes\.txt\ShellNew\"), or nothing when none opens.
std::string ShellNewKey(platform::Registry& registry, const std::string& extension_key);

}  // namespace vireo::registry
