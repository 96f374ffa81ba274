#include "platform/file_swap.h"

#include <functional>

namespace vireo::platform {
namespace {

// Renames `from` to `to`, trying again while another program holds the file open.
bool Move(SwapSteps& steps, const std::string& from, const std::string& to) {
  for (int attempt = 1;; ++attempt) {
    const SwapSteps::Move result = steps.Rename(from, to);
    if (result != SwapSteps::Move::kBusy) return result == SwapSteps::Move::kDone;
    if (attempt == kBusyTries) return false;
    steps.Pause();
  }
}

// The swap itself, with `make` writing the new contents into the temporary file. The old file
// leaves its name only once the new one is complete on disk, and each rename fails rather than
// overwrite: a step that finds something unexpected fails instead of destroying it.
bool Swap(SwapSteps& steps, const std::string& target,
          const std::function<bool(const std::string&)>& make) {
  if (!RecoverSwap(steps, target) || !steps.Replaceable(target)) return false;
  const std::string temp = SwapTemporary(target);
  if (!make(temp)) {
    steps.Delete(temp);
    return false;
  }
  if (!steps.Exists(target)) {
    if (Move(steps, temp, target)) return true;
    steps.Delete(temp);
    return false;
  }
  const std::string backup = SwapBackup(target);
  if (!Move(steps, target, backup)) {
    steps.Delete(temp);
    return false;
  }
  if (!Move(steps, temp, target)) {
    // When this fails too, the old file stays under the backup name until the next recovery.
    Move(steps, backup, target);
    steps.Delete(temp);
    return false;
  }
  // The new file is in place; a backup that cannot be deleted now goes at the next recovery.
  steps.Delete(backup);
  return true;
}

}  // namespace

std::string SwapTemporary(const std::string& target) {
  return target + ".vir-new";
}

std::string SwapBackup(const std::string& target) {
  return target + ".vir-old";
}

bool SwapReplace(SwapSteps& steps, const std::string& target, const std::string& bytes) {
  return Swap(steps, target, [&](const std::string& temp) { return steps.WriteNew(temp, bytes); });
}

bool SwapCopy(SwapSteps& steps, const std::string& from, const std::string& target) {
  return Swap(steps, target, [&](const std::string& temp) { return steps.CopyNew(from, temp); });
}

bool RecoverSwap(SwapSteps& steps, const std::string& target) {
  const std::string backup = SwapBackup(target);
  bool ok = true;
  if (steps.Exists(backup)) {
    ok = steps.Exists(target) ? steps.Delete(backup) : Move(steps, backup, target);
  }
  return steps.Delete(SwapTemporary(target)) && ok;
}

bool RecoverMovedAside(SwapSteps& steps, const std::string& target) {
  if (!steps.Exists(SwapBackup(target)) || steps.Exists(target)) return true;
  return RecoverSwap(steps, target);
}

}  // namespace vireo::platform
