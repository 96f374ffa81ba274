// The user-setup export against the real registry (Wine in Windows 98 mode, or Windows itself):
// writes well over a thousand generated values, lists them in a "savereg.dat", exports them with
// the program's own export into "Setup.reg", deletes them, merges the file back through the
// program's own restore command (which starts the system registry editor where no program opens
// registry files) and compares every value: type and bytes must be the same, and a value of a
// type the export does not carry (2, 7) must be gone with its key kept. A second export of the
// merged values must give the same file byte for byte. Prints "setupexport: N passed, M failed".
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "../../bench/win/export_bundle.h"
#include "cases/case_context.h"
#include "platform/win32/win32_registry.h"
#include "report.h"
#include "service/setup_export.h"

namespace {

using report::check;
using report::same;
namespace platform = vireo::platform;
namespace service = vireo::service;

constexpr char kTestKey[] = "Software\\Vireo Export Test";

// The real shell, except that a started program is waited for, so that the merge is complete
// before the values are compared.
struct WaitingShell : platform::Win32Shell {
  bool Open(const std::string& verb, const std::string& target, int show) override {
    return opened = platform::Win32Shell::Open(verb, target, show);
  }
  void Start(const std::string& command_line) override {
    started.push_back(command_line);
    report::runAndWait(command_line, 300000);
  }
  bool opened = false;
  std::vector<std::string> started;
};

struct Generated {
  bool hklm;
  std::string key, name;
  DWORD type;
  std::string data;    // as stored: strings with their closing NUL
  bool listed = true;  // false: the list cannot name it (a backslash or a line break in the name)
  HKEY root() const { return hklm ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER; }
  std::string path() const { return (hklm ? "HKLM\\" : "HKCU\\") + key + "\\" + name; }
};

// Strings, binary data, numbers, default values, odd names and deep keys, all below kTestKey.
std::vector<Generated> Generate(int count) {
  // clang-format off
  static const char* const kStrings[] = {
      "", "C:\\WINDOWS\\notepad.exe \"%1\"", "\\\\server\\share\\", "\"", "\\", "Мой компьютер",
      "ЁёЪъЯя — «кавычки»", "tab\there", "A\r\nB", "\r", "end\n", "semi;colon=equals [bracket]", "@",
      "hex:01", "dword:00000001"};
  // clang-format on
  static const char* const kNames[] = {"plain", "with blanks ", "say \"hi\"", "Имя значения", "=",
                                       "@",     "[x]",          "a;b"};
  static const std::uint32_t kNumbers[] = {0, 0xFFFFFFFF, 0x80000000, 10, 0x7FFFFFFF, 1};
  std::vector<Generated> values;
  std::uint32_t seed = 12345;
  auto next = [&seed] { return seed = seed * 1103515245 + 12345, seed >> 8; };
  for (int i = 0; i < count; ++i) {
    Generated g;
    g.hklm = i % 10 == 9;
    g.key = std::string(kTestKey) + "\\k" + std::to_string(i / 7);
    for (int depth = 0; i % 50 == 3 && depth < 25; ++depth)
      g.key += "\\level " + std::to_string(depth);
    if (i % 13 == 5) g.key += "\\Ключ \"кавычки\"";
    // The default value; not for types 2 and 7, whose key comes back with its default unset,
    // which reads as the empty string (as on 9x), so a second export would differ there.
    g.name = i % 11 == 4 && i % 5 != 4 ? "" : kNames[i % std::size(kNames)] + std::to_string(i);
    switch (i % 5) {
      case 2:  // two sizes past the first query's buffer
        g.type = REG_BINARY;
        g.data.resize(i == 7 ? 65536 : i == 17 ? 4096 : (i / 5) % 40);
        for (char& c : g.data) c = static_cast<char>(next());
        break;
      case 3: {
        const std::uint32_t n =
            i < 40 ? kNumbers[(i / 5) % std::size(kNumbers)] : next() * 2654435761u;
        g.type = REG_DWORD;
        g.data.assign(reinterpret_cast<const char*>(&n), 4);
        break;
      }
      case 4:
        g.type = (i / 5) % 3 == 0 ? REG_EXPAND_SZ : (i / 5) % 3 == 1 ? REG_MULTI_SZ : REG_SZ;
        g.data = g.type == REG_MULTI_SZ ? std::string("one\0two\0\0", 9)
                                        : std::string("%windir%\\x") + '\0';
        break;
      default:
        g.type = REG_SZ;
        g.data = kStrings[(i / 5) % std::size(kStrings)] + std::string(1, '\0');
    }
    values.push_back(g);
  }
  // Names that no list line can give: the record writer is checked with them directly.
  int n = 0;
  for (const char* name : {"back\\slash", "two\r\nlines", "\\", "a\\\"b\\\\"}) {
    const std::string data = "value " + std::to_string(n++) + '\0';
    values.push_back({false, std::string(kTestKey) + "\\unlisted", name, REG_SZ, data, false});
  }
  return values;
}

// The stored type and bytes; false when the value is missing, `key_exists` whether its key is.
bool Load(const Generated& g, DWORD* type, std::string* data, bool* key_exists) {
  HKEY key = nullptr;
  *key_exists = RegOpenKeyExA(g.root(), g.key.c_str(), 0, KEY_QUERY_VALUE, &key) == ERROR_SUCCESS;
  DWORD size = 70000;
  data->assign(size, '\0');
  const bool found = *key_exists && RegQueryValueExA(key, g.name.c_str(), nullptr, type,
                                                     reinterpret_cast<BYTE*>(data->data()),
                                                     &size) == ERROR_SUCCESS;
  data->resize(found ? size : 0);
  if (*key_exists) RegCloseKey(key);
  return found;
}

std::string Describe(DWORD type, const std::string& data) {
  return "type " + std::to_string(type) + ", " + std::to_string(data.size()) + " bytes: " +
         vireo::cases::Hex({data.begin(), data.begin() + std::min<std::size_t>(data.size(), 24)});
}

int RoundTrip() {
  const std::string dir = report::tempDirectory() + "\\vireo export test";
  report::removeFolder(dir);
  CreateDirectoryA(dir.c_str(), nullptr);
  platform::Win32Registry registry;
  WaitingShell shell;
  vireo::bench::ExportBundle bundle(dir, registry, shell);
  auto deleteTestKeys = [&] {
    for (platform::HKey root : {platform::kCurrentUser, platform::kLocalMachine})
      registry.DeleteKey(root, kTestKey);
  };
  auto exportSetup = [&] {
    bundle.messages.answers = {platform::Answer::kYes};
    service::ExportSetup(bundle.platform, 0);
  };
  deleteTestKeys();

  const std::vector<Generated> values = Generate(1200);
  int stored = 0;
  std::string list;
  for (const Generated& g : values) {
    stored += RegSetKeyValueA(g.root(), g.key.c_str(), g.name.c_str(), g.type, g.data.data(),
                              static_cast<DWORD>(g.data.size())) == ERROR_SUCCESS;
    if (g.listed) list += g.path() + "\r\n";
  }
  same(std::to_string(stored), std::to_string(values.size()), "generated values stored");
  check(bundle.files.Replace(dir + "\\savereg.dat", list), "savereg.dat written");
  exportSetup();
  check(bundle.messages.shown.size() == 1, "the export asked and reported no failure",
        bundle.messages.shown.empty() ? "" : bundle.messages.shown.back().text);
  std::string first;
  check(bundle.files.Read(dir + "\\Setup.reg", &first) && first.rfind("REGEDIT4\r\n", 0) == 0,
        "Setup.reg written", std::to_string(first.size()) + " bytes");

  // The names that no list line gives go through the same record writer into a file of their
  // own, merged by the registry editor in the same way.
  std::string names = "REGEDIT4\r\n";
  for (const Generated& g : values) {
    if (g.listed) continue;
    const std::string text = g.data.substr(0, g.data.size() - 1);
    names += service::Record({"HKCU", g.key, g.name},
                             service::DataText(vireo::registry::RegValue::Text(text)));
  }
  bundle.files.Replace(dir + "\\Names.reg", names + "\r\n");

  deleteTestKeys();
  bool key_exists = false;
  DWORD type = 0;
  std::string data;
  check(!Load(values[0], &type, &data, &key_exists) && !key_exists, "the values were deleted");

  bundle.messages.answers = {platform::Answer::kYes};
  service::RestoreSetup(bundle.platform, 0);
  const std::string editor = bundle.system.WindowsDirectory() + "\\regedit.exe";
  check(shell.opened || (shell.started.size() == 1 &&
                         shell.started[0] == "\"" + editor + "\" \"" + dir + "\\setup.reg\""),
        shell.opened ? "the restore: the shell opened setup.reg"
                     : "the restore: no program opens setup.reg, so the registry editor was "
                       "started with it, both paths quoted",
        shell.started.empty() ? "" : shell.started[0]);
  shell.Start("\"" + editor + "\" \"" + dir + "\\Names.reg\"");

  int same = 0, gone = 0, differ = 0;
  for (const Generated& g : values) {
    const bool found = Load(g, &type, &data, &key_exists);
    const bool carried = g.type == REG_SZ || g.type == REG_BINARY || g.type == REG_DWORD;
    if (carried && found && type == g.type && data == g.data) {
      ++same;
    } else if (!carried && !found && key_exists) {
      ++gone;
    } else if (++differ <= 10) {
      check(false, "value " + g.path(),
            found ? Describe(type, data) + " instead of " + Describe(g.type, g.data)
                  : std::string(key_exists ? "missing" : "missing with its key"));
    }
  }
  check(differ == 0,
        std::to_string(same) + " values merged back unchanged, " + std::to_string(gone) +
            " of types 2 and 7 with their keys only",
        std::to_string(differ) + " differences");

  // Exporting what the merge gave yields the same file again.
  exportSetup();
  std::string second;
  bundle.files.Read(dir + "\\Setup.reg", &second);
  check(second == first, "a second export after the merge gives the same file byte for byte",
        report::firstDifference(first, second));

  deleteTestKeys();
  report::removeFolder(dir);
  return report::finish("setupexport");
}

}  // namespace

int main() {
  return RoundTrip();
}
