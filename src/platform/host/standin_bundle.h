// Every host stand-in of the platform in one place, for the programs that build the main window
// on stand-ins (benchmarks, the help generator, the fuzz targets). The registry is the caller's,
// and so may be the profile and the file operations (a journal in front of them, say).
#pragma once

#include "platform/host/standins.h"
#include "platform/host/table_strings.h"
#include "platform/platform.h"

namespace vireo::platform {

struct StandIns {
  TempSystem system;
  IniProfile profile;
  RecordingShell shell;
  ScriptedMessages messages;
  RecordingChooser chooser;
  OpenFileDialog open_file{chooser};
  RecordingRegions regions;
  TableStrings strings;
  HostFiles files;
  RecordingSession session;
  FixedMachine machine;
  ScriptedProcesses processes;
  ListedWindows top_windows;

  Platform Bundle(Registry& registry) { return Bundle(registry, profile, files); }
  Platform Bundle(Registry& registry, Profile& profile_to_use, Files& files_to_use) {
    return Platform{registry, system,       profile_to_use, shell,   messages,  open_file,  regions,
                    strings,  files_to_use, session,        machine, processes, top_windows};
  }
};

}  // namespace vireo::platform
