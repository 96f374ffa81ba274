#include "platform/win32/win32_registry.h"

#include <windows.h>

namespace vireo::platform {

namespace {

// The predefined roots are sign-extended handle values; on 64-bit Windows 0x80000001 as an
// unsigned number is not HKEY_CURRENT_USER.
HKEY Native(HKey key) {
  switch (key) {
    case kClassesRoot:
      return HKEY_CLASSES_ROOT;
    case kCurrentUser:
      return HKEY_CURRENT_USER;
    case kLocalMachine:
      return HKEY_LOCAL_MACHINE;
    case kUsers:
      return HKEY_USERS;
    case kPerformanceData:
      return HKEY_PERFORMANCE_DATA;
    case kCurrentConfig:
      return HKEY_CURRENT_CONFIG;
    case kDynData:
      return HKEY_DYN_DATA;
    default:
      return reinterpret_cast<HKEY>(key);
  }
}

HKey Portable(HKEY key) {
  return reinterpret_cast<HKey>(key);
}

bool IsStringType(std::uint32_t type) {
  return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

std::string WithoutTrailingBackslashes(std::string name) {
  while (!name.empty() && name.back() == '\\') name.pop_back();
  return name;
}

// Deletes every subkey of `key`, deepest first.
LONG DeleteSubkeys(HKEY key) {
  std::vector<std::string> names;
  for (DWORD index = 0;; ++index) {
    char name[256];
    DWORD length = sizeof name;
    if (RegEnumKeyExA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS) {
      break;
    }
    names.emplace_back(name, length);
  }
  for (const std::string& name : names) {
    HKEY sub = nullptr;
    LONG status = RegOpenKeyExA(key, name.c_str(), 0, KEY_ALL_ACCESS, &sub);
    if (status != ERROR_SUCCESS) return status;
    status = DeleteSubkeys(sub);
    RegCloseKey(sub);
    if (status != ERROR_SUCCESS) return status;
    status = RegDeleteKeyA(key, name.c_str());
    if (status != ERROR_SUCCESS) return status;
  }
  return ERROR_SUCCESS;
}

}  // namespace

std::int32_t Win32Registry::OpenKey(HKey key, const std::string& path, std::uint32_t access,
                                    HKey* result) {
  HKEY opened = nullptr;
  const LONG status = RegOpenKeyExA(Native(key), path.c_str(), 0, access, &opened);
  *result = status == ERROR_SUCCESS ? Portable(opened) : 0;
  return status;
}

std::int32_t Win32Registry::CreateKey(HKey key, const std::string& path, std::uint32_t access,
                                      HKey* result, bool* created) {
  HKEY opened = nullptr;
  DWORD disposition = 0;
  char no_class[1] = "";
  const LONG status =
      RegCreateKeyExA(Native(key), path.c_str(), 0, no_class, REG_OPTION_NON_VOLATILE, access,
                      nullptr, &opened, &disposition);
  *result = status == ERROR_SUCCESS ? Portable(opened) : 0;
  // A path of no key names opens the key itself; Wine reports it as newly created.
  const bool names_a_key = path.find_first_not_of('\\') != std::string::npos;
  *created = status == ERROR_SUCCESS && disposition == REG_CREATED_NEW_KEY && names_a_key;
  return status;
}

std::int32_t Win32Registry::QueryValue(HKey key, const std::string& name, std::uint32_t* type,
                                       std::uint8_t* data, std::uint32_t* size) {
  DWORD stored_type = 0;
  DWORD length = size != nullptr ? *size : 0;
  const LONG status = RegQueryValueExA(Native(key), name.c_str(), nullptr, &stored_type, data,
                                       size != nullptr ? &length : nullptr);
  if (status == ERROR_FILE_NOT_FOUND && name.empty()) {
    // The key exists (the handle is good), so this is its default value, never set: 9x reads
    // it as the empty text.
    if (type != nullptr) *type = REG_SZ;
    if (size != nullptr) *size = 0;
    return kSuccess;
  }
  if (type != nullptr) *type = stored_type;
  if (size != nullptr) *size = length;
  return status;
}

std::int32_t Win32Registry::SetValue(HKey key, const std::string& name, std::uint32_t type,
                                     const std::uint8_t* data, std::uint32_t size) {
  static const BYTE kNothing[1] = {0};
  std::vector<BYTE> terminated;
  const BYTE* bytes = data != nullptr ? data : kNothing;
  if (IsStringType(type)) {
    terminated.assign(bytes, bytes + size);
    terminated.push_back(0);
    bytes = terminated.data();
  }
  return RegSetValueExA(Native(key), name.c_str(), 0, type, bytes, size);
}

std::int32_t Win32Registry::DeleteKey(HKey key, const std::string& subkey) {
  const std::string name = WithoutTrailingBackslashes(subkey);
  if (name.empty()) return kInvalidParameter;
  const HKEY parent = Native(key);
  LONG status = RegDeleteKeyA(parent, name.c_str());
  if (status != ERROR_ACCESS_DENIED) return status;
  // The key has subkeys: Wine refuses where 9x deletes the whole branch.
  HKEY target = nullptr;
  if (RegOpenKeyExA(parent, name.c_str(), 0, KEY_ALL_ACCESS, &target) != ERROR_SUCCESS) {
    return status;
  }
  const LONG cleared = DeleteSubkeys(target);
  RegCloseKey(target);
  if (cleared != ERROR_SUCCESS) return cleared;
  return RegDeleteKeyA(parent, name.c_str());
}

std::int32_t Win32Registry::DeleteValue(HKey key, const std::string& name) {
  return RegDeleteValueA(Native(key), name.c_str());
}

std::int32_t Win32Registry::EnumKey(HKey key, std::uint32_t index, std::string* name) {
  char buffer[256];
  DWORD length = sizeof buffer;
  const LONG status =
      RegEnumKeyExA(Native(key), index, buffer, &length, nullptr, nullptr, nullptr, nullptr);
  if (status == ERROR_SUCCESS) name->assign(buffer, length);
  return status;
}

std::int32_t Win32Registry::EnumValue(HKey key, std::uint32_t index, std::string* name,
                                      std::uint32_t* type, std::vector<std::uint8_t>* data) {
  char buffer[256];
  DWORD stored_type = 0;
  std::vector<BYTE> bytes(data != nullptr ? 256 : 0);
  LONG status = ERROR_MORE_DATA;
  // A value's data may grow between two calls; give up after a few attempts.
  for (int attempt = 0; attempt < 4 && status == ERROR_MORE_DATA; ++attempt) {
    DWORD length = sizeof buffer;
    DWORD size = static_cast<DWORD>(bytes.size());
    status =
        RegEnumValueA(Native(key), index, buffer, &length, nullptr, &stored_type,
                      data != nullptr ? bytes.data() : nullptr, data != nullptr ? &size : nullptr);
    if (status == ERROR_SUCCESS) {
      if (name != nullptr) name->assign(buffer, length);
      if (type != nullptr) *type = stored_type;
      if (data != nullptr) data->assign(bytes.begin(), bytes.begin() + size);
    } else if (status == ERROR_MORE_DATA && data != nullptr && size > bytes.size()) {
      bytes.resize(size);
    } else if (status == ERROR_MORE_DATA) {
      break;
    }
  }
  return status;
}

std::int32_t Win32Registry::CloseKey(HKey key) {
  return RegCloseKey(Native(key));
}

}  // namespace vireo::platform
