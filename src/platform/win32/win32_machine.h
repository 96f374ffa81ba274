// The real machine facts, the Tool Help process list and the top-level windows.
#pragma once

#include <windows.h>

#include "platform/machine.h"
#include "platform/processes.h"

namespace vireo::platform {

class Win32Machine : public Machine {
 public:
  std::uint32_t TickCount() override;
  bool ComputerName(std::string* name) override;
  bool Processor(ProcessorInfo* info) override;
  bool Memory(MemoryStatus* status) override;
  std::vector<std::string> Environment() override;
  std::string DecimalSeparator() override;
  bool ProgramVersion(FileVersion* version) override;
};

// On Windows 9x the snapshot names each program file by its full path. Wine gives only the
// bare file name there; the path is then completed from the process's first module, or from
// the process's image name where the system offers it.
class Win32Processes : public Processes {
 public:
  bool Snapshot(std::vector<ProcessEntry>* processes) override;
  ProcessHandle Open(std::uint32_t process_id, std::uint32_t access, bool inherit) override;
  bool Terminate(ProcessHandle process, std::uint32_t exit_code) override;
  void Close(ProcessHandle process) override;
  void Sleep(int milliseconds) override;
};

class Win32TopWindows : public TopWindows {
 public:
  std::vector<TopWindow> List() override;
};

}  // namespace vireo::platform
