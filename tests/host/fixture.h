// The stand-in platform and the headless toolkit that window tests build their windows on.
#pragma once

#include <gtest/gtest.h>

#include "platform/counting_registry.h"
#include "platform/host/memory_registry.h"
#include "platform/host/standins.h"
#include "platform/host/table_strings.h"
#include "platform/platform.h"
#include "ui/headless/headless.h"

namespace vireo::test {

class Fixture : public ::testing::Test {
 protected:
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
  platform::Platform platform{counting, system,    profile, shell,
                              messages, open_file, regions, strings};
  ui::headless::HeadlessToolkit toolkit;

  // Calls that change the registry.
  std::size_t Writes() const {
    using Op = platform::CountingRegistry::Operation;
    return counting.count(Op::kCreate) + counting.count(Op::kSet) + counting.count(Op::kDeleteKey) +
           counting.count(Op::kDeleteValue);
  }
};

}  // namespace vireo::test
