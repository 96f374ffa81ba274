// Prints how many registry calls the start-up and refresh sequences and each page switch make,
// counted by a counting registry in front of the in-memory one. Under Wine every call is a round
// trip to the registry server (about 100-160 us), so this number is the start-up's registry cost.
#include <cstdio>
#include <string>

#include "main/main_window.h"
#include "platform/counting_registry.h"
#include "platform/host/memory_registry.h"
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

}  // namespace

int main() {
  using namespace vireo;
  platform::MemoryRegistry memory;
  platform::CountingRegistry counting(memory);
  platform::TempSystem system;
  platform::IniProfile profile;
  platform::RecordingShell shell;
  platform::ScriptedMessages messages;
  platform::RecordingChooser chooser;
  platform::OpenFileDialog open_file(chooser);
  platform::RecordingRegions regions;
  platform::TableStrings strings;
  platform::HostFiles files;
  platform::Platform services{counting,  system,  profile, shell, messages,
                              open_file, regions, strings, files};
  ui::headless::HeadlessToolkit toolkit;

  main::MainWindow window(services, toolkit);
  if (!window.Load()) return 1;
  window.Show();
  Print("start-up", counting);
  counting.Reset();
  window.Refresh();
  Print("refresh", counting);
  const char* const kPages[] = {"Control Panel", "Explorer", "Active Desktop", "Folders", "Files"};
  for (int p = 0; p < main::kPageCount; ++p) {
    counting.Reset();
    window.ShowPage(static_cast<main::PageId>(p));
    const std::string what = std::string("switch to ") + kPages[p];
    Print(what.c_str(), counting);
  }
  return 0;
}
