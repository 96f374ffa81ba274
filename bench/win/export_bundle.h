// The platform that the program's export runs on outside the program: the real registry (the
// caller's, perhaps counted), files replaced by the swap as on Windows 98 and the caller's shell,
// with the program directory a folder of the caller's and the messages answered from a script.
// Shared by the export's benchmark and the Wine round trip (tests/wine/setupexport.cpp).
#pragma once

#include <span>
#include <string>

#include "platform/host/standins.h"
#include "platform/host/table_strings.h"
#include "platform/platform.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_system.h"

namespace vireo::bench {

namespace platform = vireo::platform;

struct ExportBundle {
  struct System : platform::Win32System {
    explicit System(std::string dir) : directory(std::move(dir)) {}
    std::string ProgramDirectory() override { return directory; }
    std::string directory;
  };
  ExportBundle(const std::string& dir, platform::Registry& registry, platform::Shell& shell)
      : system(dir), platform{registry, system, profile, shell,   messages,  open_file,  regions,
                              strings,  files,  session, machine, processes, top_windows} {}
  System system;
  platform::Win32Profile profile;
  platform::ScriptedMessages messages;
  platform::RecordingChooser chooser;
  platform::OpenFileDialog open_file{chooser};
  platform::RecordingRegions regions;
  platform::TableStrings strings{std::span<const vireo::catalogue::CatalogueEntry>()};
  platform::Win32Files files{platform::Win32Files::Way::kSwap};
  platform::RecordingSession session;
  platform::FixedMachine machine;
  platform::ScriptedProcesses processes;
  platform::ListedWindows top_windows;
  platform::Platform platform;
};

}  // namespace vireo::bench
