// Running a sequence of registry calls on a registry, each call described as one line, and two
// registries compared call by call.
#include "cases/regdiff.h"

#include <algorithm>
#include <set>
#include <utility>

#include "cases/case_context.h"
#include "platform/counting_registry.h"

namespace vireo::regdiff {

namespace {

using platform::HKey;
using Bytes = std::vector<std::uint8_t>;
using cases::Shown;
using cases::Status;

constexpr std::uint32_t kLargeBuffer = 70000;
constexpr std::uint8_t kFill = 0xCD;

std::string Number(std::uint32_t n) {
  return std::to_string(n);
}

std::string Handle(const Op& op) {
  if (op.slot == kNoHandle) return "0";
  if (op.slot >= 0) return "h" + Number(static_cast<std::uint32_t>(op.slot));
  for (const platform::RootName& root : platform::kRoots) {
    if (root.root == op.root) return std::string(root.abbreviation);
  }
  return "?";
}

class Runner {
 public:
  explicit Runner(platform::Registry& registry) : r_(registry) {}
  ~Runner() {
    for (HKey key : slots_) {
      if (key != 0) r_.CloseKey(key);
    }
  }

  std::string Do(const Op& op) {
    HKey key = op.slot == kRoot ? op.root : 0;
    if (op.slot >= 0 && (key = slots_[op.slot]) == 0) return "skipped";
    switch (op.kind) {
      case OpKind::kOpen:
      case OpKind::kCreate:
        return OpenOrCreate(op, key);
      case OpKind::kQuery:
        return Query(op, key);
      case OpKind::kSet:
        return Status("set",
                      r_.SetValue(key, op.name, op.type, op.null_data ? nullptr : op.data.data(),
                                  static_cast<std::uint32_t>(op.data.size())));
      case OpKind::kDeleteValue:
        return Status("delete", r_.DeleteValue(key, op.name));
      case OpKind::kDeleteKey:
        return Status("delete", r_.DeleteKey(key, op.path));
      case OpKind::kEnum:
        return Enumerate(key);
      case OpKind::kClose:
        if (op.slot >= 0) slots_[op.slot] = 0;
        return Status("close", r_.CloseKey(key));
    }
    return "?";
  }

 private:
  std::string OpenOrCreate(const Op& op, HKey key) {
    HKey opened = 0;
    bool created = false;
    const std::int32_t status =
        op.kind == OpKind::kOpen
            ? r_.OpenKey(key, op.path, platform::kKeyQueryValue, &opened)
            : r_.CreateKey(key, op.path, platform::kKeyAllAccess3F, &opened, &created);
    // A slot that still holds a handle gives it up first (after shrinking, two opens may meet).
    if (slots_[op.into] != 0) r_.CloseKey(slots_[op.into]);
    slots_[op.into] = status == platform::kSuccess ? opened : 0;
    std::string out = Status(op.kind == OpKind::kOpen ? "open" : "create", status);
    if (op.kind == OpKind::kCreate && status == platform::kSuccess) {
      out += created ? " new" : " existing";
    }
    return out;
  }

  std::string Query(const Op& op, HKey key) {
    std::string out = Status("query", r_.QueryValue(key, op.name, nullptr, nullptr, nullptr));
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    std::int32_t status = r_.QueryValue(key, op.name, &type, nullptr, &size);
    out += " " + Status("size", status);
    if (status != platform::kSuccess) return out;
    // The size of string data is not compared: its NUL is not.
    out += " type" + Number(type) + (type == platform::kRegSz ? "" : "/" + Number(size));

    // Into a large buffer that says it holds the size: the bytes past the data stay as they were.
    const std::uint32_t full = size;
    Bytes buffer(kLargeBuffer, kFill);
    status = r_.QueryValue(key, op.name, &type, buffer.data(), &size);
    out += " " + Status("fetch", status);
    if (status != platform::kSuccess) return out;
    const std::string shown = Shown(type, buffer.data(), size);
    const bool kept =
        std::all_of(buffer.begin() + size, buffer.end(), [](std::uint8_t b) { return b == kFill; });
    out += " " + shown + (kept ? " rest-kept" : " rest-overwritten");

    // One byte too small: nothing to shorten when the data (string data: its text) is empty.
    if (full == 0 || shown == "sz \"\"") return out + " short=n/a";
    size = full - 1;
    status = r_.QueryValue(key, op.name, &type, buffer.data(), &size);
    return out + " " + Status("short", status) +
           (size == full ? " size-given" : " size=" + Number(size));
  }

  std::string Enumerate(HKey key) {
    std::set<std::string> items;  // 9x keeps creation order, Wine sorts: compared as sets
    std::string name;
    std::uint32_t type = 0;
    Bytes data;
    std::int32_t keys = 0;
    std::int32_t values = 0;
    for (std::uint32_t i = 0; i < 200 && (keys = r_.EnumKey(key, i, &name)) == 0; ++i) {
      items.insert(cases::Quote(name));
    }
    for (std::uint32_t i = 0; i < 200 && (values = r_.EnumValue(key, i, &name, &type, &data)) == 0;
         ++i) {
      items.insert(cases::Quote(name) + "=" +
                   Shown(type, data.data(), static_cast<std::uint32_t>(data.size())));
    }
    std::string out = Status("keys", keys) + " " + Status("values", values) + " {";
    for (const std::string& item : items) out += (out.back() == '{' ? "" : ", ") + item;
    return out + "}";
  }

  platform::Registry& r_;
  HKey slots_[kSlots] = {};
};

}  // namespace

std::string Describe(const Op& op) {
  static const char* const kNames[] = {"Open",        "Create",    "Query", "Set",
                                       "DeleteValue", "DeleteKey", "Enum",  "Close"};
  std::string out = kNames[static_cast<int>(op.kind)] + ("(" + Handle(op));
  if (op.kind == OpKind::kOpen || op.kind == OpKind::kCreate || op.kind == OpKind::kDeleteKey) {
    out += ", " + cases::Quote(op.path);
  } else if (op.kind != OpKind::kEnum && op.kind != OpKind::kClose) {
    out += ", " + cases::Quote(op.name);
  }
  if (op.kind == OpKind::kSet) {
    const std::size_t shown = std::min<std::size_t>(op.data.size(), 16);
    out +=
        ", type" + Number(op.type) + ", " + Number(static_cast<std::uint32_t>(op.data.size())) +
        (op.null_data ? " bytes, no buffer" : " bytes [") +
        cases::Hex(Bytes(op.data.begin(), op.data.begin() + static_cast<std::ptrdiff_t>(shown))) +
        (shown < op.data.size() ? " ...]" : "]");
  }
  out += ")";
  if (op.kind == OpKind::kOpen || op.kind == OpKind::kCreate) {
    out = "h" + Number(static_cast<std::uint32_t>(op.into)) + " = " + out;
  }
  return out;
}

std::vector<std::string> Run(platform::Registry& registry, const Sequence& sequence,
                             std::size_t* calls) {
  Clean(registry);
  std::vector<std::string> lines;
  platform::CountingRegistry counting(registry);
  {
    Runner runner(counting);
    for (const Op& op : sequence) lines.push_back(runner.Do(op));
  }
  if (calls != nullptr) *calls = counting.total();
  Clean(registry);
  return lines;
}

Divergence Compare(platform::Registry& first, platform::Registry& second,
                   const Sequence& sequence) {
  Divergence result;
  const std::vector<std::string> a = Run(first, sequence, &result.calls);
  const std::vector<std::string> b = Run(second, sequence);
  const auto differ = std::mismatch(a.begin(), a.end(), b.begin()).first;
  if (differ != a.end()) {
    result = {true, static_cast<std::size_t>(differ - a.begin()), *differ,
              b[static_cast<std::size_t>(differ - a.begin())], result.calls};
  }
  return result;
}

}  // namespace vireo::regdiff
