#include "platform/host/host_system.h"

#include <algorithm>
#include <fstream>
#include <random>
#include <sstream>
#include <system_error>

#include "registry/ansi_text.h"

namespace vireo::platform {
namespace fs = std::filesystem;

fs::path HostPath(const std::string& windows_path) {
  std::string p = windows_path;
  std::replace(p.begin(), p.end(), '\\', '/');
  fs::path result;
  std::stringstream parts(p);
  std::string part;
  bool first = true;
  while (std::getline(parts, part, '/')) {
    if (first) {
      result = part.empty() ? fs::path("/") : fs::path(part);
      first = false;
      continue;
    }
    if (part.empty()) continue;
    fs::path candidate = result / part;
    std::error_code error;
    if (!fs::exists(candidate, error) && fs::is_directory(result, error)) {
      for (const auto& entry : fs::directory_iterator(result, error)) {
        if (registry::SameAnsiText(entry.path().filename().string(), part)) {
          candidate = entry.path();
          break;
        }
      }
    }
    result = candidate;
  }
  return result;
}

TempSystem::TempSystem() {
  // A fresh folder of our own; create_directory fails when the name is taken, so try again. Tests
  // make thousands of these: a folder in memory, where the system has one, costs a tenth of one
  // on disk.
  std::error_code error;
  const fs::path base =
      fs::is_directory("/dev/shm", error) ? fs::path("/dev/shm") : fs::temp_directory_path();
  std::random_device random;
  do {
    root_ = base / ("vireo-" + std::to_string(random()));
  } while (!fs::create_directory(root_));
  fs::create_directories(root_ / "WINDOWS" / "SYSTEM");
  fs::create_directories(root_ / "Program Files" / "Vireo");
  windows_dir_ = (root_ / "WINDOWS").string();
  system_dir_ = (root_ / "WINDOWS" / "SYSTEM").string();
  program_dir_ = (root_ / "Program Files" / "Vireo").string();
  version.major = 4;
  version.minor = 10;
  version.build = 0x040A08AE;
  version.platform_id = kPlatformWindows9x;
  version.csd = " A ";
}

void TempSystem::PlaceDirectories(const std::string& windows, const std::string& system) {
  fs::create_directories(root_ / windows / system);
  windows_dir_ = (root_ / windows).string();
  system_dir_ = (root_ / windows / system).string();
}

TempSystem::~TempSystem() {
  std::error_code error;
  fs::remove_all(root_, error);
}

bool TempSystem::Version(OsVersion* out) {
  if (version_fails) return false;
  *out = version;
  return true;
}

void TempSystem::ExitNow(int code) {
  exited = true;
  exit_code = code;
}

void TempSystem::WriteFile(const std::string& windows_path, const std::string& contents) {
  const fs::path path = HostPath(windows_path);
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary | std::ios::trunc) << contents;
}

std::string TempSystem::ReadFile(const std::string& windows_path) const {
  std::ifstream in(HostPath(windows_path), std::ios::binary);
  std::stringstream buffer;
  buffer << in.rdbuf();
  return buffer.str();
}

bool RecordingShell::Open(const std::string& verb, const std::string& target, int show) {
  calls.push_back({"open " + verb, target, show});
  return opens;
}

void RecordingShell::Start(const std::string& command_line) {
  calls.push_back({"start", command_line, kShowNormal});
}

bool RecordingShell::FileExists(const std::string& path) {
  std::error_code error;
  return fs::is_regular_file(HostPath(path), error);
}

}  // namespace vireo::platform
