// Facts about the running machine that the system information and About windows show: the
// running time, the computer name, the processor, the memory, the environment, the user's
// decimal separator and the program's own version.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vireo::platform {

// What GetSystemInfo reports.
struct ProcessorInfo {
  std::uint32_t processor_type = 0;
  std::uint64_t active_mask = 0;
  std::uint32_t processors = 0;
  std::uint32_t allocation_granularity = 0;
  std::uint32_t oem_id = 0;  // the whole field that begins with the processor architecture
  std::uint32_t page_size = 0;
  std::uint64_t max_application_address = 0;
  std::uint64_t min_application_address = 0;
};

// What GlobalMemoryStatus reports, in bytes.
struct MemoryStatus {
  std::uint64_t total_physical = 0;
  std::uint64_t available_physical = 0;
  std::uint64_t total_page_file = 0;
  std::uint64_t available_page_file = 0;
  std::uint64_t total_virtual = 0;
  std::uint64_t available_virtual = 0;
};

// The fixed file version of the program's version resource.
struct FileVersion {
  std::uint32_t major = 0;
  std::uint32_t minor = 0;
  std::uint32_t patch = 0;
  std::uint32_t build = 0;
};

class Machine {
 public:
  virtual ~Machine() = default;
  // Milliseconds since the system started (GetTickCount); wraps after 49.7 days.
  virtual std::uint32_t TickCount() = 0;
  // False when the query fails.
  virtual bool ComputerName(std::string* name) = 0;
  virtual bool Processor(ProcessorInfo* info) = 0;
  virtual bool Memory(MemoryStatus* status) = 0;
  // The entries of the process environment ("name=value"), in their order.
  virtual std::vector<std::string> Environment() = 0;
  // The character the user's number format puts before the decimals.
  virtual std::string DecimalSeparator() = 0;
  // False when the program carries no version resource.
  virtual bool ProgramVersion(FileVersion* version) = 0;
};

}  // namespace vireo::platform
