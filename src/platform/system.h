// Directories and facts about the running system.
#pragma once

#include <cstdint>
#include <string>

namespace vireo::platform {

// What GetVersionExA reports (the 148-byte structure).
struct OsVersion {
  std::uint32_t major = 0;
  std::uint32_t minor = 0;
  std::uint32_t build = 0;
  std::uint32_t platform_id = 0;  // 1: Windows 95/98/Me, 2: the NT family
  std::string csd;
};

inline constexpr std::uint32_t kPlatformWindows9x = 1;

class System {
 public:
  virtual ~System() = default;
  // The Windows and System directories, without a trailing backslash; empty when the query
  // fails.
  virtual std::string WindowsDirectory() = 0;
  virtual std::string SystemDirectory() = 0;
  // The directory that holds the program file, without a trailing backslash.
  virtual std::string ProgramDirectory() = 0;
  // False when the query itself fails.
  virtual bool Version(OsVersion* version) = 0;
  // Ends the program at once, without unloading any window. The real platform never returns
  // from it; a stand-in records the end and returns, so callers return right after calling it.
  virtual void ExitNow(int code) = 0;
};

// Private-profile files (control.ini).
class Profile {
 public:
  virtual ~Profile() = default;
  virtual std::string GetString(const std::string& section, const std::string& key,
                                const std::string& fallback, const std::string& file) = 0;
  virtual bool WriteString(const std::string& section, const std::string& key,
                           const std::string& value, const std::string& file) = 0;
  virtual bool DeleteKey(const std::string& section, const std::string& key,
                         const std::string& file) = 0;
};

}  // namespace vireo::platform
