// The stand-ins' directories: a temporary folder with Windows, System and program directories and
// real files in it, the fixed Windows version, and the shell that records what it was asked to
// open and start and finds files there.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "platform/shell.h"
#include "platform/system.h"

namespace vireo::platform {

// Turns a Windows path of the stand-in directories into a path on the host: backslashes become
// slashes, and each component is matched without regard to letter case, as Windows does.
std::filesystem::path HostPath(const std::string& windows_path);

class TempSystem : public System {
 public:
  TempSystem();
  ~TempSystem() override;
  TempSystem(const TempSystem&) = delete;
  TempSystem& operator=(const TempSystem&) = delete;

  std::string WindowsDirectory() override { return windows_dir_; }
  std::string SystemDirectory() override { return system_dir_; }
  std::string ProgramDirectory() override { return program_dir_; }
  bool Version(OsVersion* version) override;
  void ExitNow(int code) override;

  OsVersion version;  // Windows 98 until a test says otherwise
  bool version_fails = false;
  bool exited = false;
  int exit_code = 0;

  // Moves the Windows directory to `windows` below the stand-in's folder and the System
  // directory to `system` inside it (names with a blank, say); both start empty.
  void PlaceDirectories(const std::string& windows, const std::string& system);
  // Writes a file below the stand-in directories (a Windows-style path).
  void WriteFile(const std::string& windows_path, const std::string& contents);
  std::string ReadFile(const std::string& windows_path) const;

 private:
  std::filesystem::path root_;
  std::string windows_dir_;
  std::string system_dir_;
  std::string program_dir_;
};

class RecordingShell : public Shell {
 public:
  struct Call {
    std::string what;  // "open" with its verb, or "start"
    std::string target;
    int show = 0;
  };
  bool Open(const std::string& verb, const std::string& target, int show) override;
  void Start(const std::string& command_line) override;
  bool FileExists(const std::string& path) override;
  std::vector<Call> calls;
  // What Open answers: false stands for a system where no program opens the target (Wine has
  // none for registry files).
  bool opens = true;
};

}  // namespace vireo::platform
