// What the registry agreement cases share: names below the test key, how values, texts and
// statuses are written into a case's line, and the context a case runs in.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/counting_registry.h"
#include "platform/registry.h"
#include "registry/reg_access.h"

namespace vireo::cases {

using platform::HKey;
using registry::RegDelete;
using registry::RegRead;
using registry::RegValue;
using registry::RegWrite;
using Bytes = std::vector<std::uint8_t>;

constexpr HKey kUser = platform::kCurrentUser;
constexpr const char* kBase = "Software\\VireoTest";  // below HKCU and HKLM
inline const std::string kMsshrui = "msshrui.dll";

// The key `rest` below kBase, and the registry path of `rest` below HKCU\kBase.
inline std::string B(const std::string& rest) {
  return std::string(kBase) + "\\" + rest;
}
inline std::string U(const std::string& rest) {
  return "HKCU\\" + B(rest);
}

inline std::string Hex(const Bytes& bytes) {
  std::string out;
  char digits[4];
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    std::snprintf(digits, sizeof digits, i == 0 ? "%02X" : " %02X", bytes[i]);
    out += digits;
  }
  return out;
}

// Text in quotes, every byte outside printable ASCII as \xNN.
inline std::string Quote(const std::string& text) {
  std::string out = "\"";
  for (const char c : text) {
    const auto code = static_cast<unsigned char>(c);
    char escaped[8] = {c};
    if (code < 0x20 || code >= 0x7F || c == '"' || c == '\\') {
      std::snprintf(escaped, sizeof escaped, "\\x%02X", code);
    }
    out += escaped;
  }
  return out + "\"";
}

// The parts in order, separated by blanks (the braces fix the order of evaluation).
inline std::string Join(std::initializer_list<std::string> parts) {
  std::string out;
  for (const std::string& part : parts) out += (out.empty() ? "" : " ") + part;
  return out;
}

inline std::string Describe(const RegValue& value) {
  if (value.IsText()) return "text:" + Quote(value.text());
  if (value.IsBytes()) return "bytes:[" + Hex(value.bytes()) + "]";
  if (value.IsNumber()) return "number:" + std::to_string(value.number());
  return "empty";
}

inline std::string Status(const char* what, std::int32_t status) {
  return std::string(what) + "=" + std::to_string(status);
}

// Stored data: string data (type 1) up to its first NUL, since 9x (and Wine in 98 mode) store it
// as strlen + 1 bytes where the stand-in keeps the bytes as written; the program reads either
// alike.
inline std::string Shown(std::uint32_t type, const std::uint8_t* data, std::uint32_t size) {
  if (type == platform::kRegSz)
    return "sz " + Quote(std::string(data, std::find(data, data + size, 0)));
  return "type" + std::to_string(type) + " [" + Hex(Bytes(data, data + size)) + "]";
}

class Context {
 public:
  explicit Context(platform::Registry& registry) : r(registry) {}

  platform::Registry& r;
  platform::CountingRegistry counted{r};

  // One of the three operations, through the counter: "what=S/N", N the registry calls it made
  // (under Wine each call is a round trip, so each operation makes only the calls it needs).
  template <class Operation>
  std::string Count(const char* what, Operation operation) {
    counted.Reset();
    const std::int32_t status = operation(counted);
    return Status(what, status) + "/" + std::to_string(counted.total());
  }
  // RegRead from a value that starts as `start`: "read=S/N value".
  std::string Read(const std::string& path, RegValue start = RegValue()) {
    return Join(
        {Count("read", [&](auto& reg) { return RegRead(reg, path, &start); }), Describe(start)});
  }
  // `type` is the registry's number of the type; the cases also try numbers the program never
  // writes.
  std::string Write(const std::string& path, const RegValue& value, std::int32_t type) {
    const auto as = static_cast<registry::ValueType>(type);
    return Count("write", [&](auto& reg) { return RegWrite(reg, path, value, as); });
  }
  std::string Delete(const std::string& path) {
    return Count("delete", [&](auto& reg) { return RegDelete(reg, path); });
  }

  // Straight through the platform; `key` is below HKCU unless a root is given.
  std::int32_t Open(const std::string& key, HKey* handle, HKey root = kUser) {
    return r.OpenKey(root, key, platform::kKeyQueryValue, handle);
  }
  // Creates `key` below HKCU; with a value name, sets that value too.
  void Put(const std::string& key, const char* name = nullptr, std::uint32_t type = 0,
           const Bytes& data = {}) {
    HKey handle = 0;
    bool created = false;
    if (r.CreateKey(kUser, key, platform::kKeyAllAccess3F, &handle, &created) != 0) return;
    if (name) r.SetValue(handle, name, type, data.data(), static_cast<std::uint32_t>(data.size()));
    r.CloseKey(handle);
  }

  // "key=yes" or "key=no".
  std::string Key(const std::string& key, HKey root = kUser) {
    HKey handle = 0;
    const std::int32_t status = Open(key, &handle, root);
    if (status == 0) r.CloseKey(handle);
    return status == 0 ? "key=yes" : "key=no";
  }

  // The stored value as the platform holds it: "raw=" and its data, or "raw=STATUS".
  std::string Raw(const std::string& key, const std::string& name) {
    HKey handle = 0;
    std::int32_t status = Open(key, &handle);
    if (status != 0) return Status("raw", status);
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    status = r.QueryValue(handle, name, &type, nullptr, &size);
    Bytes data(size);
    if (status == 0 && size > 0) status = r.QueryValue(handle, name, &type, data.data(), &size);
    r.CloseKey(handle);
    if (status != 0) return Status("raw", status);
    return "raw=" + Shown(type, data.data(), size);
  }
};

}  // namespace vireo::cases
