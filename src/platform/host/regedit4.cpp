#include "platform/host/regedit4.h"

#include <cstdlib>
#include <string_view>
#include <utility>

namespace vireo::platform {
namespace {

bool Fail(std::string* error, std::size_t line, const std::string& what) {
  if (error) *error = "line " + std::to_string(line) + ": " + what;
  return false;
}

// Reads a quoted string starting at `at` (the opening quote); leaves `at` after the closing
// one. False on a missing quote or an unknown escape.
bool Quoted(const std::string& line, std::size_t& at, std::string* text) {
  if (at >= line.size() || line[at] != '"') return false;
  text->clear();
  for (++at; at < line.size(); ++at) {
    char c = line[at];
    if (c == '"') {
      ++at;
      return true;
    }
    if (c == '\\') {
      if (++at >= line.size()) return false;
      c = line[at];
      if (c == 'r') {
        c = '\r';
      } else if (c == 'n') {
        c = '\n';
      } else if (c != '\\' && c != '"') {
        return false;
      }
    }
    *text += c;
  }
  return false;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Bytes as two hexadecimal digits each, separated by single commas, up to the end of the line;
// nothing at all is no bytes. False on anything else (a trailing comma, a lone digit, a blank).
bool HexList(const std::string& line, std::size_t at, std::string* bytes) {
  bytes->clear();
  if (at == line.size()) return true;
  for (;;) {
    if (at + 2 > line.size()) return false;
    const int high = HexDigit(line[at]), low = HexDigit(line[at + 1]);
    if (high < 0 || low < 0) return false;
    *bytes += static_cast<char>(high * 16 + low);
    at += 2;
    if (at == line.size()) return true;
    if (line[at] != ',') return false;
    ++at;
  }
}

bool StartsWith(const std::string& line, std::size_t at, std::string_view prefix) {
  return line.compare(at, prefix.size(), prefix) == 0;
}

bool Header(const std::string& line, Regedit4Section* section) {
  if (line.size() < 3 || line.back() != ']') return false;
  const std::string path = line.substr(1, line.size() - 2);
  const std::string root = path.substr(0, path.find('\\'));
  for (const RootName& known : kRoots) {
    if (root == known.name) {
      section->root = known.root;
      section->path = root.size() < path.size() ? path.substr(root.size() + 1) : "";
      return true;
    }
  }
  return false;
}

bool ValueLine(const std::string& line, Regedit4Value* value) {
  std::size_t at = 0;
  if (line[0] == '@') {
    value->name.clear();
    at = 1;
  } else if (!Quoted(line, at, &value->name)) {
    return false;
  }
  if (at >= line.size() || line[at] != '=') return false;
  ++at;
  if (at < line.size() && line[at] == '"') {
    value->type = kRegSz;
    return Quoted(line, at, &value->data) && at == line.size();
  }
  if (StartsWith(line, at, "hex:")) {
    value->type = kRegBinary;
    return HexList(line, at + 4, &value->data);
  }
  if (StartsWith(line, at, "hex(1):")) {
    // A string in bytes ends with its NUL, which is not part of the text.
    value->type = kRegSz;
    if (!HexList(line, at + 7, &value->data) || value->data.empty() || value->data.back() != '\0') {
      return false;
    }
    value->data.pop_back();
    return true;
  }
  const std::string kDword = "dword:";
  if (!StartsWith(line, at, kDword)) return false;
  const std::string digits = line.substr(at + kDword.size());
  if (digits.size() != 8 ||
      digits.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) {
    return false;
  }
  const auto number = static_cast<std::uint32_t>(std::strtoul(digits.c_str(), nullptr, 16));
  value->type = kRegDword;
  value->data.clear();
  for (int i = 0; i < 4; ++i) value->data += static_cast<char>((number >> (8 * i)) & 0xFF);
  return true;
}

}  // namespace

bool ParseRegedit4(const std::string& text, std::vector<Regedit4Section>* sections,
                   std::string* error) {
  std::size_t start = 0, number = 0;
  bool header_seen = false;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    start = end + 1;
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!header_seen) {
      if (line != "REGEDIT4") return Fail(error, number, "the file does not start with REGEDIT4");
      header_seen = true;
      continue;
    }
    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[') {
      Regedit4Section section;
      section.line = number;
      if (!Header(line, &section)) return Fail(error, number, "not a key of a known root");
      sections->push_back(std::move(section));
      continue;
    }
    if (sections->empty()) return Fail(error, number, "a value before the first key");
    Regedit4Value value;
    if (!ValueLine(line, &value)) return Fail(error, number, "not a string, binary or dword value");
    sections->back().values.push_back(std::move(value));
  }
  if (!header_seen) return Fail(error, 1, "the file is empty");
  return true;
}

bool LoadRegedit4(MemoryRegistry& registry, const std::string& text, std::string* error) {
  std::vector<Regedit4Section> sections;
  if (!ParseRegedit4(text, &sections, error)) return false;
  for (const Regedit4Section& section : sections) {
    HKey key = 0;
    bool created = false;
    if (registry.CreateKey(section.root, section.path, kKeyAllAccess3F, &key, &created) !=
        kSuccess) {
      return Fail(error, section.line, "the key cannot be created");
    }
    for (const Regedit4Value& value : section.values) {
      std::string data = value.data;
      if (value.type == kRegSz) data += '\0';
      if (registry.SetValue(key, value.name, value.type,
                            reinterpret_cast<const std::uint8_t*>(data.data()),
                            static_cast<std::uint32_t>(data.size())) != kSuccess) {
        registry.CloseKey(key);
        return Fail(error, section.line, "a value cannot be set");
      }
    }
    registry.CloseKey(key);
  }
  return true;
}

}  // namespace vireo::platform
