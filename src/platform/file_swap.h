// Replacing a file where the system cannot move one file over another: Windows 95, 98 and Me
// export MoveFileExA but do not implement it. The swap writes the new contents to a temporary file
// beside the target, renames the old file to its backup name, renames the temporary file to the
// target's name and deletes the backup. Both names are made from the target's ("Setup.reg" gives
// "Setup.reg.vir-new" and "Setup.reg.vir-old"), so that what an interrupted swap left behind can be
// found again and put right: a swap of a target first recovers that target, and the program
// recovers its own files at start-up. Once recovered, the target is always either the previous
// file or the complete new one, whatever moment the program was stopped at.
//
// Recovery of a target:
//   - its backup without the target: the swap stopped with the old file moved aside; the backup
//     is renamed back;
//   - its backup beside the target: the swap stopped after the new file took its place; the
//     backup is deleted;
//   - its temporary file: written in part or never moved in; deleted.
#pragma once

#include <string>

namespace vireo::platform {

// The steps a swap is made of, each one call to the file system.
class SwapSteps {
 public:
  enum class Move { kDone, kBusy, kFailed };

  virtual ~SwapSteps() = default;
  // False for a directory and for a file marked read-only, which are never replaced.
  virtual bool Replaceable(const std::string& path) = 0;
  // Writes `bytes` as the whole contents of the new file `path`, flushed, and closes it. False
  // when `path` exists already or the write fails; part of the file may then be left.
  virtual bool WriteNew(const std::string& path, const std::string& bytes) = 0;
  // Copies the file `from` to the new file `to`, on the same terms.
  virtual bool CopyNew(const std::string& from, const std::string& to) = 0;
  // Renames the file `from` to `to`; fails when `to` exists. kBusy: another program holds `from`
  // open at the moment.
  virtual Move Rename(const std::string& from, const std::string& to) = 0;
  // Deletes the file `path`. True when it is not there afterwards.
  virtual bool Delete(const std::string& path) = 0;
  virtual bool Exists(const std::string& path) = 0;
  // Waits before a file held open is tried again.
  virtual void Pause() = 0;
};

// A file held open for a moment (a virus scanner, an indexer, an editor reading it) is tried this
// many times in all, a pause apart, before its rename counts as failed.
inline constexpr int kBusyTries = 10;

std::string SwapTemporary(const std::string& target);
std::string SwapBackup(const std::string& target);

// Makes `bytes` the whole contents of `target`, creating or replacing it; Copy takes the contents
// of the file `from`. False when that failed: `target` then holds what it held before, or, when
// even putting the old file back failed, is restored by the next recovery.
bool SwapReplace(SwapSteps& steps, const std::string& target, const std::string& bytes);
bool SwapCopy(SwapSteps& steps, const std::string& from, const std::string& target);

// Puts right what an interrupted swap of `target` left (see above). False when a step failed.
bool RecoverSwap(SwapSteps& steps, const std::string& target);

// The start-up's part of recovery, which otherwise only reads: recovers `target` only when the
// old file was left moved aside (its backup is there and it is not), and does nothing else.
bool RecoverMovedAside(SwapSteps& steps, const std::string& target);

}  // namespace vireo::platform
