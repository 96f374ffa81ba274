// Prints how many registry calls the start-up and refresh sequences and each page switch make,
// counted by a counting registry in front of the in-memory one. Under Wine every call is a round
// trip to the registry server (about 100-160 us), so this number is the start-up's registry cost.
//
//   startup_calls [--fixture FILE]
//
// With --fixture the REGEDIT4 file FILE (the class registry of build/host/generated/classes.reg)
// is loaded into the in-memory registry first, and the start-up and refresh calls are also given
// per key of HKLM\Software\Classes and per extension key there, as are the New-menu list's own
// calls, made in idle time after the first paint and again after every refresh.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "main/files_page.h"
#include "main/main_window.h"
#include "platform/counting_registry.h"
#include "platform/host/memory_registry.h"
#include "platform/host/regedit4.h"
#include "platform/host/standin_bundle.h"
#include "platform/host/standins.h"
#include "platform/host/table_strings.h"
#include "ui/headless/headless.h"

namespace {

using vireo::platform::CountingRegistry;

void Print(const char* what, const CountingRegistry& counts) {
  static const char* const kNames[] = {"open",     "create",     "query",
                                       "set",      "delete key", "delete value",
                                       "enum key", "enum value", "close"};
  std::printf("%s: %zu registry calls (", what, counts.total());
  for (int op = 0; op < CountingRegistry::kOperationCount; ++op) {
    std::printf("%s%s %zu", op ? ", " : "", kNames[op],
                counts.count(static_cast<CountingRegistry::Operation>(op)));
  }
  std::printf(")\n");
}

// The keys below HKLM\Software\Classes and how many of them are extension keys.
struct ClassKeys {
  std::size_t all = 0;
  std::size_t extensions = 0;
};

ClassKeys CountClassKeys(vireo::platform::Registry& registry) {
  ClassKeys keys;
  vireo::platform::HKey classes = 0;
  if (registry.OpenKey(vireo::platform::kLocalMachine, "Software\\Classes", 1, &classes) != 0) {
    return keys;
  }
  std::string name;
  for (std::uint32_t i = 0; registry.EnumKey(classes, i, &name) == 0; ++i) {
    ++keys.all;
    if (!name.empty() && name[0] == '.') ++keys.extensions;
  }
  registry.CloseKey(classes);
  return keys;
}

void PerKey(const CountingRegistry& counts, const ClassKeys& keys) {
  if (keys.all == 0) return;
  std::printf("  %.3f calls per class key (%zu), %.3f per extension key (%zu)\n",
              double(counts.total()) / double(keys.all), keys.all,
              keys.extensions ? double(counts.total()) / double(keys.extensions) : 0.0,
              keys.extensions);
}

}  // namespace

int main(int argc, char** argv) {
  using namespace vireo;
  platform::MemoryRegistry memory;
  ClassKeys keys;
  if (argc == 3 && std::strcmp(argv[1], "--fixture") == 0) {
    std::ifstream in(argv[2], std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    std::string error;
    if (!in || !platform::LoadRegedit4(memory, text.str(), &error)) {
      std::fprintf(stderr, "startup_calls: cannot load %s: %s\n", argv[2], error.c_str());
      return 1;
    }
    keys = CountClassKeys(memory);
  } else if (argc != 1) {
    std::fprintf(stderr, "usage: startup_calls [--fixture FILE]\n");
    return 2;
  }
  platform::CountingRegistry counting(memory);
  platform::StandIns standins;
  platform::Platform services = standins.Bundle(counting);
  ui::headless::HeadlessToolkit toolkit;

  main::MainWindow window(services, toolkit);
  if (!window.Load()) return 1;
  window.Show();
  Print("start-up", counting);
  PerKey(counting, keys);
  // After the first paint, while the program is idle: the pages' windows, then the New-menu list.
  counting.Reset();
  toolkit.RunIdle();
  Print("idle after start-up (New-menu list)", counting);
  PerKey(counting, keys);
  counting.Reset();
  window.Refresh();
  Print("refresh", counting);
  PerKey(counting, keys);
  counting.Reset();
  toolkit.RunIdle();
  Print("idle after the refresh (New-menu list)", counting);
  const char* const kPages[] = {"Control Panel", "Explorer", "Active Desktop", "Folders", "Files"};
  for (int p = 0; p < main::kPageCount; ++p) {
    counting.Reset();
    window.ShowPage(static_cast<main::PageId>(p));
    const std::string what = std::string("switch to ") + kPages[p];
    Print(what.c_str(), counting);
  }
  counting.Reset();
  window.ShowPage(main::PageId::kFiles);
  Print("switch to Files again", counting);
  return 0;
}
