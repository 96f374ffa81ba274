// Faults the injected-failure runs found, each on its own: the export that dropped a value it could
// not read, the registry operations that reported a close's failure after the work was done. The
// New-menu editor that lost an entry is in faults_test.cpp, on its world.
#include <gtest/gtest.h>

#include <string>

#include "platform/host/faulty.h"
#include "platform/host/memory_registry.h"
#include "registry/reg_access.h"
#include "service/setup_export.h"

namespace vireo {
namespace {

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

}  // namespace
}  // namespace vireo
