// The user-setup export's cost on the real registry (bench/export.sh): 1,000 generated values are
// stored and listed in a savereg.dat, then the program's own export runs five times over them;
// prints the registry calls per list line and the wall time of one export (median, min, max).
//
//   exportbench
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "export_bundle.h"
#include "platform/counting_registry.h"
#include "platform/win32/win32_registry.h"
#include "service/setup_export.h"

namespace {

namespace platform = vireo::platform;
constexpr char kBenchKey[] = "Software\\Vireo Export Bench";

struct Value {
  HKEY root;
  std::string line;  // as savereg.dat names it
  std::string key, name;
  DWORD type;
  std::string data;
};

// Strings, binary data and numbers, a tenth below HKLM, seven to a key, some keys 25 deep; the
// types that the export leaves out (2, 7) among them.
std::vector<Value> Generate(int count) {
  std::vector<Value> values;
  std::uint32_t seed = 12345;
  auto next = [&seed] { return seed = seed * 1103515245 + 12345, seed >> 8; };
  for (int i = 0; i < count; ++i) {
    Value v;
    v.root = i % 10 == 9 ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
    v.key = std::string(kBenchKey) + "\\k" + std::to_string(i / 7);
    if (i % 50 == 3) {
      for (int depth = 0; depth < 25; ++depth) v.key += "\\level " + std::to_string(depth);
    }
    v.name = i % 11 == 4 && i % 5 != 4 ? "" : "value " + std::to_string(i);
    v.line = (i % 10 == 9 ? "HKLM\\" : "HKCU\\") + v.key + "\\" + v.name;
    const std::uint32_t number = next();
    switch (i % 5) {
      case 0:
      case 1:
        v.type = REG_SZ;
        v.data = "C:\\WINDOWS\\notepad.exe \"%1\" " + std::to_string(i) + '\0';
        break;
      case 2:
        v.type = REG_BINARY;
        v.data.resize(i == 7 ? 65536 : i == 17 ? 4096 : (i / 5) % 40);  // two past the first query
        for (char& c : v.data) c = static_cast<char>(next());
        break;
      case 3:
        v.type = REG_DWORD;
        v.data.assign(reinterpret_cast<const char*>(&number), 4);
        break;
      default:
        v.type = (i / 5) % 3 == 0 ? REG_EXPAND_SZ : (i / 5) % 3 == 1 ? REG_MULTI_SZ : REG_SZ;
        v.data = v.type == REG_MULTI_SZ ? std::string("one\0two\0\0", 9)
                                        : std::string("%windir%\\x") + '\0';
        break;
    }
    values.push_back(v);
  }
  return values;
}

void Store(const Value& v) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(v.root, v.key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    return;
  }
  RegSetValueExA(key, v.name.c_str(), 0, v.type, reinterpret_cast<const BYTE*>(v.data.data()),
                 static_cast<DWORD>(v.data.size()));
  RegCloseKey(key);
}

void Clean(platform::Registry& registry, const std::string& dir) {
  registry.DeleteKey(platform::kCurrentUser, kBenchKey);
  registry.DeleteKey(platform::kLocalMachine, kBenchKey);
  for (const char* file : {"\\savereg.dat", "\\Setup.reg"}) DeleteFileA((dir + file).c_str());
  RemoveDirectoryA(dir.c_str());
}

}  // namespace

int main() {
  platform::Win32Registry win32;
  platform::CountingRegistry registry(win32);
  char temp[MAX_PATH + 1] = {};
  GetTempPathA(MAX_PATH, temp);
  const std::string dir = std::string(temp) + "vireo export bench";
  Clean(win32, dir);
  CreateDirectoryA(dir.c_str(), nullptr);
  const std::vector<Value> values = Generate(1000);
  std::string list;
  for (const Value& v : values) {
    Store(v);
    list += v.line + "\r\n";
  }

  platform::Win32Shell shell;
  vireo::bench::ExportBundle bundle(dir, registry, shell);
  bundle.files.Replace(dir + "\\savereg.dat", list);

  std::vector<double> times;
  std::size_t calls = 0;
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  for (int run = 0; run < 5; ++run) {
    registry.Reset();
    bundle.messages.answers = {platform::Answer::kYes};
    QueryPerformanceCounter(&start);
    vireo::service::ExportSetup(bundle.platform, 0);
    QueryPerformanceCounter(&end);
    calls = registry.total();
    times.push_back(1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
                    static_cast<double>(frequency.QuadPart));
  }
  std::sort(times.begin(), times.end());
  std::printf("lines: %zu\n", values.size());
  std::printf("registry calls: %zu (%.2f per line)\n", calls,
              static_cast<double>(calls) / static_cast<double>(values.size()));
  std::printf("export wall time: median %.1f ms, min %.1f ms, max %.1f ms (5 runs)\n", times[2],
              times[0], times[4]);
  Clean(win32, dir);
  return 0;
}
