// The shell: open a document or folder, start a command line, test for a file.
#pragma once

#include <string>

namespace vireo::platform {

inline constexpr int kShowHidden = 0;
inline constexpr int kShowNormal = 1;

class Shell {
 public:
  virtual ~Shell() = default;
  // ShellExecuteA(no owner, verb, target, "", "", show). False when the shell could not open the
  // target (no handler is registered for it, for one); most callers never look.
  virtual bool Open(const std::string& verb, const std::string& target, int show) = 0;
  // Starts a command line in a normal window that gets the focus; never waits.
  virtual void Start(const std::string& command_line) = 0;
  // True when the file exists; names compare without regard to letter case.
  virtual bool FileExists(const std::string& path) = 0;
};

}  // namespace vireo::platform
