// The stand-in platform and the headless toolkit that window tests build their windows on.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "main/main_window.h"
#include "platform/counting_registry.h"
#include "platform/host/memory_registry.h"
#include "platform/host/standins.h"
#include "platform/host/table_strings.h"
#include "platform/platform.h"
#include "resource.h"
#include "service/journal.h"
#include "ui/headless/headless.h"

namespace vireo::test {

class Fixture : public ::testing::Test {
 protected:
  platform::MemoryRegistry memory;
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
  // The change journal records every change made through the bundle, as in the real program;
  // the counting registry sees only the program's own calls.
  service::Journal journal{memory, profile, files};
  platform::CountingRegistry counting{journal.registry()};
  platform::Platform platform{counting,  system,    journal.profile(), shell,           messages,
                              open_file, regions,   strings,           journal.files(), session,
                              machine,   processes, top_windows};
  ui::headless::HeadlessToolkit toolkit;

  // Calls that change the registry.
  std::size_t Writes() const {
    using Op = platform::CountingRegistry::Operation;
    return counting.count(Op::kCreate) + counting.count(Op::kSet) + counting.count(Op::kDeleteKey) +
           counting.count(Op::kDeleteValue);
  }
};

// The main window built on the fixture and started, with the widgets found by control id.
class MainWindowFixture : public Fixture {
 protected:
  void Start() {
    window = std::make_unique<main::MainWindow>(platform, toolkit, &journal);
    ASSERT_TRUE(window->Load());
    window->Show();
  }
  ui::headless::HWindow& Main() { return *toolkit.FindWindow("Vireo"); }
  template <class W>
  W& Get(int id) {
    W* widget = Main().Get<W>(id);
    EXPECT_NE(widget, nullptr) << "control " << id;
    return *widget;
  }
  void Refresh() { Main().Command(IDM_FILE_REFRESH); }
  // A stored value: a string's text, a 32-bit number as "#N", any other type as "type N: " and
  // its bytes as text; "<none>" when it is missing.
  std::string Stored(platform::HKey root, const std::string& key, const std::string& name) {
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
    if (!memory.Get(root, key, name, &type, &data)) return "<none>";
    const std::string text(data.begin(), data.end());
    if (type == platform::kRegSz) return text;
    if (type == platform::kRegDword && data.size() == 4) {
      std::int32_t number = 0;
      std::memcpy(&number, data.data(), 4);
      return "#" + std::to_string(number);
    }
    return "type " + std::to_string(type) + ": " + text;
  }

  std::unique_ptr<main::MainWindow> window;
};

}  // namespace vireo::test
