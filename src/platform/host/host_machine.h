// The stand-ins of the machine's facts, its processes and its top-level windows, which a test
// sets as it needs.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/machine.h"
#include "platform/processes.h"

namespace vireo::platform {

// Fixed machine facts that a test sets as it needs; each query can be made to fail.
class FixedMachine : public Machine {
 public:
  std::uint32_t TickCount() override {
    ++tick_reads;
    return tick_count;
  }
  bool ComputerName(std::string* name) override;
  bool Processor(ProcessorInfo* info) override;
  bool Memory(MemoryStatus* status) override;
  std::vector<std::string> Environment() override { return environment; }
  std::string DecimalSeparator() override { return decimal_separator; }
  bool ProgramVersion(FileVersion* version) override;

  std::uint32_t tick_count = 0;
  int tick_reads = 0;
  std::string computer_name = "TESTBOX";
  ProcessorInfo processor;
  MemoryStatus memory;
  int memory_reads = 0;
  std::vector<std::string> environment;
  std::string decimal_separator = ".";
  FileVersion version{1, 0, 0, 0};
  bool fails = false;  // every query but the tick count and the environment fails
};

// A process table that a test fills; ending a process removes it from the table. Records every
// handle opened and closed.
class ScriptedProcesses : public Processes {
 public:
  bool Snapshot(std::vector<ProcessEntry>* out) override;
  ProcessHandle Open(std::uint32_t process_id, std::uint32_t access, bool inherit) override;
  bool Terminate(ProcessHandle process, std::uint32_t exit_code) override;
  void Close(ProcessHandle process) override;
  void Sleep(int milliseconds) override { slept.push_back(milliseconds); }

  std::vector<ProcessEntry> processes;
  bool snapshot_fails = false;
  std::vector<std::uint32_t> unopenable;  // process ids that Open refuses
  // One line per call: "open <pid> <access> <inherit>", "terminate <pid> <code>", "close <pid>".
  std::vector<std::string> calls;
  std::vector<int> slept;
  int snapshots = 0;
  // Handles opened and not closed yet.
  int OpenHandles() const { return static_cast<int>(open_.size()); }

 private:
  std::map<ProcessHandle, std::uint32_t> open_;  // handle -> process id
  ProcessHandle next_ = 0x40;
};

class ListedWindows : public TopWindows {
 public:
  std::vector<TopWindow> List() override {
    ++lists;
    return windows;
  }
  std::vector<TopWindow> windows;
  int lists = 0;
};

}  // namespace vireo::platform
