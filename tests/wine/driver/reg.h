// The registry and the files that the program reads and writes, read and written by the driver
// from outside. Keys are opened in the 64-bit view (KEY_WOW64_64KEY), the view a 64-bit program
// and the 64-bit shell see, so that a write redirected to the 32-bit view is caught.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace driver {

// One registry value named as the program's catalogue names it: ROOT\Key\...\Name, the key's
// default value when the path ends in a backslash.
struct RegEntry {
  HKEY root = nullptr;
  std::string key;
  std::string name;  // empty: the default value
  std::string path;  // as written, for the messages
  const char* valueName() const { return name.empty() ? nullptr : name.c_str(); }
};

RegEntry entry(const std::string& path);

// What a registry value holds: its type and its bytes (a string without its closing null).
// `noKey()` stands for the value's key being missing altogether.
struct Stored {
  bool present = false;
  DWORD type = REG_NONE;
  std::string data;
  bool noKey = false;
  bool operator==(const Stored&) const = default;
};

Stored absent();
Stored noKey();
Stored dword(DWORD number);
Stored textValue(std::string_view value);
Stored binary(std::initializer_list<unsigned char> bytes);
std::string describe(const Stored& value);

bool keyExists(const RegEntry& e);
Stored read(const RegEntry& e);
// Stores the value, creating its key; `absent()` deletes the value, `noKey()` the whole key.
bool write(const RegEntry& e, const Stored& value);
bool expectStored(const RegEntry& e, const Stored& expected, const std::string& when);

// Rows of the registry that a scenario sets and watches, and what each must hold.
struct Row {
  const RegEntry* written;  // where the driver writes it
  const RegEntry* read;     // where the driver reads it back (the same, or another view of it)
};
using State = std::vector<Stored>;
bool writeState(const std::vector<Row>& rows, const State& state);
// One check: every row holds what `state` says; the rows that do not are listed.
bool expectState(const std::vector<Row>& rows, const State& state, const std::string& what);

// Puts back, at its end, the rows that a scenario sets, and removes the keys that were not there
// before it (`keys`: every key the scenario may create, outermost first).
class RegistryRestore {
 public:
  RegistryRestore(const std::vector<Row>& rows, const std::vector<RegEntry>& keys);
  RegistryRestore(const RegistryRestore&) = delete;
  RegistryRestore& operator=(const RegistryRestore&) = delete;
  ~RegistryRestore();

 private:
  std::vector<std::pair<RegEntry, Stored>> saved_;
  std::vector<RegEntry> created_;
};

// ---- files --------------------------------------------------------------------------------

// The bytes of a file, and whether it exists.
struct FileBytes {
  bool exists = false;
  std::string data;
  bool operator==(const FileBytes&) const = default;
};
FileBytes readFile(const std::string& path);
// Writes the file; a missing `bytes` deletes it.
bool writeFile(const std::string& path, const FileBytes& bytes);
// Puts a file back as it was at the start of a scenario.
class FileRestore {
 public:
  explicit FileRestore(std::string path) : path_(std::move(path)), saved_(readFile(path_)) {}
  FileRestore(const FileRestore&) = delete;
  FileRestore& operator=(const FileRestore&) = delete;
  ~FileRestore() { writeFile(path_, saved_); }

 private:
  std::string path_;
  FileBytes saved_;
};

// C:\windows\control.ini, or wherever the Windows directory is.
std::string controlIni();
// A value of the section "Don't Load" of control.ini, or "(missing)" when it has none.
std::string dontLoad(const char* key);

}  // namespace driver
