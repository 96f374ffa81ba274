// Running a sequence of registry calls on a registry, each call described as one line, and two
// registries compared call by call, with a divergence shrunk to the shortest sequence that
// still shows it.
#include "cases/regdiff.h"

#include <algorithm>
#include <cstdio>
#include <set>
#include <utility>

#include "cases/case_context.h"

namespace vireo::regdiff {

namespace {

using platform::HKey;
using Bytes = std::vector<std::uint8_t>;

constexpr std::uint32_t kLargeBuffer = 70000;
constexpr std::uint8_t kFill = 0xCD;

std::string Number(std::uint32_t n) {
  return std::to_string(n);
}

std::string Handle(const Op& op) {
  if (op.slot == kNoHandle) return "0";
  if (op.slot >= 0) return "h" + Number(static_cast<std::uint32_t>(op.slot));
  switch (op.root) {
    case platform::kClassesRoot:
      return "HKCR";
    case platform::kLocalMachine:
      return "HKLM";
    case platform::kPerformanceData:
      return "HKPD";
    default:
      return "HKCU";
  }
}

// String data (type 1) is compared up to its first NUL: 9x (and Wine in 98 mode) store it as
// strlen + 1 bytes, the stand-in keeps the bytes as written; the program reads either alike.
std::string Shown(std::uint32_t type, const std::uint8_t* data, std::uint32_t size) {
  if (type == platform::kRegSz) {
    const std::uint8_t* end = std::find(data, data + size, 0);
    return "sz " + cases::Quote(std::string(data, end));
  }
  return "type" + Number(type) + " [" + cases::Hex(Bytes(data, data + size)) + "]";
}

// The size, except for string data: its NUL is not compared.
std::string Size(std::uint32_t type, std::uint32_t size) {
  return type == platform::kRegSz ? "" : " size=" + Number(size);
}

class Runner {
 public:
  explicit Runner(platform::Registry& registry) : r_(registry) {}
  ~Runner() { CloseAll(); }

  std::size_t calls() const { return calls_; }

  std::string Do(const Op& op) {
    HKey key = 0;
    if (op.slot == kRoot) key = op.root;
    if (op.slot >= 0) {
      key = slots_[op.slot];
      if (key == 0) return "skipped";
    }
    switch (op.kind) {
      case OpKind::kOpen:
      case OpKind::kCreate:
        return OpenOrCreate(op, key);
      case OpKind::kQueryExists:
        ++calls_;
        return cases::Status("query", r_.QueryValue(key, op.name, nullptr, nullptr, nullptr));
      case OpKind::kQuerySize:
      case OpKind::kQueryFetch:
      case OpKind::kQueryShort:
      case OpKind::kQueryLarge:
        return Query(op, key);
      case OpKind::kSet:
        ++calls_;
        return cases::Status(
            "set", r_.SetValue(key, op.name, op.type, op.null_data ? nullptr : op.data.data(),
                               static_cast<std::uint32_t>(op.data.size())));
      case OpKind::kDeleteValue:
        ++calls_;
        return cases::Status("delete", r_.DeleteValue(key, op.name));
      case OpKind::kDeleteKey:
        ++calls_;
        return cases::Status("delete", r_.DeleteKey(key, op.path));
      case OpKind::kEnumKeys:
      case OpKind::kEnumValues:
        return Enumerate(op, key);
      case OpKind::kClose:
        ++calls_;
        if (op.slot >= 0) slots_[op.slot] = 0;
        return cases::Status("close", r_.CloseKey(key));
    }
    return "?";
  }

  void CloseAll() {
    for (HKey& key : slots_) {
      if (key != 0) r_.CloseKey(key);
      key = 0;
    }
  }

 private:
  std::string OpenOrCreate(const Op& op, HKey key) {
    HKey opened = 0;
    bool created = false;
    ++calls_;
    const std::int32_t status =
        op.kind == OpKind::kOpen
            ? r_.OpenKey(key, op.path, platform::kKeyQueryValue, &opened)
            : r_.CreateKey(key, op.path, platform::kKeyAllAccess3F, &opened, &created);
    // A slot that still holds a handle gives it up first (after shrinking, two opens may meet).
    if (slots_[op.into] != 0) r_.CloseKey(slots_[op.into]);
    slots_[op.into] = status == platform::kSuccess ? opened : 0;
    std::string out = cases::Status(op.kind == OpKind::kOpen ? "open" : "create", status);
    if (op.kind == OpKind::kCreate && status == platform::kSuccess) {
      out += created ? " new" : " existing";
    }
    return out;
  }

  std::string Query(const Op& op, HKey key) {
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    ++calls_;
    std::int32_t status = r_.QueryValue(key, op.name, &type, nullptr, &size);
    std::string out = cases::Status("query", status);
    if (status != platform::kSuccess) return out;
    if (op.kind == OpKind::kQuerySize) return out + " type" + Number(type) + Size(type, size);

    const std::uint32_t full = size;
    const bool large = op.kind == OpKind::kQueryLarge;
    Bytes buffer(large ? kLargeBuffer : full, kFill);
    ++calls_;
    status = r_.QueryValue(key, op.name, &type, buffer.data(), &size);
    out = cases::Status("fetch", status);
    if (status != platform::kSuccess) return out;
    const std::string shown = Shown(type, buffer.data(), size);
    out += " " + shown;
    if (large) {
      const bool kept = std::all_of(buffer.begin() + size, buffer.end(),
                                    [](std::uint8_t b) { return b == kFill; });
      return out + (kept ? " rest-kept" : " rest-overwritten");
    }
    if (op.kind == OpKind::kQueryFetch) return out;

    // One byte too small: nothing to shorten when the data (string data: its text) is empty.
    if (full == 0 || shown == "sz \"\"") return out + " short=n/a";
    std::uint32_t short_size = full - 1;
    ++calls_;
    status = r_.QueryValue(key, op.name, &type, buffer.data(), &short_size);
    return out + " " + cases::Status("short", status) +
           (short_size == full ? " size-given" : " size=" + Number(short_size));
  }

  std::string Enumerate(const Op& op, HKey key) {
    std::set<std::string> items;  // 9x keeps creation order, Wine sorts: compared as sets
    std::int32_t status = platform::kSuccess;
    for (std::uint32_t index = 0; status == platform::kSuccess && index < 200; ++index) {
      std::string name;
      std::uint32_t type = 0;
      Bytes data;
      ++calls_;
      if (op.kind == OpKind::kEnumKeys) {
        status = r_.EnumKey(key, index, &name);
        if (status == platform::kSuccess) items.insert(cases::Quote(name));
      } else {
        status = r_.EnumValue(key, index, &name, &type, &data);
        if (status == platform::kSuccess) {
          items.insert(cases::Quote(name) + "=" +
                       Shown(type, data.data(), static_cast<std::uint32_t>(data.size())));
        }
      }
    }
    std::string out = cases::Status("end", status) + " {";
    for (const std::string& item : items) out += (out.back() == '{' ? "" : ", ") + item;
    return out + "}";
  }

  platform::Registry& r_;
  HKey slots_[kSlots] = {};
  std::size_t calls_ = 0;
};

// Text as a C literal: a backslash doubled, every byte outside printable ASCII as \xNN.
std::string Text(const std::string& text) {
  std::string out = "\"";
  for (const char c : text) {
    const auto code = static_cast<unsigned char>(c);
    char escaped[8] = {c};
    if (code < 0x20 || code >= 0x7F || c == '"') {
      std::snprintf(escaped, sizeof escaped, "\\x%02X", code);
    } else if (c == '\\') {
      escaped[1] = '\\';
    }
    out += escaped;
  }
  return out + "\"";
}

}  // namespace

std::string Describe(const Op& op) {
  const std::string handle = Handle(op);
  const std::string path = Text(op.path);
  const std::string name = Text(op.name);
  switch (op.kind) {
    case OpKind::kOpen:
      return "h" + Number(static_cast<std::uint32_t>(op.into)) + " = Open(" + handle + ", " + path +
             ")";
    case OpKind::kCreate:
      return "h" + Number(static_cast<std::uint32_t>(op.into)) + " = Create(" + handle + ", " +
             path + ")";
    case OpKind::kQueryExists:
      return "Query(" + handle + ", " + name + ")";
    case OpKind::kQuerySize:
      return "Query(" + handle + ", " + name + ", size only)";
    case OpKind::kQueryFetch:
      return "Query(" + handle + ", " + name + ", buffer of the size)";
    case OpKind::kQueryShort:
      return "Query(" + handle + ", " + name + ", buffer one byte short)";
    case OpKind::kQueryLarge:
      return "Query(" + handle + ", " + name + ", large buffer)";
    case OpKind::kSet: {
      std::string data = op.null_data ? "no buffer" : "[" + cases::Hex(op.data) + "]";
      if (op.data.size() > 16) {
        data = Number(static_cast<std::uint32_t>(op.data.size())) + " bytes [" +
               cases::Hex(Bytes(op.data.begin(), op.data.begin() + 8)) + " ...]";
      }
      return "Set(" + handle + ", " + name + ", type" + Number(op.type) + ", " + data + ")";
    }
    case OpKind::kDeleteValue:
      return "DeleteValue(" + handle + ", " + name + ")";
    case OpKind::kDeleteKey:
      return "DeleteKey(" + handle + ", " + path + ")";
    case OpKind::kEnumKeys:
      return "EnumKeys(" + handle + ")";
    case OpKind::kEnumValues:
      return "EnumValues(" + handle + ")";
    case OpKind::kClose:
      return "Close(" + handle + ")";
  }
  return "?";
}

std::vector<std::string> Run(platform::Registry& registry, const Sequence& sequence,
                             std::size_t* calls) {
  Clean(registry);
  std::vector<std::string> lines;
  {
    Runner runner(registry);
    for (const Op& op : sequence) lines.push_back(runner.Do(op));
    runner.CloseAll();
    if (calls != nullptr) *calls = runner.calls();
  }
  Clean(registry);
  return lines;
}

Divergence Compare(platform::Registry& first, platform::Registry& second,
                   const Sequence& sequence) {
  Divergence result;
  const std::vector<std::string> a = Run(first, sequence, &result.calls);
  const std::vector<std::string> b = Run(second, sequence);
  for (std::size_t i = 0; i < sequence.size(); ++i) {
    if (a[i] != b[i]) {
      result.found = true;
      result.index = i;
      result.first = a[i];
      result.second = b[i];
      break;
    }
  }
  return result;
}

Sequence Shrink(platform::Registry& first, platform::Registry& second, Sequence sequence) {
  const Divergence start = Compare(first, second, sequence);
  if (!start.found) return sequence;
  sequence.resize(start.index + 1);  // what follows the first difference does not matter
  // Remove runs of calls, halving their length, and single calls last, until none can go.
  for (std::size_t chunk = std::max<std::size_t>(1, sequence.size() / 2);;) {
    bool removed = false;
    for (std::size_t at = 0; at + chunk <= sequence.size() && sequence.size() > 1;) {
      Sequence shorter = sequence;
      shorter.erase(shorter.begin() + static_cast<std::ptrdiff_t>(at),
                    shorter.begin() + static_cast<std::ptrdiff_t>(at + chunk));
      const Divergence d = Compare(first, second, shorter);
      if (d.found) {
        shorter.resize(d.index + 1);
        sequence = std::move(shorter);
        removed = true;
      } else {
        at += chunk;
      }
    }
    if (chunk == 1 && !removed) break;
    if (!removed) chunk = std::max<std::size_t>(1, chunk / 2);
  }
  return sequence;
}

}  // namespace vireo::regdiff
