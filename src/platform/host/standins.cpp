#include "platform/host/standins.h"

#include <algorithm>
#include <fstream>
#include <random>
#include <sstream>
#include <system_error>

#include "registry/ansi_text.h"

namespace vireo::platform {
namespace fs = std::filesystem;

namespace {

std::string Trim(const std::string& s) {
  const auto first = s.find_first_not_of(" \t\r");
  if (first == std::string::npos) return {};
  return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

std::vector<std::string> ReadLines(const fs::path& path) {
  std::vector<std::string> lines;
  std::ifstream in(path, std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

// Writes beside the file and renames over it, so a failure leaves the old file whole.
bool WriteLinesAtomically(const fs::path& path, const std::vector<std::string>& lines) {
  const fs::path temp = path.string() + ".tmp";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    for (const auto& line : lines) out << line << "\r\n";
    if (!out.flush()) return false;
  }
  std::error_code error;
  fs::rename(temp, path, error);
  return !error;
}

// The index of the line "[section]", or -1.
int FindSection(const std::vector<std::string>& lines, const std::string& section) {
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string t = Trim(lines[i]);
    if (t.size() >= 2 && t.front() == '[' && t.back() == ']' &&
        registry::SameAnsiText(Trim(t.substr(1, t.size() - 2)), section)) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

// The index of the key's line inside the section that starts at `start`, or -1; `end` receives
// the index after the section's last line.
int FindKey(const std::vector<std::string>& lines, int start, const std::string& key, size_t* end) {
  size_t i = start + 1;
  int found = -1;
  for (; i < lines.size(); ++i) {
    const std::string t = Trim(lines[i]);
    if (!t.empty() && t.front() == '[') break;
    const auto eq = t.find('=');
    if (found < 0 && eq != std::string::npos &&
        registry::SameAnsiText(Trim(t.substr(0, eq)), key)) {
      found = static_cast<int>(i);
    }
  }
  *end = i;
  return found;
}

}  // namespace

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

std::string IniProfile::GetString(const std::string& section, const std::string& key,
                                  const std::string& fallback, const std::string& file) {
  const auto lines = ReadLines(HostPath(file));
  const int start = FindSection(lines, section);
  if (start < 0) return fallback;
  size_t end = 0;
  const int at = FindKey(lines, start, key, &end);
  if (at < 0) return fallback;
  const std::string& line = lines[at];
  return Trim(line.substr(line.find('=') + 1));
}

bool IniProfile::WriteString(const std::string& section, const std::string& key,
                             const std::string& value, const std::string& file) {
  ++writes;
  const fs::path path = HostPath(file);
  auto lines = ReadLines(path);
  int start = FindSection(lines, section);
  if (start < 0) {
    lines.push_back("[" + section + "]");
    start = static_cast<int>(lines.size()) - 1;
  }
  size_t end = 0;
  const int at = FindKey(lines, start, key, &end);
  if (at >= 0) {
    lines[at] = key + "=" + value;
  } else {
    lines.insert(lines.begin() + static_cast<long>(end), key + "=" + value);
  }
  return WriteLinesAtomically(path, lines);
}

bool IniProfile::DeleteKey(const std::string& section, const std::string& key,
                           const std::string& file) {
  ++writes;
  const fs::path path = HostPath(file);
  auto lines = ReadLines(path);
  const int start = FindSection(lines, section);
  if (start < 0) return true;
  size_t end = 0;
  const int at = FindKey(lines, start, key, &end);
  if (at < 0) return true;
  lines.erase(lines.begin() + at);
  return WriteLinesAtomically(path, lines);
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

Answer ScriptedMessages::Show(OwnerHandle owner, const std::string& text, const std::string& title,
                              MessageStyle style) {
  shown.push_back({text, title, style, owner});
  if (!answers.empty()) {
    const Answer a = answers.front();
    answers.pop_front();
    return a;
  }
  return style == MessageStyle::kCriticalOk ? Answer::kOk : Answer::kNo;
}

std::string RecordingChooser::ChooseFileToOpen(OwnerHandle owner, const std::string& filter_list,
                                               const std::string& title) {
  requests.push_back({owner, filter_list, title});
  return next_choice;
}

std::string RecordingChooser::ChooseFileToSave(OwnerHandle owner, const std::string& filter_list,
                                               const std::string& title,
                                               const std::string& extension) {
  requests.push_back({owner, filter_list, title + "|" + extension});
  return next_choice;
}

RegionHandle RecordingRegions::CreateRoundRect(int left, int top, int right, int bottom,
                                               int ellipse_w, int ellipse_h) {
  std::ostringstream call;
  call << "round " << left << ',' << top << ',' << right << ',' << bottom << ' ' << ellipse_w << 'x'
       << ellipse_h;
  calls.push_back(call.str());
  owned_.push_back(++next_);
  return next_;
}

bool RecordingRegions::CombineUnion(RegionHandle dest, RegionHandle a, RegionHandle b) {
  calls.push_back("union " + std::to_string(dest) + "=" + std::to_string(a) + "|" +
                  std::to_string(b));
  return true;
}

bool RecordingRegions::SetWindowRegion(std::uintptr_t, RegionHandle region, bool redraw) {
  calls.push_back("set " + std::to_string(region) + (redraw ? " redraw" : ""));
  std::erase(owned_, region);
  return true;
}

void RecordingRegions::Delete(RegionHandle region) {
  calls.push_back("delete " + std::to_string(region));
  std::erase(owned_, region);
}

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
