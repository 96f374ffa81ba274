// The platform registry: the nine operations the program uses, named after the advapi32 calls
// that they stand for. Keys, value names and string data cross this interface as single-byte
// text of the system code page; binary data passes unchanged.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vireo::platform {

// An open key, or one of the predefined roots. 0 is no key at all: the platform rejects it.
using HKey = std::uintptr_t;

inline constexpr HKey kClassesRoot = 0x80000000;
inline constexpr HKey kCurrentUser = 0x80000001;
inline constexpr HKey kLocalMachine = 0x80000002;
inline constexpr HKey kUsers = 0x80000003;
inline constexpr HKey kPerformanceData = 0x80000004;
inline constexpr HKey kCurrentConfig = 0x80000005;
inline constexpr HKey kDynData = 0x80000006;

// The one table of the roots' names: the abbreviation that the program's registry paths and the
// export's list start with ("HKCU", written exactly so), and the full name that REGEDIT4 files
// and the journal use ("HKEY_CURRENT_USER").
struct RootName {
  HKey root;
  std::string_view abbreviation;
  std::string_view name;
};
inline constexpr RootName kRoots[] = {
    {kCurrentUser, "HKCU", "HKEY_CURRENT_USER"},
    {kLocalMachine, "HKLM", "HKEY_LOCAL_MACHINE"},
    {kClassesRoot, "HKCR", "HKEY_CLASSES_ROOT"},
    {kCurrentConfig, "HKCC", "HKEY_CURRENT_CONFIG"},
    {kDynData, "HKDD", "HKEY_DYN_DATA"},
    {kPerformanceData, "HKPD", "HKEY_PERFORMANCE_DATA"},
    {kUsers, "HKU", "HKEY_USERS"},
};

// Platform status codes that callers look at.
inline constexpr std::int32_t kSuccess = 0;
inline constexpr std::int32_t kFileNotFound = 2;
inline constexpr std::int32_t kAccessDenied = 5;
inline constexpr std::int32_t kInvalidHandle = 6;
inline constexpr std::int32_t kInvalidData = 13;
inline constexpr std::int32_t kInvalidParameter = 87;
inline constexpr std::int32_t kMoreData = 234;
inline constexpr std::int32_t kNoMoreItems = 259;

// Access masks.
inline constexpr std::uint32_t kKeyQueryValue = 0x0001;
inline constexpr std::uint32_t kKeyAllAccess3F = 0x003F;

// Value type codes.
inline constexpr std::uint32_t kRegNone = 0;
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::uint32_t kRegMultiSz = 7;

class Registry {
 public:
  virtual ~Registry() = default;

  // RegOpenKeyExA: opens `path` below `key` (a root or an open key). An empty path opens the
  // key itself again.
  virtual std::int32_t OpenKey(HKey key, const std::string& path, std::uint32_t access,
                               HKey* result) = 0;
  // RegCreateKeyExA: opens `path`, creating every missing key on the way.
  virtual std::int32_t CreateKey(HKey key, const std::string& path, std::uint32_t access,
                                 HKey* result, bool* created) = 0;
  // RegQueryValueExA. With `data` null only the type and the size are returned. With a buffer,
  // `*size` is its capacity on entry and the data size on return; a buffer that is too small
  // gives kMoreData. The default value ("") of an existing key reads as the empty text with
  // success even when it was never set.
  virtual std::int32_t QueryValue(HKey key, const std::string& name, std::uint32_t* type,
                                  std::uint8_t* data, std::uint32_t* size) = 0;
  // RegSetValueExA.
  virtual std::int32_t SetValue(HKey key, const std::string& name, std::uint32_t type,
                                const std::uint8_t* data, std::uint32_t size) = 0;
  // RegDeleteKeyA: removes the subkey together with everything below it. A trailing backslash
  // on the name is accepted.
  virtual std::int32_t DeleteKey(HKey key, const std::string& subkey) = 0;
  // RegDeleteValueA.
  virtual std::int32_t DeleteValue(HKey key, const std::string& name) = 0;
  // RegEnumKeyExA: the name of subkey number `index`; kNoMoreItems past the last one.
  virtual std::int32_t EnumKey(HKey key, std::uint32_t index, std::string* name) = 0;
  // RegEnumValueA: the name, type and data of value number `index`; kNoMoreItems past the end.
  virtual std::int32_t EnumValue(HKey key, std::uint32_t index, std::string* name,
                                 std::uint32_t* type, std::vector<std::uint8_t>* data) = 0;
  // RegCloseKey. Closing a predefined root succeeds and does nothing.
  virtual std::int32_t CloseKey(HKey key) = 0;
};

}  // namespace vireo::platform
