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

constexpr char kMissing[] = "<missing>";
constexpr char kOld[] = "REGEDIT4\r\n\r\n[old]\r\n";
constexpr char kNew[] = "REGEDIT4\r\n\r\n[new]\r\n\"x\"=\"y\"\r\n";

// The target, its backup and its temporary file on the host, each given or kMissing.
struct OnDisk {
  std::string target;
  std::string backup;
  std::string temp;
  bool operator==(const OnDisk&) const = default;
};

void PrintTo(const OnDisk& f, std::ostream* out) {
  *out << "{" << f.target << " | " << f.backup << " | " << f.temp << "}";
}

struct World {
  platform::TempSystem system;
  platform::HostFiles files;
  platform::FaultPlan plan;
  platform::FaultySwapSteps steps{files, plan};
  const std::string target = system.ProgramDirectory() + "\\Setup.reg";
  const std::string source = system.ProgramDirectory() + "\\source.reg";

  std::string Get(const std::string& path) {
    std::string bytes = kMissing;
    files.Read(path, &bytes);
    return bytes;
  }
  void Put(const std::string& path, const std::string& bytes) {
    files.Delete(path);
    if (bytes != kMissing) system.WriteFile(path, bytes);
  }
  void Lay(const OnDisk& f) {
    Put(target, f.target);
    Put(platform::SwapBackup(target), f.backup);
    Put(platform::SwapTemporary(target), f.temp);
    Put(source, kNew);
  }
  OnDisk Now() {
    return {Get(target), Get(platform::SwapBackup(target)), Get(platform::SwapTemporary(target))};
  }
  bool Run(bool copy) {
    return copy ? platform::SwapCopy(steps, source, target)
                : platform::SwapReplace(steps, target, kNew);
  }
};

// The states a swap can find: no file yet, the file, the file with the leftovers of a swap that
// was stopped after the new file took its place, and the old file left moved aside by a swap that
// was stopped in the middle. `previous` is what the target holds once that state is recovered.
const struct Start {
  const char* what;
  OnDisk files;
  std::string previous;
} kStarts[] = {
    {"no file", {kMissing, kMissing, kMissing}, kMissing},
    {"the file", {kOld, kMissing, kMissing}, kOld},
    {"the file with leftovers", {kOld, "stale", "part"}, kOld},
    {"the file moved aside", {kMissing, kOld, "part"}, kOld},
};

TEST(FileSwap, EveryStepFailingOrStoppedLeavesThePreviousFileOrTheNewOne) {
  World w;
  for (const Start& start : kStarts) {
    for (const bool copy : {false, true}) {
      w.Lay(start.files);
      w.plan.Arm(0, platform::kAccessDenied, false);
      ASSERT_TRUE(w.Run(copy)) << start.what;
      EXPECT_EQ(w.Now(), (OnDisk{kNew, kMissing, kMissing}));
      const long steps = w.plan.calls;
      for (long n = 1; n <= steps + 1; ++n) {
        for (const bool killed : {false, true}) {
          SCOPED_TRACE(std::string(start.what) + (copy ? ", copy" : ", replace") + ", step " +
                       std::to_string(n) + (killed ? " stopped" : " failing"));
          w.Lay(start.files);
          w.plan.Arm(n, platform::kAccessDenied, killed);
          const bool done = w.Run(copy);
          w.plan.Disarm();
          // Done, the new file is in place; failed, the swap undid itself, and the previous file
          // is back where it was found.
          const bool found_aside = start.files.target == kMissing && start.files.backup != kMissing;
          if (done || (!killed && !found_aside)) {
            EXPECT_EQ(w.Now().target, done ? kNew : start.previous);
          }
          // The start-up's recovery alone gives back a whole file...
          EXPECT_TRUE(platform::RecoverMovedAside(w.files, w.target));
          const std::string after = w.Now().target;
          if (done) {
            EXPECT_EQ(after, kNew);
          } else if (!killed) {
            EXPECT_EQ(after, start.previous);
          } else {
            EXPECT_TRUE(after == start.previous || after == kNew) << after;
          }
          // ...and the next swap's recovery leaves nothing else.
          EXPECT_TRUE(platform::RecoverSwap(w.files, w.target));
          EXPECT_EQ(w.Now(), (OnDisk{after, kMissing, kMissing}));
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
    w.Lay({kOld, kMissing, kMissing});
    if (c.read_only) {
      std::filesystem::permissions(platform::HostPath(w.target),
                                   std::filesystem::perms::owner_write,
                                   std::filesystem::perm_options::remove);
    }
    w.files.busy_renames = c.busy;
    EXPECT_EQ(platform::SwapReplace(w.files, w.target, kNew), c.done);
    EXPECT_EQ(w.files.pauses, std::min(c.busy, platform::kBusyTries - 1));
    EXPECT_EQ(w.Now(), (OnDisk{c.done ? kNew : kOld, kMissing, kMissing}));
  }
  World w;
  w.files.MakeDirectory(w.target);
  EXPECT_FALSE(platform::SwapReplace(w.files, w.target, kNew));
  EXPECT_TRUE(w.files.IsDirectory(w.target));
  EXPECT_EQ(w.Now().temp, kMissing);
}

TEST(FileSwap, StartUpPutsBackOnlyAFileLeftMovedAside) {
  const struct {
    OnDisk before;
    OnDisk after;
  } kCases[] = {
      {{kMissing, kOld, "part"}, {kOld, kMissing, kMissing}},
      {{kNew, kOld, "part"}, {kNew, kOld, "part"}},
      {{kOld, kMissing, "part"}, {kOld, kMissing, "part"}},
  };
  World w;
  for (const auto& c : kCases) {
    w.Lay(c.before);
    EXPECT_TRUE(platform::RecoverMovedAside(w.files, w.target));
    EXPECT_EQ(w.Now(), c.after);
  }
}

}  // namespace
}  // namespace vireo
