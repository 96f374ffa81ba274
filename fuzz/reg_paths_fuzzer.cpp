// Registry paths through the three registry operations on the in-memory registry: a path splits
// back into exactly its text, a value written is read back as written, a failed read leaves the
// value alone, and a deleted value or key is gone afterwards.
#include "check.h"
#include "platform/host/memory_registry.h"
#include "registry/reg_access.h"

using vireo::platform::MemoryRegistry;
using namespace vireo::registry;

namespace {

RegValue MakeValue(FuzzedDataProvider& in) {
  const int kind = in.ConsumeIntegralInRange(0, 3);
  if (kind == 2) return RegValue::Number(in.ConsumeIntegral<std::int32_t>());
  const std::string text = kind < 2 ? in.ConsumeRandomLengthString(64) : "";
  return kind == 0   ? RegValue::Text(text)
         : kind == 1 ? RegValue::Bytes({text.begin(), text.end()})
                     : RegValue();
}

void CheckSplits(const std::string& path) {
  ValuePath value;
  const bool split = SplitPath(path, &value);
  const std::size_t first = path.find('\\');
  FUZZ_CHECK(split == (first != std::string::npos && path.rfind('\\') != first));
  if (split) {
    FUZZ_CHECK(path.substr(0, first) + "\\" + value.key + "\\" + value.name == path);
    FUZZ_CHECK(value.name.find('\\') == std::string::npos &&
               value.root == RootKey(path.substr(0, first)));
  }
  DeletePath del;
  if (!SplitDeletePath(path, &del)) return;
  FUZZ_CHECK(first != std::string::npos && (!del.name.empty() || !del.is_key));
  FUZZ_CHECK(del.name.find('\\') == std::string::npos);
  // The parent and the name give the path back; an empty parent (the root itself) stands for
  // nothing but backslashes between the root and the name.
  const std::string tail = del.name + (del.is_key ? "\\" : "");
  FUZZ_CHECK(path.size() >= first + 1 + tail.size());
  FUZZ_CHECK(path.compare(path.size() - tail.size(), tail.size(), tail) == 0);
  const std::string between = path.substr(first + 1, path.size() - tail.size() - first - 1);
  FUZZ_CHECK(del.parent.empty() ? between.find_first_not_of('\\') == std::string::npos
                                : between == del.parent + (del.is_key ? "" : "\\"));
}

}  // namespace

FUZZ_TARGET(in) {
  MemoryRegistry registry;
  while (in.remaining_bytes() > 0) {
    const std::string path = vireo::fuzz::RootedPath(in, 96);
    CheckSplits(path);
    const int operation = in.ConsumeIntegralInRange(0, 2);
    if (operation == 0) {
      RegValue value = RegValue::Text("unchanged");
      if (RegRead(registry, path, &value) != 0) FUZZ_CHECK(value == RegValue::Text("unchanged"));
    } else if (operation == 1) {
      // Read back: a number as its number, bytes as they are, a text up to its first NUL.
      const RegValue value = MakeValue(in);
      const auto type = static_cast<ValueType>(in.ConsumeIntegralInRange(0, 5));
      std::int32_t number = 0;
      const std::string text = value.AsText();
      const bool storable =
          type == ValueType::kString || type == ValueType::kBinary ||
          (type == ValueType::kNumber && value.ToNumber(&number) == NumberParse::kOk);
      const RegValue want = type == ValueType::kNumber ? RegValue::Number(number)
                            : type == ValueType::kBinary
                                ? RegValue::Bytes({text.begin(), text.end()})
                                : RegValue::Text(text.substr(0, text.find('\0')));
      RegValue read;
      if (RegWrite(registry, path, value, type) == 0 && storable) {
        FUZZ_CHECK(RegRead(registry, path, &read) == 0 && read == want);
      }
    } else if (RegDelete(registry, path) == 0) {
      DeletePath del;
      RegValue value;
      FUZZ_CHECK(SplitDeletePath(path, &del) &&
                 (del.is_key || RegRead(registry, path, &value) != 0));
    }
    FUZZ_CHECK(registry.open_handles() == 0);
  }
}
