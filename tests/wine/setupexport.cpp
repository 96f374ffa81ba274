// The user-setup export against the real registry (Wine in Windows 98 mode, or Windows itself):
// writes well over a thousand generated values, lists them in a "savereg.dat", exports them with
// the program's own export into "Setup.reg", deletes them, merges the file back through the
// program's own restore command (which starts the system registry editor where no program opens
// registry files) and compares every value: type and bytes must be the same, and a value of a
// type the export does not carry (2, 7) must be gone with its key kept. A second export of the
// merged values must give the same file byte for byte. Prints "setupexport: N passed, M failed".
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <vector>

#include "cases/case_context.h"
#include "platform/host/standins.h"
#include "platform/host/table_strings.h"
#include "platform/platform.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_system.h"
#include "report.h"
#include "service/setup_export.h"

namespace {

using report::check;
using vireo::platform::HKey;
namespace platform = vireo::platform;
namespace service = vireo::service;

constexpr char kTestKey[] = "Software\\Vireo Export Test";

// The program directory of this test: a folder of its own, with a blank in its name.
class TestSystem : public platform::Win32System {
 public:
  explicit TestSystem(std::string directory) : directory_(std::move(directory)) {}
  std::string ProgramDirectory() override { return directory_; }

 private:
  std::string directory_;
};

// The real shell, except that a started program is waited for, so that the merge is complete
// before the values are compared.
class WaitingShell : public platform::Win32Shell {
 public:
  bool Open(const std::string& verb, const std::string& target, int show) override {
    opened = platform::Win32Shell::Open(verb, target, show);
    return opened;
  }
  void Start(const std::string& command_line) override {
    started.push_back(command_line);
    report::runAndWait(command_line, 300000);
  }
  bool opened = false;
  std::vector<std::string> started;
};

struct Generated {
  HKey root;
  std::string root_text;
  std::string key;
  std::string name;
  DWORD type;
  std::string data;  // as stored: strings with their closing NUL
  bool listed;       // false: the list cannot name it (a backslash or a line break in the name)
};

std::string Sz(const std::string& text) {
  return text + std::string(1, '\0');
}

std::string Dword(std::uint32_t n) {
  std::string data(4, '\0');
  std::memcpy(data.data(), &n, 4);
  return data;
}

// Strings, binary data, numbers, default values, odd names and deep keys, all below kTestKey.
std::vector<Generated> Generate(int count) {
  static const char* const kStrings[] = {
      "",
      "C:\\WINDOWS\\notepad.exe \"%1\"",
      "\\\\server\\share\\",
      "\"",
      "\\",
      "Мой компьютер",
      "ЁёЪъЯя — «кавычки»",
      "tab\there",
      "A\r\nB",
      "\r",
      "end\n",
      "semi;colon=equals [bracket]",
      "@",
      "hex:01",
      "dword:00000001",
  };
  static const char* const kNames[] = {
      "plain", "with blanks ", "say \"hi\"", "Имя значения", "=", "@", "[x]", "a;b",
  };
  static const std::uint32_t kNumbers[] = {0, 0xFFFFFFFF, 0x80000000, 10, 0x7FFFFFFF, 1};
  std::vector<Generated> values;
  std::uint32_t seed = 12345;
  auto next = [&seed] { return seed = seed * 1103515245 + 12345, seed >> 8; };
  for (int i = 0; static_cast<int>(values.size()) < count; ++i) {
    Generated g;
    g.root = (i % 10 == 9) ? platform::kLocalMachine : platform::kCurrentUser;
    g.root_text = g.root == platform::kLocalMachine ? "HKLM" : "HKCU";
    g.key = std::string(kTestKey) + "\\k" + std::to_string(i / 7);
    if (i % 50 == 3) {
      for (int depth = 0; depth < 25; ++depth) g.key += "\\level " + std::to_string(depth);
    }
    if (i % 13 == 5) g.key += "\\Ключ \"кавычки\"";
    g.name = std::string(kNames[i % std::size(kNames)]) + std::to_string(i);
    // The default value; not for types 2 and 7, whose key comes back with its default unset,
    // which reads as the empty string (as on 9x), so a second export would differ there.
    if (i % 11 == 4 && i % 5 != 4) g.name = "";
    g.listed = true;
    switch (i % 5) {
      case 0:
      case 1:
        g.type = REG_SZ;
        g.data = Sz(kStrings[(i / 5) % std::size(kStrings)]);
        break;
      case 2: {
        g.type = REG_BINARY;
        std::size_t size = (i / 5) % 40;
        if (i == 7) size = 65536;
        if (i == 17) size = 4096;
        g.data.resize(size);
        for (char& c : g.data) c = static_cast<char>(next());
        break;
      }
      case 3:
        g.type = REG_DWORD;
        g.data = Dword(i < 40 ? kNumbers[(i / 5) % std::size(kNumbers)] : next() * 2654435761u);
        break;
      default:
        g.type = (i / 5) % 3 == 0 ? REG_EXPAND_SZ : (i / 5) % 3 == 1 ? REG_MULTI_SZ : REG_SZ;
        g.data = g.type == REG_MULTI_SZ ? std::string("one\0two\0\0", 9) : Sz("%windir%\\x");
        break;
    }
    values.push_back(g);
  }
  // Names that no list line can give: the record writer is checked with them directly.
  const char* const kUnlisted[] = {"back\\slash", "two\r\nlines", "\\", "a\\\"b\\\\"};
  for (int i = 0; i < static_cast<int>(std::size(kUnlisted)); ++i) {
    values.push_back({platform::kCurrentUser, "HKCU", std::string(kTestKey) + "\\unlisted",
                      kUnlisted[i], REG_SZ, Sz("value " + std::to_string(i)), false});
  }
  return values;
}

bool Store(const Generated& g) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(reinterpret_cast<HKEY>(g.root), g.key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                      nullptr, &key, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const LONG status =
      RegSetValueExA(key, g.name.c_str(), 0, g.type, reinterpret_cast<const BYTE*>(g.data.data()),
                     static_cast<DWORD>(g.data.size()));
  RegCloseKey(key);
  return status == ERROR_SUCCESS;
}

// The stored type and bytes; false when the value (or its key) is missing.
bool Load(const Generated& g, DWORD* type, std::string* data, bool* key_exists) {
  HKEY key = nullptr;
  *key_exists = RegOpenKeyExA(reinterpret_cast<HKEY>(g.root), g.key.c_str(), 0, KEY_QUERY_VALUE,
                              &key) == ERROR_SUCCESS;
  if (!*key_exists) return false;
  DWORD size = 0;
  LONG status = RegQueryValueExA(key, g.name.c_str(), nullptr, type, nullptr, &size);
  if (status == ERROR_SUCCESS) {
    data->assign(size, '\0');
    status = RegQueryValueExA(key, g.name.c_str(), nullptr, type,
                              reinterpret_cast<BYTE*>(data->data()), &size);
    data->resize(size);
  }
  RegCloseKey(key);
  return status == ERROR_SUCCESS;
}

void DeleteTestKeys(platform::Registry& registry) {
  registry.DeleteKey(platform::kCurrentUser, kTestKey);
  registry.DeleteKey(platform::kLocalMachine, kTestKey);
}

std::string ListOf(const std::vector<Generated>& values) {
  std::string list;
  for (const Generated& g : values) {
    if (g.listed) list += g.root_text + "\\" + g.key + "\\" + g.name + "\r\n";
  }
  return list;
}

// The bundle over the real registry, files and shell, with the answers given in turn.
struct Bundle {
  explicit Bundle(const std::string& dir) : system(dir) {}
  platform::Win32Registry registry;
  TestSystem system;
  platform::Win32Profile profile;
  WaitingShell shell;
  platform::ScriptedMessages messages;
  platform::RecordingChooser chooser;
  platform::OpenFileDialog open_file{chooser};
  platform::RecordingRegions regions;
  platform::TableStrings strings{std::span<const vireo::catalogue::CatalogueEntry>()};
  platform::Win32Files files{platform::Win32Files::Way::kSwap};  // as on Windows 98
  platform::RecordingSession session;
  platform::FixedMachine machine;
  platform::ScriptedProcesses processes;
  platform::ListedWindows top_windows;
  platform::Platform platform{registry, system, profile, shell,   messages,  open_file,  regions,
                              strings,  files,  session, machine, processes, top_windows};
};

std::string Describe(DWORD type, const std::string& data) {
  const std::string text = "type " + std::to_string(type) + ", " + std::to_string(data.size());
  return text + " bytes" +
         (data.size() <= 24 ? ": " + vireo::cases::Hex({data.begin(), data.end()}) : "");
}

int RoundTrip() {
  report::removeFolder(report::tempDirectory() + "\\vireo export test");
  const std::string dir = report::tempDirectory("vireo export test");
  Bundle bundle(dir);
  DeleteTestKeys(bundle.registry);

  const std::vector<Generated> values = Generate(1200);
  int stored = 0;
  for (const Generated& g : values) stored += Store(g) ? 1 : 0;
  check(stored == static_cast<int>(values.size()), "generated values stored",
        std::to_string(stored) + " of " + std::to_string(values.size()));

  check(bundle.files.Replace(dir + "\\savereg.dat", ListOf(values)), "savereg.dat written");
  bundle.messages.answers = {platform::Answer::kYes};
  service::ExportSetup(bundle.platform, 0);
  check(bundle.messages.shown.size() == 1, "the export asked and reported no failure",
        bundle.messages.shown.empty() ? "" : bundle.messages.shown.back().text);
  std::string first;
  check(bundle.files.Read(dir + "\\Setup.reg", &first) && first.rfind("REGEDIT4\r\n", 0) == 0,
        "Setup.reg written", std::to_string(first.size()) + " bytes");
  check(report::filesIn(dir) == std::vector<std::string>{"Setup.reg", "savereg.dat"},
        "no temporary file is left beside Setup.reg");

  // The names that no list line gives go through the same record writer into a file of their
  // own, merged by the registry editor in the same way.
  std::string names = "REGEDIT4\r\n";
  for (const Generated& g : values) {
    if (g.listed) continue;
    names += service::Record(
        {g.root_text, g.key, g.name},
        service::DataText(vireo::registry::RegValue::Text(g.data.substr(0, g.data.size() - 1))));
  }
  bundle.files.Replace(dir + "\\Names.reg", names + "\r\n");

  DeleteTestKeys(bundle.registry);
  bool key_exists = false;
  DWORD type = 0;
  std::string data;
  check(!Load(values[0], &type, &data, &key_exists) && !key_exists, "the values were deleted");

  bundle.messages.answers = {platform::Answer::kYes};
  service::RestoreSetup(bundle.platform, 0);
  const std::string editor = bundle.system.WindowsDirectory() + "\\regedit.exe";
  check(bundle.shell.opened ||
            (bundle.shell.started.size() == 1 &&
             bundle.shell.started[0] == "\"" + editor + "\" \"" + dir + "\\setup.reg\""),
        bundle.shell.opened
            ? "the restore: the shell opened setup.reg"
            : "the restore: no program opens setup.reg, so the registry editor was started with "
              "it, both paths quoted",
        bundle.shell.started.empty() ? "" : bundle.shell.started[0]);
  bundle.shell.Start("\"" + editor + "\" \"" + dir + "\\Names.reg\"");

  int same = 0, gone = 0, differ = 0;
  for (const Generated& g : values) {
    const bool found = Load(g, &type, &data, &key_exists);
    const bool carried = g.type == REG_SZ || g.type == REG_BINARY || g.type == REG_DWORD;
    if (carried && found && type == g.type && data == g.data) {
      ++same;
    } else if (!carried && !found && key_exists) {
      ++gone;
    } else if (++differ <= 10) {
      check(false, "value " + g.root_text + "\\" + g.key + "\\" + g.name,
            found ? Describe(type, data) + " instead of " + Describe(g.type, g.data)
                  : std::string(key_exists ? "missing" : "missing with its key"));
    }
  }
  check(differ == 0,
        std::to_string(same) + " values merged back unchanged, " + std::to_string(gone) +
            " of types 2 and 7 with their keys only",
        std::to_string(differ) + " differences");

  // Exporting what the merge gave yields the same file again.
  bundle.messages.answers = {platform::Answer::kYes};
  service::ExportSetup(bundle.platform, 0);
  std::string second;
  bundle.files.Read(dir + "\\Setup.reg", &second);
  check(second == first, "a second export after the merge gives the same file byte for byte",
        report::firstDifference(first, second));

  DeleteTestKeys(bundle.registry);
  report::removeFolder(dir);
  return report::finish("setupexport");
}

}  // namespace

int main() {
  return RoundTrip();
}
