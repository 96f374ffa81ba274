// The swap that replaces a file where MoveFileExA does not work (Windows 9x): every step failing
// in turn, and the swap stopped after every step as by a kill, from each state a swap can find.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "platform/file_swap.h"
#include "platform/host/faulty.h"
#include "platform/host/standins.h"

namespace vireo {
namespace {

// What is on disk: the target, its backup and its temporary file, each "old", "new", other bytes
// or "-" when missing, as "target|backup|temp".
struct World {
  platform::TempSystem system;
  platform::HostFiles files;
  platform::FaultPlan plan;
  platform::FaultySwapSteps steps{files, plan};
  const std::string target = system.ProgramDirectory() + "\\Setup.reg";
  const std::string paths[3] = {target, platform::SwapBackup(target),
                                platform::SwapTemporary(target)};

  std::string Now() {
    std::string now;
    for (const std::string& path : paths) {
      std::string bytes = "-";
      files.Read(path, &bytes);
      now += (now.empty() ? "" : "|") + bytes;
    }
    return now;
  }
  void Lay(const std::string& on_disk) {
    for (std::size_t from = 0, i = 0; i < 3; ++i) {
      const std::size_t bar = std::min(on_disk.find('|', from), on_disk.size());
      files.Delete(paths[i]);
      if (on_disk.substr(from, bar - from) != "-") {
        system.WriteFile(paths[i], on_disk.substr(from, bar - from));
      }
      from = bar + 1;
    }
    system.WriteFile(system.ProgramDirectory() + "\\source.reg", "new");
  }
  std::string Target() { return Now().substr(0, Now().find('|')); }
};

TEST(FileSwap, EveryStepFailingOrStoppedLeavesThePreviousFileOrTheNewOne) {
  // The states a swap can find: no file yet, the file, the file with the leftovers of a swap that
  // was stopped after the new file took its place, and the old file left moved aside by a swap
  // that was stopped in the middle; then what the target holds once that state is recovered.
  const struct {
    const char* on_disk;
    std::string previous;
  } kStarts[] = {
      {"-|-|-", "-"}, {"old|-|-", "old"}, {"old|stale|part", "old"}, {"-|old|part", "old"}};
  World w;
  for (const auto& start : kStarts) {
    for (const bool copy : {false, true}) {
      const auto run = [&] {
        return copy ? platform::SwapCopy(w.steps, w.system.ProgramDirectory() + "\\source.reg",
                                         w.target)
                    : platform::SwapReplace(w.steps, w.target, "new");
      };
      w.Lay(start.on_disk);
      w.plan.Arm(0, platform::kAccessDenied, false);
      ASSERT_TRUE(run()) << start.on_disk;
      EXPECT_EQ(w.Now(), "new|-|-");
      const long steps = w.plan.calls;
      for (long n = 1; n <= steps + 1; ++n) {
        for (const bool killed : {false, true}) {
          SCOPED_TRACE(std::string(start.on_disk) + (copy ? ", copy" : ", replace") + ", step " +
                       std::to_string(n) + (killed ? " stopped" : " failing"));
          w.Lay(start.on_disk);
          w.plan.Arm(n, platform::kAccessDenied, killed);
          const bool done = run();
          w.plan.Disarm();
          // Done, the new file is in place; failed, the swap undid itself, and the previous file
          // is back where it was found.
          if (done || (!killed && std::string(start.on_disk).rfind("-|old", 0) != 0)) {
            EXPECT_EQ(w.Target(), done ? "new" : start.previous);
          }
          // The start-up's recovery alone gives back a whole file...
          EXPECT_TRUE(platform::RecoverMovedAside(w.files, w.target));
          const std::string after = w.Target();
          if (done || !killed) {
            EXPECT_EQ(after, done ? "new" : start.previous);
          } else {
            EXPECT_TRUE(after == start.previous || after == "new") << after;
          }
          // ...and the next swap's recovery leaves nothing else.
          EXPECT_TRUE(platform::RecoverSwap(w.files, w.target));
          EXPECT_EQ(w.Now(), after + "|-|-");
        }
      }
    }
  }
}

TEST(FileSwap, WaitsForAFileHeldOpenAndRefusesReadOnlyOnesAndFolders) {
  const struct {
    const char* what;
    int busy;
    bool read_only;
    bool done;
  } kCases[] = {
      {"held for nine tries", platform::kBusyTries - 1, false, true},
      {"held all along", platform::kBusyTries, false, false},
      {"read-only", 0, true, false},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.what);
    World w;
    w.Lay("old|-|-");
    if (c.read_only) {
      std::filesystem::permissions(platform::HostPath(w.target),
                                   std::filesystem::perms::owner_write,
                                   std::filesystem::perm_options::remove);
    }
    w.files.busy_renames = c.busy;
    EXPECT_EQ(platform::SwapReplace(w.files, w.target, "new"), c.done);
    EXPECT_EQ(w.files.pauses, std::min(c.busy, platform::kBusyTries - 1));
    EXPECT_EQ(w.Now(), c.done ? "new|-|-" : "old|-|-");
  }
  World w;
  w.files.MakeDirectory(w.target);
  EXPECT_FALSE(platform::SwapReplace(w.files, w.target, "new"));
  EXPECT_TRUE(w.files.IsDirectory(w.target));
  EXPECT_EQ(w.Now().substr(w.Now().rfind('|')), "|-");
}

TEST(FileSwap, StartUpPutsBackOnlyAFileLeftMovedAside) {
  World w;
  const char* const kCases[][2] = {
      {"-|old|part", "old|-|-"}, {"new|old|part", "new|old|part"}, {"old|-|part", "old|-|part"}};
  for (const auto& c : kCases) {
    w.Lay(c[0]);
    EXPECT_TRUE(platform::RecoverMovedAside(w.files, w.target));
    EXPECT_EQ(w.Now(), c[1]);
  }
}

}  // namespace
}  // namespace vireo
