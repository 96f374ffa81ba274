// The stand-ins' file operations on real files below the temporary directories.
#pragma once

#include <filesystem>
#include <string>

#include "platform/file_swap.h"
#include "platform/files.h"
#include "platform/host/host_system.h"

namespace vireo::platform {

// The file operations on real files below the stand-in directories (Windows-style paths, as
// HostPath takes them), and the steps of a swap on them. A test can make them fail: `fail` makes
// every operation fail, `fail_after_bytes` makes Copy and Replace (and a swap's writes) stop with
// an error once that many bytes of the temporary file are written, as a full disk would, and
// `busy_renames` makes that many renames report the file held open.
class HostFiles : public Files, public SwapSteps {
 public:
  bool Read(const std::string& path, std::string* bytes) override;
  bool MakeDirectory(const std::string& path) override;
  bool Copy(const std::string& from, const std::string& to) override;
  bool Replace(const std::string& path, const std::string& bytes) override;
  bool Append(const std::string& path, const std::string& bytes) override;
  bool Remove(const std::string& path) override;
  bool IsDirectory(const std::string& path) override;

  bool Replaceable(const std::string& path) override;
  bool WriteNew(const std::string& path, const std::string& bytes) override;
  bool CopyNew(const std::string& from, const std::string& to) override;
  Move Rename(const std::string& from, const std::string& to) override;
  bool Delete(const std::string& path) override;
  bool Exists(const std::string& path) override;
  void Pause() override { ++pauses; }

  bool fail = false;
  long fail_after_bytes = -1;  // -1: never
  int busy_renames = 0;
  int calls = 0;  // operations asked for, failed ones included
  int pauses = 0;

 private:
  bool WriteAndRename(const std::filesystem::path& target, const std::string& bytes);
};

}  // namespace vireo::platform
