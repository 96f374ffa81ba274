// The file operations over the "A" calls. How a file is replaced is chosen once, when the adapter
// is made:
//   - kMoveOver (the NT family): the new contents go to a temporary file beside the target, which
//     MoveFileExA then moves over it;
//   - kSwap (Windows 95, 98 and Me, which export MoveFileExA without implementing it): the swap of
//     platform/file_swap.h, renames that never overwrite and a backup that recovery finds by its
//     name. This way never calls MoveFileExA.
#pragma once

#include "platform/files.h"

namespace vireo::platform {

class Win32Files : public Files {
 public:
  enum class Way { kMoveOver, kSwap };
  explicit Win32Files(Way way) : way_(way) {}

  bool Read(const std::string& path, std::string* bytes) override;
  bool MakeDirectory(const std::string& path) override;
  bool Copy(const std::string& from, const std::string& to) override;
  bool Replace(const std::string& path, const std::string& bytes) override;
  bool Append(const std::string& path, const std::string& bytes) override;
  bool Remove(const std::string& path) override;
  bool IsDirectory(const std::string& path) override;

  // Puts `path` back when a swap that was stopped left it moved aside (RecoverMovedAside);
  // changes nothing otherwise. For the program's own files at start-up, whatever the way.
  bool RecoverMovedAside(const std::string& path);

 private:
  Way way_;
};

}  // namespace vireo::platform
