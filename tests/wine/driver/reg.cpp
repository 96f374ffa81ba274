// The registry and the files that the program reads and writes, read and written from outside.
#include "driver.h"

namespace driver {

constexpr REGSAM kView = KEY_WOW64_64KEY;

RegEntry entry(const std::string& path) {
  size_t first = path.find('\\');
  size_t last = path.rfind('\\');
  std::string root = path.substr(0, first);
  return {root == "HKCU"   ? HKEY_CURRENT_USER
          : root == "HKLM" ? HKEY_LOCAL_MACHINE
                           : HKEY_CLASSES_ROOT,
          path.substr(first + 1, last - first - 1), path.substr(last + 1)};
}

Stored read(const std::string& path) {
  const RegEntry e = entry(path);
  HKEY key = nullptr;
  if (RegOpenKeyExA(e.root, e.key.c_str(), 0, KEY_QUERY_VALUE | kView, &key) != 0) return Gone();
  char data[4096];
  DWORD size = sizeof data, type = REG_NONE;
  const LONG status =
      RegQueryValueExA(key, e.name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS) return None();
  Stored value{Stored::kBinary, std::string(data, size)};
  if (type == REG_DWORD) value.kind = Stored::kNumber;
  if (type == REG_SZ) value = Txt(value.data.substr(0, value.data.find_last_not_of('\0') + 1));
  return value;
}

bool write(const std::string& path, const Stored& value) {
  const RegEntry e = entry(path);
  HKEY key = nullptr;
  LONG status;
  if (value.kind == Stored::kNoKey) {  // the key with all below it; a missing key is no failure
    status = RegOpenKeyExA(e.root, e.key.c_str(), 0, KEY_ALL_ACCESS | kView, &key);
    if (status != ERROR_SUCCESS) return status == ERROR_FILE_NOT_FOUND;
    status = RegDeleteTreeA(key, nullptr);
    RegCloseKey(key);
    return status == ERROR_SUCCESS && RegDeleteKeyExA(e.root, e.key.c_str(), kView, 0) == 0;
  }
  if (value.kind == Stored::kAbsent) {
    if (RegOpenKeyExA(e.root, e.key.c_str(), 0, KEY_SET_VALUE | kView, &key) != 0) return true;
    status = RegDeleteValueA(key, e.name.c_str());
    RegCloseKey(key);
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
  }
  if (RegCreateKeyExA(e.root, e.key.c_str(), 0, nullptr, 0, KEY_SET_VALUE | kView, nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const DWORD type = value.kind == Stored::kText     ? REG_SZ
                     : value.kind == Stored::kNumber ? REG_DWORD
                                                     : REG_BINARY;
  const std::string data = value.kind == Stored::kText ? value.data + '\0' : value.data;
  status = RegSetValueExA(key, e.name.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.data()),
                          static_cast<DWORD>(data.size()));
  RegCloseKey(key);
  return status == ERROR_SUCCESS;
}

bool writeState(const State& state) {
  bool ok = true;
  for (const auto& [path, value] : state) ok = write(path, value) && ok;
  return ok;
}

bool expectState(const State& state, const std::string& what) {
  std::string wrong;
  for (const auto& [path, value] : state) {
    const Stored found = read(path);
    if (vireo::cases::Matches(found, value)) continue;
    wrong += (wrong.empty() ? "" : "; ") + path + " holds " + vireo::cases::Describe(found) +
             " instead of " + vireo::cases::Describe(value);
  }
  return check(wrong.empty(), what, wrong);
}

std::string windowsDirectory() {
  char windows[MAX_PATH] = "";
  GetWindowsDirectoryA(windows, sizeof windows);
  return windows;
}

std::string controlIni() {
  return windowsDirectory() + "\\control.ini";
}

}  // namespace driver
