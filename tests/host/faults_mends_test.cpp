// The faults the injected-failure runs found, each on its own: the export that dropped a value
// it could not read, the registry operations that reported a close's failure after the work was
// done, the New-menu editor that lost an entry whose new value could not be stored.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "faults_world.h"
#include "registry/reg_access.h"
#include "service/setup_export.h"

namespace vireo {
namespace {

using namespace test;

// The number of the first call named `call` that `act` makes in a fresh world after `prepare`.
long FirstCall(const Operation& op, const std::string& call) {
  World w;
  op.prepare(w);
  w.plan.Arm(0, 0, false);
  op.act(w);
  const auto it = std::find(w.plan.log.begin(), w.plan.log.end(), call);
  return it == w.plan.log.end() ? 0 : static_cast<long>(it - w.plan.log.begin()) + 1;
}

TEST(InjectedFailureMends, AValueThatCannotBeReadFailsTheExportAndAMissingOneDoesNot) {
  platform::MemoryRegistry memory;
  memory.PutText(platform::kCurrentUser, "Software\\A", "x", "1");
  platform::FaultPlan plan;
  platform::FaultyRegistry registry(memory, plan);
  const std::string list = "HKCU\\Software\\A\\x\r\nHKCU\\Software\\B\\y\r\n";
  std::string text = "previous";
  int error = 0;
  for (const std::int32_t status : {platform::kAccessDenied, platform::kMoreData}) {
    plan.Arm(2, status, true);  // the queries of the first line
    EXPECT_FALSE(service::ExportText(registry, list, &text, &error));
    EXPECT_EQ(error, service::kValueUnreadable);
    EXPECT_EQ(text, "previous");
  }
  plan.Arm(2, platform::kFileNotFound, false);
  ASSERT_TRUE(service::ExportText(registry, list, &text, &error));
  EXPECT_EQ(text.find("\"x\"="), std::string::npos);
  EXPECT_NE(text.find("[HKEY_CURRENT_USER\\Software\\B]"), std::string::npos);
  EXPECT_EQ(memory.open_handles(), 0u);
}

TEST(InjectedFailureMends, AKeyThatReportsItsCloseFailedStillReadsAndWrites) {
  platform::MemoryRegistry memory;
  platform::FaultPlan plan;
  platform::FaultyRegistry registry(memory, plan);
  plan.Arm(3, platform::kInvalidHandle, false);  // create, set, close
  EXPECT_EQ(registry::RegWrite(registry, "HKCU\\Software\\A\\x", registry::RegValue::Text("v"),
                               registry::ValueType::kString),
            platform::kSuccess);
  registry::RegValue value;
  plan.Arm(3, platform::kInvalidHandle, false);  // open, query, close
  EXPECT_EQ(registry::RegRead(registry, "HKCU\\Software\\A\\x", &value), platform::kSuccess);
  EXPECT_EQ(value.text(), "v");
  plan.Arm(3, platform::kInvalidHandle, false);
  EXPECT_EQ(registry::RegDelete(registry, "HKCU\\Software\\A\\x"), platform::kSuccess);
  EXPECT_EQ(memory.open_handles(), 0u);
}

TEST(InjectedFailureMends, AnEntryWhoseNewValueCannotBeWrittenKeepsItsOldOne) {
  // ".txt" holds NullFile and Command; made "Пустой" it keeps only NullFile. "Создать командой:"
  // failing to store its command must not leave the entry without both.
  const Operation op = Editor("made a command", true, [](HWindow& e) {
    e.Get<HOptionButton>(IDC_NEW_ENTRY_KIND_FIRST + 4)->Click();
    e.Get<HTextBox>(IDC_NEW_ENTRY_COMMAND)->Replace("wordpad.exe");
  });
  const long set = FirstCall(op, "SetValue");
  ASSERT_GT(set, 0);
  World w;
  op.prepare(w);
  w.plan.Arm(set, platform::kAccessDenied, false);
  op.act(w);
  w.toolkit.RunIdle();
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;
  EXPECT_TRUE(w.memory.Get(platform::kClassesRoot, ".txt\\ShellNew", "NullFile", &type, &data));
  ASSERT_TRUE(w.memory.Get(platform::kClassesRoot, ".txt\\ShellNew", "Command", &type, &data));
  EXPECT_EQ(std::string(data.begin(), data.end()), "notepad.exe");
  EXPECT_EQ(w.Main().Get<HDropDown>(IDC_NEW_MENU_LIST)->Item(0), "<Unknown> (.txt)");
}
}  // namespace
}  // namespace vireo
