// Differential test of the registry stand-in: runs the fixed sequences of registry calls and
// generated ones on the real registry (Wine in Windows 98 mode, through the adapter) and on the
// in-memory stand-in, and compares every call's result. A sequence that diverges is printed call
// by call up to the first call whose results differ, with both results.
//
//   regdiff.exe [COUNT [FIRST_SEED]]   COUNT sequences (300), seeds FIRST_SEED (1) on
//
// Each sequence counts as one check; the closing line is "regdiff: N passed, M failed", then
// the figures.
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "cases/regdiff.h"
#include "platform/host/memory_registry.h"
#include "platform/win32/win32_registry.h"
#include "report.h"

namespace {

using vireo::regdiff::Sequence;

// Compares one sequence; a divergence is printed.
std::size_t Check(vireo::platform::Registry& real, vireo::platform::Registry& memory,
                  const std::string& title, const Sequence& sequence) {
  const vireo::regdiff::Divergence d = vireo::regdiff::Compare(real, memory, sequence);
  ++(d.found ? report::failed : report::passed);
  if (d.found) report::say("FAIL: %s diverges at call %u:", title.c_str(), unsigned(d.index + 1));
  for (std::size_t i = 0; d.found && i <= d.index; ++i) {
    report::say("  %s", vireo::regdiff::Describe(sequence[i]).c_str());
  }
  if (d.found) report::say("    Wine: %s\n    stand-in: %s", d.first.c_str(), d.second.c_str());
  return d.calls;
}

}  // namespace

int main(int argc, char** argv) {
  vireo::platform::Win32Registry real;
  vireo::platform::MemoryRegistry memory;
  const unsigned long count = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 300;
  const unsigned long first = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 1;

  const std::vector<Sequence> known = vireo::regdiff::Known();
  for (std::size_t i = 0; i < known.size(); ++i) {
    Check(real, memory, "fixed sequence " + std::to_string(i + 1), known[i]);
  }
  const DWORD start = GetTickCount();
  unsigned long long operations = 0;
  unsigned long long calls = 0;
  for (unsigned long i = 0; i < count; ++i) {
    const auto seed = static_cast<std::uint32_t>(first + i);
    const Sequence sequence = vireo::regdiff::Generate(seed);
    operations += sequence.size();
    calls += Check(real, memory, "seed " + std::to_string(seed), sequence);
    if ((i + 1) % 1000 == 0) report::say("... %lu sequences, %d diverged", i + 1, report::failed);
  }
  const DWORD elapsed = GetTickCount() - start;
  const int status = report::finish("regdiff");
  report::say(
      "figures: %lu sequences (seeds %lu to %lu), %llu operations, %llu calls on each "
      "registry, %d diverged, %lu.%lu s",
      count, first, first + count - 1, operations, calls, report::failed,
      static_cast<unsigned long>(elapsed / 1000), static_cast<unsigned long>(elapsed % 1000 / 100));
  return status;
}
