#include "platform/host/host_machine.h"

#include <algorithm>

namespace vireo::platform {

bool FixedMachine::ComputerName(std::string* name) {
  if (fails) return false;
  *name = computer_name;
  return true;
}

bool FixedMachine::Processor(ProcessorInfo* info) {
  if (fails) return false;
  *info = processor;
  return true;
}

bool FixedMachine::Memory(MemoryStatus* status) {
  ++memory_reads;
  if (fails) return false;
  *status = memory;
  return true;
}

bool FixedMachine::ProgramVersion(FileVersion* out) {
  if (fails) return false;
  *out = version;
  return true;
}

bool ScriptedProcesses::Snapshot(std::vector<ProcessEntry>* out) {
  ++snapshots;
  if (snapshot_fails) return false;
  *out = processes;
  return true;
}

ProcessHandle ScriptedProcesses::Open(std::uint32_t process_id, std::uint32_t access,
                                      bool inherit) {
  calls.push_back("open " + std::to_string(process_id) + " " + std::to_string(access) + " " +
                  (inherit ? "1" : "0"));
  if (std::find(unopenable.begin(), unopenable.end(), process_id) != unopenable.end()) return 0;
  const ProcessHandle handle = next_++;
  open_[handle] = process_id;
  return handle;
}

bool ScriptedProcesses::Terminate(ProcessHandle process, std::uint32_t exit_code) {
  const auto it = open_.find(process);
  if (it == open_.end()) {
    calls.push_back("terminate <bad handle>");
    return false;
  }
  const std::uint32_t id = it->second;
  calls.push_back("terminate " + std::to_string(id) + " " + std::to_string(exit_code));
  std::erase_if(processes, [id](const ProcessEntry& p) { return p.process_id == id; });
  return true;
}

void ScriptedProcesses::Close(ProcessHandle process) {
  const auto it = open_.find(process);
  if (it == open_.end()) {
    calls.push_back("close <bad handle>");
    return;
  }
  calls.push_back("close " + std::to_string(it->second));
  open_.erase(it);
}

}  // namespace vireo::platform
