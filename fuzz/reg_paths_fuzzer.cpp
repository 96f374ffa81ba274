// Registry paths through the three registry operations on the in-memory registry: a path splits
// back into exactly its text, a value written is read back as written, a failed read leaves the
// value alone, and a deleted value or key is gone afterwards.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

#include "check.h"
#include "platform/host/memory_registry.h"
#include "registry/reg_access.h"

using vireo::platform::MemoryRegistry;
using namespace vireo::registry;

namespace {

// A path whose root is usually one of the seven, so that most runs reach the registry.
std::string MakePath(FuzzedDataProvider& in) {
  const int choice = in.ConsumeIntegralInRange(0, 8);
  std::string path =
      choice < 7 ? std::string(vireo::platform::kRoots[choice].abbreviation) + "\\" : "";
  return path + in.ConsumeRandomLengthString(96);
}

RegValue MakeValue(FuzzedDataProvider& in) {
  switch (in.ConsumeIntegralInRange(0, 3)) {
    case 0:
      return RegValue::Text(in.ConsumeRandomLengthString(64));
    case 1: {
      const std::string bytes = in.ConsumeRandomLengthString(64);
      return RegValue::Bytes(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    }
    case 2:
      return RegValue::Number(in.ConsumeIntegral<std::int32_t>());
    default:
      return RegValue();
  }
}

void CheckSplits(const std::string& path) {
  ValuePath value;
  const bool split = SplitPath(path, &value);
  const std::size_t first = path.find('\\');
  FUZZ_CHECK(split == (first != std::string::npos && path.rfind('\\') != first));
  if (split) {
    FUZZ_CHECK(path.substr(0, first) + "\\" + value.key + "\\" + value.name == path);
    FUZZ_CHECK(value.name.find('\\') == std::string::npos);
    FUZZ_CHECK(value.root == RootKey(path.substr(0, first)));
  }
  DeletePath del;
  if (SplitDeletePath(path, &del)) {
    FUZZ_CHECK(first != std::string::npos);
    FUZZ_CHECK(!del.name.empty() || !del.is_key);
    FUZZ_CHECK(del.name.find('\\') == std::string::npos);
    // The parent and the name give the path back; an empty parent (the root itself) stands
    // for nothing but backslashes between the root and the name.
    std::string tail = del.name + (del.is_key ? "\\" : "");
    FUZZ_CHECK(path.size() >= first + 1 + tail.size());
    FUZZ_CHECK(path.compare(path.size() - tail.size(), tail.size(), tail) == 0);
    const std::string between = path.substr(first + 1, path.size() - tail.size() - first - 1);
    if (del.parent.empty()) {
      FUZZ_CHECK(between.find_first_not_of('\\') == std::string::npos);
    } else {
      FUZZ_CHECK(between == del.parent + (del.is_key ? "" : "\\"));
    }
  }
}

// What reading gives for a value written as `value` under `type`.
RegValue Expected(const RegValue& value, ValueType type) {
  if (type == ValueType::kNumber) return value;
  std::string text = value.AsText();
  if (type == ValueType::kBinary) return RegValue::Bytes({text.begin(), text.end()});
  return RegValue::Text(text.substr(0, text.find('\0')));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  MemoryRegistry registry;
  while (in.remaining_bytes() > 0) {
    const std::string path = MakePath(in);
    CheckSplits(path);
    const int operation = in.ConsumeIntegralInRange(0, 2);
    if (operation == 0) {
      RegValue value = RegValue::Text("unchanged");
      if (RegRead(registry, path, &value) != 0) FUZZ_CHECK(value == RegValue::Text("unchanged"));
    } else if (operation == 1) {
      const RegValue value = MakeValue(in);
      const auto type = static_cast<ValueType>(in.ConsumeIntegralInRange(0, 5));
      std::int32_t number = 0;
      const bool storable =
          type == ValueType::kString || type == ValueType::kBinary ||
          (type == ValueType::kNumber && value.ToNumber(&number) == NumberParse::kOk);
      const std::int32_t status = RegWrite(registry, path, value, type);
      if (status == 0 && storable) {
        RegValue read;
        FUZZ_CHECK(RegRead(registry, path, &read) == 0);
        const RegValue want =
            type == ValueType::kNumber ? RegValue::Number(number) : Expected(value, type);
        FUZZ_CHECK(read == want);
      }
    } else {
      if (RegDelete(registry, path) == 0) {
        DeletePath del;
        FUZZ_CHECK(SplitDeletePath(path, &del));
        RegValue value = RegValue::Text("unchanged");
        if (!del.is_key) FUZZ_CHECK(RegRead(registry, path, &value) != 0);
      }
    }
    FUZZ_CHECK(registry.open_handles() == 0);
  }
  return 0;
}
