// The stand-in platform and the headless toolkit that window tests build their windows on.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "main/main_window.h"
#include "platform/counting_registry.h"
#include "platform/host/memory_registry.h"
#include "platform/host/standin_bundle.h"
#include "platform/platform.h"
#include "resource.h"
#include "service/journal.h"
#include "ui/headless/headless.h"

namespace vireo {

// The names nearly every window test uses.
using platform::kClassesRoot;
using platform::kCurrentUser;
using platform::kLocalMachine;
using ui::headless::HButton;
using ui::headless::HCheckBox;
using ui::headless::HCheckList;
using ui::headless::HDropDown;
using ui::headless::HLabel;
using ui::headless::HPicture;
using ui::headless::HScrollBar;
using ui::headless::HTextBox;
using ui::headless::HWindow;

namespace test {

// A list's items in order, and a check list's rows as 'x' (ticked) and '.'.
template <class List>
std::vector<std::string> Items(List& list) {
  std::vector<std::string> items;
  for (int i = 0; i < list.Count(); ++i) items.push_back(list.Item(i));
  return items;
}
inline std::string Ticks(HCheckList& list) {
  std::string ticks;
  for (int i = 0; i < list.Count(); ++i) ticks += list.ItemChecked(i) ? 'x' : '.';
  return ticks;
}

// A stored value: a string's text, a 32-bit number as "#N", any other type as "type N: " and its
// bytes as text; "<none>" when it is missing.
inline std::string Stored(platform::MemoryRegistry& memory, platform::HKey root,
                          const std::string& key, const std::string& name) {
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

// The stand-ins are a base, so that every test names them as its own members.
class Fixture : public ::testing::Test, protected platform::StandIns {
 protected:
  platform::MemoryRegistry memory;
  // The change journal records every change made through the bundle, as in the real program;
  // the counting registry sees only the program's own calls.
  service::Journal journal{memory, profile, files};
  platform::CountingRegistry counting{journal.registry()};
  platform::Platform platform = Bundle(counting, journal.profile(), journal.files());
  ui::headless::HeadlessToolkit toolkit;

  // Calls that change the registry.
  std::size_t Writes() const {
    using Op = platform::CountingRegistry::Operation;
    return counting.count(Op::kCreate) + counting.count(Op::kSet) + counting.count(Op::kDeleteKey) +
           counting.count(Op::kDeleteValue);
  }
  // What the shell was asked to do, one line a call: what, target and how shown, between bars.
  std::vector<std::string> ShellCalls() {
    std::vector<std::string> lines;
    for (const auto& call : shell.calls) {
      lines.push_back(call.what + "|" + call.target + "|" + std::to_string(call.show));
    }
    return lines;
  }
  std::string Stored(platform::HKey root, const std::string& key, const std::string& name) {
    return test::Stored(memory, root, key, name);
  }
};

// The main window built on the fixture and started, with the widgets found by control id.
class MainWindowFixture : public Fixture {
 protected:
  void Start() {
    window = std::make_unique<main::MainWindow>(platform, toolkit, &journal);
    ASSERT_TRUE(window->Load());
    window->Show();
    Settle();
  }
  // The program waits for the user: its idle work (the pages' windows, the New-menu list) is done.
  void Settle() { toolkit.RunIdle(); }
  ui::headless::HWindow& Main() { return *toolkit.FindWindow("Vireo"); }
  template <class W>
  W& Get(int id) {
    W* widget = Main().Get<W>(id);
    EXPECT_NE(widget, nullptr) << "control " << id;
    return *widget;
  }
  void Refresh() {
    Main().Command(IDM_FILE_REFRESH);
    Settle();
  }
  std::unique_ptr<main::MainWindow> window;
};

}  // namespace test
}  // namespace vireo
