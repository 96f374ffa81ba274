// "savereg.dat" lines through the user-setup export: whatever the list and the registry hold,
// the export either refuses the list (a line that names no value) or writes a REGEDIT4 text that
// the strict reader parses back, one key line for each list line and, where the registry holds
// a string, binary data or a number, the one value line that loads as that very value.
#include <algorithm>
#include <vector>

#include "check.h"
#include "platform/host/memory_registry.h"
#include "platform/host/regedit4.h"
#include "registry/reg_access.h"
#include "service/setup_export.h"

using namespace vireo;
using registry::RegValue;

namespace {

// A list line: mostly a known root, then any text; the registry gets a value of a type chosen
// by the input at the line's path.
std::string MakeLine(FuzzedDataProvider& in, platform::MemoryRegistry& memory) {
  const std::string line = fuzz::RootedPath(in, 80);
  registry::ValuePath where;
  if (!registry::SplitPath(line, &where) || where.root == 0) return line;
  const std::string data = in.ConsumeRandomLengthString(48);
  const std::uint32_t kTypes[] = {platform::kRegSz, platform::kRegBinary, platform::kRegDword};
  const int kind = in.ConsumeIntegralInRange(0, 4);
  if (kind == 0) return line;  // no value there
  const std::uint32_t type =
      kind < 4 ? kTypes[kind - 1] : in.ConsumeIntegralInRange<std::uint32_t>(0, 11);
  memory.Put(where.root, where.key, where.name, type, {data.begin(), data.end()});
  return line;
}

}  // namespace

FUZZ_TARGET(in) {
  platform::MemoryRegistry memory;
  std::string list;
  const int count = in.ConsumeIntegralInRange(0, 8);
  for (int i = 0; i < count; ++i) {
    list += MakeLine(in, memory);
    list += in.ConsumeBool() ? "\r\n" : "\n";
  }
  list += in.ConsumeRemainingBytesAsString();  // a last line, maybe without its line end

  std::string text;
  int error = 0;
  const auto lines = service::ListLines(list);
  // The stand-in never refuses a read, so only a malformed line fails the export.
  if (!service::ExportText(memory, list, &text, &error)) {
    FUZZ_CHECK(error == service::kMalformedLine);
    service::ListLine split;
    FUZZ_CHECK(std::any_of(lines.begin(), lines.end(), [&](const std::string& line) {
      return !service::SplitListLine(line, &split);
    }));
    return;
  }
  FUZZ_CHECK(memory.open_handles() == 0);

  // A root the registry editor does not know makes a key line it cannot take: such a list is
  // checked for not crashing only. HKPD has no tree to load a key into.
  bool performance = false;
  for (const std::string& line : lines) {
    registry::ValuePath where;
    FUZZ_CHECK(registry::SplitPath(line, &where));
    if (where.root == 0) return;
    performance = performance || where.root == platform::kPerformanceData;
  }

  // The text loads into an empty registry, where each value reads as it reads in this one.
  std::vector<platform::Regedit4Section> sections;
  std::string why;
  platform::MemoryRegistry loaded;
  if (!platform::ParseRegedit4(text, &sections, &why) ||
      !(platform::LoadRegedit4(loaded, text, &why) || performance)) {
    std::fprintf(stderr, "%s\n", why.c_str());
    FUZZ_CHECK(false);
  }
  FUZZ_CHECK(sections.size() == lines.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    registry::ValuePath where;
    registry::SplitPath(lines[i], &where);
    const platform::Regedit4Section& section = sections[i];
    FUZZ_CHECK(section.root == where.root && section.path == where.key);
    RegValue value, back;
    if (registry::RegRead(memory, lines[i], &value) != 0 || value.IsEmpty()) {
      FUZZ_CHECK(section.values.empty());
      continue;
    }
    FUZZ_CHECK(section.values.size() == 1 && section.values[0].name == where.name);
    FUZZ_CHECK(performance || (registry::RegRead(loaded, lines[i], &back) == 0 && back == value));
  }
}
