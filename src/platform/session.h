// The shell's own dialogs and the end of the Windows session: what the "Сервис" and "Справка"
// menus hand over to the system. Nothing any of them returns is read.
#pragma once

#include <cstdint>
#include <string>

#include "platform/dialogs.h"

namespace vireo::platform {

// Flags of the end of the session, as ExitWindowsEx takes them.
inline constexpr std::uint32_t kExitLogOff = 0;
inline constexpr std::uint32_t kExitShutDown = 1;
inline constexpr std::uint32_t kExitReboot = 2;
inline constexpr std::uint32_t kExitForce = 4;

class Session {
 public:
  virtual ~Session() = default;
  // The shell's Shut Down dialog (shell32 ordinal 60), without an owner.
  virtual void ShutDownDialog() = 0;
  // The shell's Run dialog (shell32 ordinal 61): no icon, no working directory, flags 0.
  virtual void RunDialog(OwnerHandle owner, const std::string& title,
                         const std::string& prompt) = 0;
  // The system's About box (ShellAboutA), without an icon.
  virtual void AboutWindows(OwnerHandle owner, const std::string& application,
                            const std::string& other) = 0;
  // Enables the shutdown privilege where the system has privileges, then ends the session
  // (ExitWindowsEx with `flags`).
  virtual void EndSession(std::uint32_t flags) = 0;
};

}  // namespace vireo::platform
