// The registry and the files that the program reads and writes, read and written from outside.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

#include "driver.h"

namespace driver {

namespace {

constexpr REGSAM kView = KEY_WOW64_64KEY;

// A value that is absent matches "no key" as well when its key is gone: what matters is that
// nothing is stored.
bool matches(const Stored& found, const Stored& expected) {
  if (expected.noKey) return found.noKey;
  if (!expected.present) return !found.present;
  return found.present && found.type == expected.type && found.data == expected.data;
}

}  // namespace

RegEntry entry(const std::string& path) {
  size_t first = path.find('\\');
  size_t last = path.rfind('\\');
  std::string root = path.substr(0, first);
  return {root == "HKCU"   ? HKEY_CURRENT_USER
          : root == "HKLM" ? HKEY_LOCAL_MACHINE
                           : HKEY_CLASSES_ROOT,
          path.substr(first + 1, last - first - 1), path.substr(last + 1), path};
}

Stored absent() {
  return {};
}
Stored noKey() {
  return {false, REG_NONE, "", true};
}
Stored dword(DWORD number) {
  return {true, REG_DWORD, std::string(reinterpret_cast<const char*>(&number), sizeof number)};
}
Stored textValue(std::string_view value) {
  return {true, REG_SZ, std::string(value)};
}
Stored binary(std::initializer_list<unsigned char> bytes) {
  return {true, REG_BINARY, std::string(bytes.begin(), bytes.end())};
}

std::string describe(const Stored& value) {
  if (value.noKey) return "no key";
  if (!value.present) return "nothing";
  if (value.type == REG_DWORD && value.data.size() == 4) {
    DWORD number;
    std::memcpy(&number, value.data.data(), 4);
    return "DWORD " + std::to_string(number);
  }
  if (value.type == REG_SZ) return "text " + quoted(value.data);
  std::string out = value.type == REG_BINARY ? "binary" : "type " + std::to_string(value.type);
  for (unsigned char byte : value.data) {
    char part[8];
    std::snprintf(part, sizeof part, " %02X", byte);
    out += part;
  }
  return out;
}

Stored read(const RegEntry& e) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(e.root, e.key.c_str(), 0, KEY_QUERY_VALUE | kView, &key) != ERROR_SUCCESS) {
    return noKey();
  }
  Stored value;
  char data[4096];
  DWORD size = sizeof data;
  if (RegQueryValueExA(key, e.name.c_str(), nullptr, &value.type, reinterpret_cast<BYTE*>(data),
                       &size) == ERROR_SUCCESS) {
    value.present = true;
    value.data.assign(data, size);
    if (value.type == REG_SZ) value.data.erase(value.data.find_last_not_of('\0') + 1);
  } else {
    value.type = REG_NONE;
  }
  RegCloseKey(key);
  return value;
}

bool write(const RegEntry& e, const Stored& value) {
  HKEY key = nullptr;
  LONG status;
  if (value.noKey) {  // the key with everything below it; a missing key is no failure
    status = RegOpenKeyExA(e.root, e.key.c_str(), 0, KEY_ALL_ACCESS | kView, &key);
    if (status != ERROR_SUCCESS) return status == ERROR_FILE_NOT_FOUND;
    status = RegDeleteTreeA(key, nullptr);
    RegCloseKey(key);
    return status == ERROR_SUCCESS && RegDeleteKeyExA(e.root, e.key.c_str(), kView, 0) == 0;
  }
  if (!value.present) {
    if (RegOpenKeyExA(e.root, e.key.c_str(), 0, KEY_SET_VALUE | kView, &key) != ERROR_SUCCESS) {
      return true;
    }
    status = RegDeleteValueA(key, e.name.c_str());
    RegCloseKey(key);
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
  }
  if (RegCreateKeyExA(e.root, e.key.c_str(), 0, nullptr, 0, KEY_SET_VALUE | kView, nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    return false;
  }
  std::string data = value.data;
  if (value.type == REG_SZ) data.push_back('\0');
  status =
      RegSetValueExA(key, e.name.c_str(), 0, value.type, reinterpret_cast<const BYTE*>(data.data()),
                     static_cast<DWORD>(data.size()));
  RegCloseKey(key);
  return status == ERROR_SUCCESS;
}

bool writeState(const State& state) {
  bool ok = true;
  for (const auto& [e, value] : state) ok = write(*e, value) && ok;
  return ok;
}

bool expectState(const State& state, const std::string& what) {
  std::string wrong;
  for (const auto& [e, value] : state) {
    Stored found = read(*e);
    if (matches(found, value)) continue;
    wrong += (wrong.empty() ? "" : "; ") + e->path + " holds " + describe(found) + " instead of " +
             describe(value);
  }
  return check(wrong.empty(), what, wrong);
}

FileBytes readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {in.is_open(), std::string(std::istreambuf_iterator<char>(in), {})};
}

bool writeFile(const std::string& path, const FileBytes& bytes) {
  if (!bytes.exists) {  // a file that is not there, or whose folder is not, is no failure
    return DeleteFileA(path.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND ||
           GetLastError() == ERROR_PATH_NOT_FOUND;
  }
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  return out.write(bytes.data.data(), static_cast<std::streamsize>(bytes.data.size())).good();
}

std::string controlIni() {
  char windows[MAX_PATH] = "";
  GetWindowsDirectoryA(windows, sizeof windows);
  return std::string(windows) + "\\control.ini";
}

std::string dontLoad(const char* key) {
  char value[256] = "";
  GetPrivateProfileStringA("Don't Load", key, "(missing)", value, sizeof value,
                           controlIni().c_str());
  return value;
}

}  // namespace driver
