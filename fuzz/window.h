// The main window on the stand-in platform and the headless toolkit, built once for a fuzz
// target's whole run: building it for every input would leave little time for the inputs.
#pragma once

#include <memory>

#include "main/main_window.h"
#include "platform/counting_registry.h"
#include "platform/host/memory_registry.h"
#include "platform/host/standins.h"
#include "platform/host/table_strings.h"
#include "platform/platform.h"
#include "ui/headless/headless.h"

namespace vireo::fuzz {

struct Window {
  platform::MemoryRegistry memory;
  platform::CountingRegistry counting{memory};
  platform::TempSystem system;
  platform::IniProfile profile;
  platform::RecordingShell shell;
  platform::ScriptedMessages messages;
  platform::RecordingChooser chooser;
  platform::OpenFileDialog open_file{chooser};
  platform::RecordingRegions regions;
  platform::TableStrings strings;
  platform::HostFiles files;
  platform::RecordingSession session;
  platform::FixedMachine machine;
  platform::ScriptedProcesses processes;
  platform::ListedWindows top_windows;
  platform::Platform platform{counting, system, profile, shell,   messages,  open_file,  regions,
                              strings,  files,  session, machine, processes, top_windows};
  ui::headless::HeadlessToolkit toolkit;
  std::unique_ptr<main::MainWindow> main;

  Window() {
    main = std::make_unique<main::MainWindow>(platform, toolkit);
    if (!main->Load()) std::abort();
    main->Show();
  }

  // Calls that change the registry.
  std::size_t Writes() const {
    using Op = platform::CountingRegistry::Operation;
    return counting.count(Op::kCreate) + counting.count(Op::kSet) + counting.count(Op::kDeleteKey) +
           counting.count(Op::kDeleteValue);
  }
};

}  // namespace vireo::fuzz
