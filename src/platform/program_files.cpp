#include "platform/program_files.h"

namespace vireo::platform {

std::string InDirectory(const std::string& directory, std::string_view name) {
  if (directory.empty()) return {};
  if (directory.back() == '\\') return directory + std::string(name);
  return directory + "\\" + std::string(name);
}

std::string ProgramFile(System& system, std::string_view name) {
  return InDirectory(system.ProgramDirectory(), name);
}

bool OpenProgramFile(Platform& platform, std::string_view name, int show) {
  const std::string path = ProgramFile(platform.system, name);
  return !path.empty() && platform.shell.Open("open", path, show);
}

}  // namespace vireo::platform
