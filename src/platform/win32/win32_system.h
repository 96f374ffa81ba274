// The real system services: directories, version, profile files, shell, message boxes, the
// open-file dialog and window regions, each a thin layer over the "A" calls of Windows 9x.
#pragma once

#include <windows.h>

#include "platform/dialogs.h"
#include "platform/regions.h"
#include "platform/session.h"
#include "platform/shell.h"
#include "platform/system.h"

namespace vireo::platform {

class Win32System : public System {
 public:
  std::string WindowsDirectory() override;
  std::string SystemDirectory() override;
  std::string ProgramDirectory() override;
  bool Version(OsVersion* version) override;
  void ExitNow(int code) override;
};

class Win32Profile : public Profile {
 public:
  std::string GetString(const std::string& section, const std::string& key,
                        const std::string& fallback, const std::string& file) override;
  bool WriteString(const std::string& section, const std::string& key, const std::string& value,
                   const std::string& file) override;
  bool DeleteKey(const std::string& section, const std::string& key,
                 const std::string& file) override;
};

class Win32Shell : public Shell {
 public:
  bool Open(const std::string& verb, const std::string& target, int show) override;
  void Start(const std::string& command_line) override;
  bool FileExists(const std::string& path) override;
};

// The shell's dialogs are found by ordinal in shell32 when first asked for: they have no names
// there on Windows 9x.
// Whether GetVersionExA reports Windows 95, 98 or Me (VER_PLATFORM_WIN32_WINDOWS): asked once at
// start-up, and the adapters that differ between the two families are told.
bool RunsOnWindows9x();

class Win32Session : public Session {
 public:
  // On Windows 9x the session ends without the shutdown privilege: the system has none, and its
  // token functions are stubs that only fail.
  explicit Win32Session(bool windows_9x) : windows_9x_(windows_9x) {}
  void ShutDownDialog() override;
  void RunDialog(OwnerHandle owner, const std::string& title, const std::string& prompt) override;
  void AboutWindows(OwnerHandle owner, const std::string& application,
                    const std::string& other) override;
  void EndSession(std::uint32_t flags) override;

 private:
  bool windows_9x_;
};

class Win32MessageBoxes : public MessageBoxes {
 public:
  Answer Show(OwnerHandle owner, const std::string& text, const std::string& title,
              MessageStyle style) override;
};

class Win32FileChooser : public FileChooser {
 public:
  explicit Win32FileChooser(HINSTANCE instance) : instance_(instance) {}
  std::string ChooseFileToOpen(OwnerHandle owner, const std::string& filter_list,
                               const std::string& title) override;
  std::string ChooseFileToSave(OwnerHandle owner, const std::string& filter_list,
                               const std::string& title, const std::string& extension) override;

 private:
  HINSTANCE instance_;
};

class Win32Regions : public Regions {
 public:
  RegionHandle CreateRoundRect(int left, int top, int right, int bottom, int ellipse_w,
                               int ellipse_h) override;
  bool CombineUnion(RegionHandle dest, RegionHandle a, RegionHandle b) override;
  bool SetWindowRegion(std::uintptr_t window, RegionHandle region, bool redraw) override;
  void Delete(RegionHandle region) override;
};

}  // namespace vireo::platform
