// Registry paths and the three registry operations. A registry path names a value, or a key,
// as ROOT\Key\...\Name; every operation opens (or creates) its key, does its one thing, closes
// the key again and returns a status: 0 on success, else the code of the first step that
// failed. Nothing is cached and no key stays open between calls. Closing the key is not counted
// as a step: once the work is done, a close that reports failure does not undo it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/registry.h"
#include "registry/reg_value.h"

namespace vireo::registry {

// Codes the operations give themselves (the others come from the platform).
inline constexpr std::int32_t kBadPath = 5;         // too few backslashes to split the path
inline constexpr std::int32_t kNotANumber = 13;     // a REG_DWORD value that is not a number
inline constexpr std::int32_t kOutOfRange = 6;      // a REG_DWORD value outside 32 bits
inline constexpr std::int32_t kNumberTooLong = 24;  // a stored REG_DWORD of more than 4 bytes

// The root handle of one of "HKCU", "HKLM", "HKCR", "HKCC", "HKDD", "HKPD", "HKU", written
// exactly so (upper case); 0 for anything else, which the platform rejects as a bad handle.
platform::HKey RootKey(std::string_view abbreviation);

// A path split for reading or writing: the key path is everything between the first and the
// last backslash, passed on unchanged; the value name is everything after the last one ("" is
// the key's default value).
struct ValuePath {
  platform::HKey root = 0;
  std::string key;
  std::string name;
};
// False when the path has fewer than two backslashes.
bool SplitPath(std::string_view path, ValuePath* out);

// A path split for deleting. A path that ends in a backslash names a key: `name` is its last
// component and `parent` the text between the root's backslash and the name, trailing
// backslash included ("HKCU\Software\Foo\Bar\" gives "Software\Foo\" and "Bar"). Otherwise it
// names a value: `parent` is the key path and `name` the value name. An empty parent means the
// root itself.
struct DeletePath {
  platform::HKey root = 0;
  bool is_key = false;
  std::string parent;
  std::string name;
};
// False when the path has no backslash, or names a key without giving its name ("HKCU\",
// "HKCU\Software\\"): deleting a key with an empty name would delete its parent.
bool SplitDeletePath(std::string_view path, DeletePath* out);

// Reads one value into `*value`: REG_SZ as text up to the first NUL, REG_BINARY as bytes,
// REG_DWORD as a number. A failure, or a stored type other than these three (status 0), leaves
// `*value` exactly as it was.
std::int32_t RegRead(platform::Registry& registry, const std::string& path, RegValue* value);

// Creates the key path if it is missing and stores `value` under `type`: strings and binary data
// are stored as text (a number as its decimal text) without a terminating NUL, numbers as a
// 32-bit number (13 for text that is not a number, 6 out of range); any other type stores
// nothing. The key stays created when the conversion fails.
std::int32_t RegWrite(platform::Registry& registry, const std::string& path, const RegValue& value,
                      ValueType type);

// Deletes the named value, or, for a path that ends in a backslash, the key named by its last
// component together with everything below it.
std::int32_t RegDelete(platform::Registry& registry, const std::string& path);

}  // namespace vireo::registry
