#include "service/setup_export.h"

#include <utility>

#include "platform/program_files.h"
#include "registry/reg_access.h"
#include "service/regedit4_text.h"

namespace vireo::service {

std::string FailureText(int number) {
  return "Произошла ошибка №" + std::to_string(number) +
         " при сохранении файла реестра.\r\n"
         "Возможно, на диске не хватает свободного места.\r\n"
         "Если это не так, обратитесь к разработчику.";
}

bool SplitListLine(std::string_view line, ListLine* out) {
  const std::size_t first = line.find('\\');
  const std::size_t last = line.rfind('\\');
  if (first == std::string_view::npos || last == first) return false;
  out->root = std::string(line.substr(0, first));
  out->key = std::string(line.substr(first + 1, last - first - 1));
  out->name = std::string(line.substr(last + 1));
  return true;
}

std::vector<std::string> ListLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines;
}

std::string LongRoot(std::string_view root) {
  for (const platform::RootName& known : platform::kRoots) {
    if (root == known.abbreviation) return std::string(known.name);
  }
  return std::string(root);
}

std::string DataText(const registry::RegValue& value) {
  switch (value.kind()) {
    case registry::RegValue::Kind::kText:
      return ValueData(platform::kRegSz, value.text() + '\0');
    case registry::RegValue::Kind::kBytes: {
      const std::vector<std::uint8_t>& bytes = value.bytes();
      return ValueData(platform::kRegBinary, std::string(bytes.begin(), bytes.end()));
    }
    case registry::RegValue::Kind::kNumber: {
      const auto bits = static_cast<std::uint32_t>(value.number());
      std::string bytes;
      for (int shift = 0; shift < 32; shift += 8) bytes += static_cast<char>(bits >> shift);
      return ValueData(platform::kRegDword, bytes);
    }
    case registry::RegValue::Kind::kEmpty:
      break;
  }
  return {};
}

std::string Record(const ListLine& line, const std::string& data_text) {
  std::string out = "[" + LongRoot(line.root) + "\\" + line.key + "]" + kRegeditLineEnd;
  if (!data_text.empty()) out += ValueLine(line.name, data_text);
  return out;
}

bool ExportText(platform::Registry& registry, const std::string& list, std::string* text,
                int* error) {
  std::string out = std::string("REGEDIT4") + kRegeditLineEnd;
  for (const std::string& entry : ListLines(list)) {
    ListLine line;
    if (!SplitListLine(entry, &line)) {
      *error = kMalformedLine;
      return false;
    }
    // The read tells the type by what it gives: text for a string, bytes for binary data, a
    // number for a 32-bit number; it leaves the value empty for a value that is missing or of any
    // other type, which then gets its key line only. One open, one query and one close a line.
    // A value that is there but cannot be read fails the export: the key refused it, or it kept
    // growing past the size asked. A file that silently lacked it would restore less than the
    // user saved. Any other failure (a missing key or value, a root this system does not have,
    // a number stored in more than four bytes) gives the key line only, as before.
    registry::RegValue value;
    const std::int32_t status = registry::RegRead(registry, entry, &value);
    if (status == platform::kAccessDenied || status == platform::kMoreData) {
      *error = kValueUnreadable;
      return false;
    }
    if (status != platform::kSuccess) value = {};
    out += Record(line, DataText(value));
  }
  out += kRegeditLineEnd;
  out += kRegeditLineEnd;
  *text = std::move(out);
  return true;
}

void ExportSetup(platform::Platform& platform, platform::OwnerHandle owner) {
  const std::string list_path = platform::ProgramFile(platform.system, kListFile);
  if (!platform.shell.FileExists(list_path)) {
    platform.messages.Show(owner, kMissingList, platform::kMessageTitle,
                           platform::MessageStyle::kCriticalOk);
    return;
  }
  if (platform.messages.Show(owner, kAskExport, platform::kMessageTitle,
                             platform::MessageStyle::kQuestionYesNo) != platform::Answer::kYes) {
    return;
  }
  int error = 0;
  std::string list;
  std::string text;
  if (!platform.files.Read(list_path, &list)) {
    error = kListUnreadable;
  } else if (ExportText(platform.registry, list, &text, &error)) {
    if (!platform.files.Replace(platform::ProgramFile(platform.system, kSetupFile), text))
      error = kSetupUnwritable;
  }
  if (error != 0) {
    platform.messages.Show(owner, FailureText(error), platform::kMessageTitle,
                           platform::MessageStyle::kCriticalOk);
  }
}

void RestoreSetup(platform::Platform& platform, platform::OwnerHandle owner) {
  const std::string setup = platform::ProgramFile(platform.system, "setup.reg");
  if (!platform.shell.FileExists(setup)) {
    platform.messages.Show(owner, kMissingSetup, platform::kMessageTitle,
                           platform::MessageStyle::kCriticalOk);
    return;
  }
  if (platform.messages.Show(owner, kAskRestore, platform::kMessageTitle,
                             platform::MessageStyle::kQuestionYesNo) != platform::Answer::kYes) {
    return;
  }
  if (platform.shell.Open("open", setup, platform::kShowNormal)) return;
  const std::string editor =
      platform::InDirectory(platform.system.WindowsDirectory(), "regedit.exe");
  platform.shell.Start("\"" + editor + "\" \"" + setup + "\"");
}

}  // namespace vireo::service
