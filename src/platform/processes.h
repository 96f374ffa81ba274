// The running processes (Tool Help) and the means to end one.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vireo::platform {

// One record of a process snapshot (PROCESSENTRY32), with the full path of its program file.
struct ProcessEntry {
  std::uint32_t usage = 0;
  std::uint32_t process_id = 0;
  std::uint64_t default_heap_id = 0;
  std::uint32_t module_id = 0;
  std::uint32_t threads = 0;
  std::uint32_t parent_process_id = 0;
  std::int32_t priority = 0;
  std::uint32_t flags = 0;
  std::string exe_file;
};

using ProcessHandle = std::uintptr_t;

inline constexpr std::uint32_t kProcessAllAccess = 0x1F0FFF;

class Processes {
 public:
  virtual ~Processes() = default;
  // Every running process in the order of the snapshot; false when no snapshot could be taken.
  // A snapshot that lists nothing is a snapshot too: true with an empty list.
  virtual bool Snapshot(std::vector<ProcessEntry>* processes) = 0;
  // OpenProcess; 0 when the process cannot be opened.
  virtual ProcessHandle Open(std::uint32_t process_id, std::uint32_t access, bool inherit) = 0;
  virtual bool Terminate(ProcessHandle process, std::uint32_t exit_code) = 0;
  virtual void Close(ProcessHandle process) = 0;
  virtual void Sleep(int milliseconds) = 0;
};

// One top-level window of the desktop, as EnumWindows and GetWindowTextA give it.
struct TopWindow {
  std::uint64_t handle = 0;
  std::string title;  // empty for an untitled window
};

class TopWindows {
 public:
  virtual ~TopWindows() = default;
  // Every top-level window, front to back, with its title (at most 512 characters).
  virtual std::vector<TopWindow> List() = 0;
};

}  // namespace vireo::platform
