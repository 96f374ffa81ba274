#include "platform/host/ini_profile.h"

#include <fstream>
#include <system_error>
#include <vector>

#include "platform/host/host_system.h"
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

}  // namespace vireo::platform
