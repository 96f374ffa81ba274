#include "cases/registry_cases.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <initializer_list>
#include <utility>

#include "registry/reg_access.h"

namespace vireo::cases {

namespace {

using platform::HKey;
using registry::RegDelete;
using registry::RegRead;
using registry::RegValue;
using registry::RegWrite;
using Bytes = std::vector<std::uint8_t>;

constexpr HKey kUser = platform::kCurrentUser;
constexpr const char* kBase = "Software\\VireoTest";  // below HKCU and HKLM
constexpr const char* kUserBase = "HKCU\\Software\\VireoTest\\";

std::string U(const std::string& rest) {
  return kUserBase + rest;
}

std::string Hex(const Bytes& bytes) {
  std::string out;
  char digits[4];
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    std::snprintf(digits, sizeof digits, i == 0 ? "%02X" : " %02X", bytes[i]);
    out += digits;
  }
  return out;
}

// Text in quotes, every byte outside printable ASCII as \xNN.
std::string Quote(const std::string& text) {
  std::string out = "\"";
  for (const char c : text) {
    const auto code = static_cast<unsigned char>(c);
    if (code >= 0x20 && code < 0x7F && c != '"' && c != '\\') {
      out += c;
    } else {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", code);
      out += escaped;
    }
  }
  return out + "\"";
}

// The parts in order, separated by blanks (the braces fix the order of evaluation).
std::string Join(std::initializer_list<std::string> parts) {
  std::string out;
  for (const std::string& part : parts) out += (out.empty() ? "" : " ") + part;
  return out;
}

std::string Describe(const RegValue& value) {
  switch (value.kind()) {
    case RegValue::Kind::kEmpty:
      return "empty";
    case RegValue::Kind::kText:
      return "text:" + Quote(value.text());
    case RegValue::Kind::kBytes:
      return "bytes:[" + Hex(value.bytes()) + "]";
    case RegValue::Kind::kNumber:
      return "number:" + std::to_string(value.number());
  }
  return "?";
}

class Context {
 public:
  explicit Context(platform::Registry& registry) : r(registry) {}

  platform::Registry& r;

  // RegRead from a value that starts as `start`: "status=S value".
  std::string Read(const std::string& path, RegValue start = RegValue()) {
    RegValue value = std::move(start);
    const std::int32_t status = RegRead(r, path, &value);
    return Join({"read=" + std::to_string(status), Describe(value)});
  }
  std::string Write(const std::string& path, const RegValue& value, std::int32_t type) {
    return "write=" + std::to_string(RegWrite(r, path, value, type));
  }
  std::string Delete(const std::string& path) {
    return "delete=" + std::to_string(RegDelete(r, path));
  }

  // Stores a value straight through the platform.
  void Put(HKey root, const std::string& key, const std::string& name, std::uint32_t type,
           const Bytes& data) {
    HKey handle = 0;
    bool created = false;
    if (r.CreateKey(root, key, platform::kKeyAllAccess3F, &handle, &created) != 0) return;
    r.SetValue(handle, name, type, data.data(), static_cast<std::uint32_t>(data.size()));
    r.CloseKey(handle);
  }
  void PutKey(HKey root, const std::string& key) {
    HKey handle = 0;
    bool created = false;
    if (r.CreateKey(root, key, platform::kKeyAllAccess3F, &handle, &created) == 0) {
      r.CloseKey(handle);
    }
  }

  // "key=yes" or "key=no".
  std::string Key(HKey root, const std::string& key) {
    HKey handle = 0;
    const std::int32_t status = r.OpenKey(root, key, platform::kKeyQueryValue, &handle);
    if (status == 0) r.CloseKey(handle);
    return status == 0 ? "key=yes" : "key=no";
  }

  // The stored value as the platform holds it: "raw=TYPE DATA" or "raw=STATUS". String data is
  // shown up to its first NUL: 9x and Wine in 98 mode store REG_SZ with a NUL added.
  std::string Raw(HKey root, const std::string& key, const std::string& name) {
    HKey handle = 0;
    std::int32_t status = r.OpenKey(root, key, platform::kKeyQueryValue, &handle);
    if (status != 0) return "raw=" + std::to_string(status);
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    status = r.QueryValue(handle, name, &type, nullptr, &size);
    Bytes data(size);
    if (status == 0 && size > 0) status = r.QueryValue(handle, name, &type, data.data(), &size);
    r.CloseKey(handle);
    if (status != 0) return "raw=" + std::to_string(status);
    data.resize(size);
    if (type == platform::kRegSz) {
      const std::string text(data.begin(), std::find(data.begin(), data.end(), 0));
      return "raw=sz " + Quote(text);
    }
    return "raw=type" + std::to_string(type) + " [" + Hex(data) + "]";
  }
};

using Case = std::pair<const char*, std::function<std::string(Context&)>>;

const std::string kMsshrui = "msshrui.dll";

std::vector<Case> ReadCases() {
  return {
      {"read text",
       [](Context& c) {
         c.Put(kUser, kBase + std::string("\\Read"), "Text", platform::kRegSz,
               Bytes(kMsshrui.begin(), kMsshrui.end()));
         return c.Read(U("Read\\Text"));
       }},
      {"read text stops at NUL",
       [](Context& c) {
         c.Put(kUser, kBase + std::string("\\Read"), "Nul", platform::kRegSz,
               {'a', 'b', 'c', 0, 'd', 'e', 'f'});
         return c.Read(U("Read\\Nul"));
       }},
      {"read empty text",
       [](Context& c) {
         c.Put(kUser, kBase + std::string("\\Read"), "Empty", platform::kRegSz, {});
         return c.Read(U("Read\\Empty"), RegValue::Number(5));
       }},
      {"read expandable string leaves value",
       [](Context& c) {
         c.Put(kUser, kBase + std::string("\\Read"), "Expand", platform::kRegExpandSz,
               {'%', 'w', '%', 0});
         return c.Read(U("Read\\Expand"), RegValue::Number(77));
       }},
      {"read multi-string leaves value",
       [](Context& c) {
         c.Put(kUser, kBase + std::string("\\Read"), "Multi", platform::kRegMultiSz,
               {'a', 0, 'b', 0, 0});
         return c.Read(U("Read\\Multi"), RegValue::Text("keep"));
       }},
      {"read dword FF FF FF FF",
       [](Context& c) {
         c.Put(kUser, kBase + std::string("\\Read"), "Minus", platform::kRegDword,
               {0xFF, 0xFF, 0xFF, 0xFF});
         return c.Read(U("Read\\Minus"));
       }},
      {"read dword 258",
       [](Context& c) {
         c.Put(kUser, kBase + std::string("\\Read"), "Dword", platform::kRegDword, {2, 1, 0, 0});
         return c.Read(U("Read\\Dword"));
       }},
      {"read binary",
       [](Context& c) {
         c.Put(kUser, kBase + std::string("\\Read"), "Bin", platform::kRegBinary,
               {0x01, 0x00, 0xFF, 0x80});
         return c.Read(U("Read\\Bin"));
       }},
      {"read empty binary",
       [](Context& c) {
         c.Put(kUser, kBase + std::string("\\Read"), "EmptyBin", platform::kRegBinary, {});
         return c.Read(U("Read\\EmptyBin"), RegValue::Number(1));
       }},
      {"read missing value", [](Context& c) { return c.Read(U("Read\\Missing")); }},
      {"read missing key keeps value",
       [](Context& c) { return c.Read(U("NoSuchKey\\Value"), RegValue::Text("keep")); }},
      {"read default value never set",
       [](Context& c) {
         c.PutKey(kUser, kBase + std::string("\\Read\\Bare"));
         return c.Read(U("Read\\Bare\\"), RegValue::Number(3));
       }},
  };
}

std::vector<Case> WriteCases() {
  return {
      {"write text",
       [](Context& c) {
         return Join({c.Write(U("Write\\Text"), RegValue::Text(kMsshrui), 1),
                      c.Raw(kUser, kBase + std::string("\\Write"), "Text"),
                      c.Read(U("Write\\Text"))});
       }},
      {"write default value creates key",
       [](Context& c) {
         return Join({c.Write(U("Sharing\\Handler\\"), RegValue::Text(kMsshrui), 1),
                      c.Raw(kUser, kBase + std::string("\\Sharing\\Handler"), ""),
                      c.Read(U("Sharing\\Handler\\"))});
       }},
      {"write number as text",
       [](Context& c) {
         return Join({c.Write(U("Write\\NumText"), RegValue::Number(-5), 1),
                      c.Raw(kUser, kBase + std::string("\\Write"), "NumText")});
       }},
      {"write empty value as text",
       [](Context& c) {
         return Join({c.Write(U("Write\\EmptyText"), RegValue(), 1),
                      c.Read(U("Write\\EmptyText"), RegValue::Number(9))});
       }},
      {"write Cyrillic text",
       [](Context& c) {
         const std::string text = "\xCF\xF0\xE8\xE2\xE5\xF2 \xA8\xB8";
         return Join({c.Write(U("Write\\Cyr"), RegValue::Text(text), 1), c.Read(U("Write\\Cyr"))});
       }},
      {"write binary",
       [](Context& c) {
         return Join({c.Write(U("Write\\Bin"), RegValue::Bytes({1, 0, 0, 0}), 3),
                      c.Raw(kUser, kBase + std::string("\\Write"), "Bin"),
                      c.Read(U("Write\\Bin"))});
       }},
      {"write binary from text",
       [](Context& c) {
         return Join({c.Write(U("Write\\BinText"), RegValue::Text("AB"), 3),
                      c.Raw(kUser, kBase + std::string("\\Write"), "BinText")});
       }},
      {"write binary of every byte",
       [](Context& c) {
         Bytes all(256);
         for (int i = 0; i < 256; ++i) all[i] = static_cast<std::uint8_t>(i);
         RegValue back;
         const std::string written = c.Write(U("Write\\All"), RegValue::Bytes(all), 3);
         const std::int32_t status = RegRead(c.r, U("Write\\All"), &back);
         return written + " read=" + std::to_string(status) +
                (back == RegValue::Bytes(all) ? " same" : " different");
       }},
      {"write dword from text 16",
       [](Context& c) {
         return Join({c.Write(U("Write\\Sixteen"), RegValue::Text("16"), 4),
                      c.Raw(kUser, kBase + std::string("\\Write"), "Sixteen")});
       }},
      {"write dword from number -1",
       [](Context& c) {
         return Join({c.Write(U("Write\\Minus"), RegValue::Number(-1), 4),
                      c.Raw(kUser, kBase + std::string("\\Write"), "Minus")});
       }},
      {"write dword lowest number",
       [](Context& c) {
         return Join({c.Write(U("Write\\Lowest"), RegValue::Text("-2147483648"), 4),
                      c.Read(U("Write\\Lowest"))});
       }},
      {"write dword not a number keeps key",
       [](Context& c) {
         return Join({c.Write(U("NotNumber\\Value"), RegValue::Text("abc"), 4),
                      c.Key(kUser, kBase + std::string("\\NotNumber")),
                      c.Raw(kUser, kBase + std::string("\\NotNumber"), "Value")});
       }},
      {"write dword out of range",
       [](Context& c) {
         return Join({c.Write(U("Overflow\\Value"), RegValue::Text("2147483648"), 4),
                      c.Key(kUser, kBase + std::string("\\Overflow")),
                      c.Raw(kUser, kBase + std::string("\\Overflow"), "Value")});
       }},
      {"write other type creates key only",
       [](Context& c) {
         return Join({c.Write(U("Type2\\Value"), RegValue::Text("x"), 2),
                      c.Key(kUser, kBase + std::string("\\Type2")),
                      c.Raw(kUser, kBase + std::string("\\Type2"), "Value")});
       }},
      {"write over a value of another type",
       [](Context& c) {
         return Join({c.Write(U("Write\\Retype"), RegValue::Text("1"), 1),
                      c.Write(U("Write\\Retype"), RegValue::Text("1"), 4),
                      c.Read(U("Write\\Retype"))});
       }},
      {"write to HKLM",
       [](Context& c) {
         return Join({c.Write("HKLM\\Software\\VireoTest\\Machine\\V", RegValue::Number(7), 4),
                      c.Read("HKLM\\Software\\VireoTest\\Machine\\V")});
       }},
  };
}

std::vector<Case> DeleteCases() {
  return {
      {"delete value",
       [](Context& c) {
         c.Put(kUser, kBase + std::string("\\Del"), "V", platform::kRegSz, {'x'});
         return Join({c.Delete(U("Del\\V")), c.Read(U("Del\\V")),
                      c.Key(kUser, kBase + std::string("\\Del"))});
       }},
      {"delete missing value", [](Context& c) { return c.Delete(U("Del\\Missing")); }},
      {"delete value of missing key", [](Context& c) { return c.Delete(U("NoKey\\V")); }},
      {"delete key with everything below it",
       [](Context& c) {
         c.Put(kUser, kBase + std::string("\\Tree\\A\\B"), "V", platform::kRegSz, {'b'});
         c.Put(kUser, kBase + std::string("\\Tree\\A"), "V", platform::kRegDword, {1, 0, 0, 0});
         c.PutKey(kUser, kBase + std::string("\\Tree\\C"));
         c.PutKey(kUser, kBase + std::string("\\Treetop"));
         return Join({c.Delete(U("Tree\\")), c.Key(kUser, kBase + std::string("\\Tree")), "sibling",
                      c.Key(kUser, kBase + std::string("\\Treetop"))});
       }},
      {"delete missing key", [](Context& c) { return c.Delete(U("NoKey\\")); }},
      {"delete key below missing parent", [](Context& c) { return c.Delete(U("NoKey\\Child\\")); }},
      {"delete value directly under the root",
       [](Context& c) {
         c.Put(kUser, "", "VireoTestRootValue", platform::kRegSz, {'r'});
         return Join(
             {c.Delete("HKCU\\VireoTestRootValue"), c.Raw(kUser, "", "VireoTestRootValue")});
       }},
      {"delete key directly under the root",
       [](Context& c) {
         c.PutKey(kUser, "VireoTestRootKey\\Child");
         return Join({c.Delete("HKCU\\VireoTestRootKey\\"), c.Key(kUser, "VireoTestRootKey")});
       }},
  };
}

std::vector<Case> PathCases() {
  return {
      {"root and name only",
       [](Context& c) {
         return Join({c.Read("HKCU\\VireoTestRootValue"),
                      c.Write("HKCU\\VireoTestRootValue", RegValue::Text("x"), 1),
                      c.Raw(kUser, "", "VireoTestRootValue")});
       }},
      {"no backslash",
       [](Context& c) {
         return Join({c.Read("HKCU"), c.Write("HKCU", RegValue::Text("x"), 1), c.Delete("HKCU"),
                      c.Delete("")});
       }},
      {"key path without a key name",
       [](Context& c) {
         return Join({c.Delete("HKCU\\"), c.Delete(U("\\"))});
       }},
      {"lower-case root",
       [](Context& c) {
         return Join({c.Write("hkcu\\Software\\VireoTest\\Lower\\V", RegValue::Text("x"), 1),
                      c.Read("hkcu\\Software\\VireoTest\\Lower\\V", RegValue::Text("keep")),
                      c.Delete("hkcu\\Software\\VireoTest\\Lower\\V"),
                      c.Delete("hkcu\\Software\\VireoTest\\"), c.Delete("hkcu\\VireoTest"),
                      c.Key(kUser, kBase + std::string("\\Lower"))});
       }},
      {"unknown root",
       [](Context& c) {
         return Join({c.Write("HKEY_CURRENT_USER\\Software\\VireoTest\\V", RegValue::Text("x"), 1),
                      c.Read("\\Software\\VireoTest\\V")});
       }},
      {"HKCR is HKLM Software Classes",
       [](Context& c) {
         return Join({c.Write("HKCR\\VireoTest\\Alias\\", RegValue::Text("x"), 1),
                      c.Read("HKLM\\Software\\Classes\\VireoTest\\Alias\\"),
                      c.Delete("HKLM\\Software\\Classes\\VireoTest\\"),
                      c.Key(platform::kClassesRoot, "VireoTest")});
       }},
      {"names ignore letter case",
       [](Context& c) {
         std::string out =
             Join({c.Write(U("Case\\Name"), RegValue::Text("1"), 1),
                   c.Write("HKCU\\SOFTWARE\\vireotest\\CASE\\NAME", RegValue::Text("2"), 1),
                   c.Read(U("case\\name"))});
         HKey key = 0;
         std::string name;
         std::uint32_t type = 0;
         c.r.OpenKey(kUser, kBase, platform::kKeyQueryValue, &key);
         HKey sub = 0;
         c.r.OpenKey(key, "CASE", platform::kKeyQueryValue, &sub);
         c.r.EnumValue(sub, 0, &name, &type, nullptr);
         out += " value spelled " + Quote(name);
         c.r.CloseKey(sub);
         c.r.CloseKey(key);
         return out;
       }},
      {"Cyrillic names ignore letter case",
       [](Context& c) {
         // "Ключ\Ёлка" written, "КЛЮЧ\ёЛКА" read.
         return Join({c.Write(U("\xCA\xEB\xFE\xF7\\\xA8\xEB\xEA\xE0"), RegValue::Text("y"), 1),
                      c.Read(U("\xCA\xCB\xDE\xD7\\\xB8\xCB\xCA\xC0"))});
       }},
      {"empty component in a key path",
       [](Context& c) {
         return Join({c.Write(U("\\Double\\V"), RegValue::Text("d"), 1), c.Read(U("Double\\V")),
                      c.Read(U("\\Double\\V"))});
       }},
      {"trailing backslash on a key path",
       [](Context& c) {
         c.Put(kUser, kBase + std::string("\\Trail"), "V", platform::kRegSz, {'t'});
         return c.Read(U("Trail\\\\V"));
       }},
  };
}

// The registry interface itself, where the adapter mends Wine.
std::vector<Case> PlatformCases() {
  return {
      {"platform default value of a new key",
       [](Context& c) {
         HKey key = 0;
         bool created = false;
         const std::int32_t create = c.r.CreateKey(kUser, kBase + std::string("\\Plat"),
                                                   platform::kKeyAllAccess3F, &key, &created);
         std::uint32_t type = 0;
         std::uint32_t size = 99;
         const std::int32_t query = c.r.QueryValue(key, "", &type, nullptr, &size);
         std::uint8_t buffer[4] = {};
         std::uint32_t capacity = sizeof buffer;
         const std::int32_t fetch = c.r.QueryValue(key, "", &type, buffer, &capacity);
         c.r.CloseKey(key);
         return "create=" + std::to_string(create) + " created=" + std::to_string(created) +
                " query=" + std::to_string(query) + " type=" + std::to_string(type) +
                " size=" + std::to_string(size) + " fetch=" + std::to_string(fetch) +
                " size=" + std::to_string(capacity);
       }},
      {"platform key created only once",
       [](Context& c) {
         HKey key = 0;
         bool created = true;
         c.r.CreateKey(kUser, kBase + std::string("\\Plat"), platform::kKeyAllAccess3F, &key,
                       &created);
         c.r.CloseKey(key);
         return "created=" + std::to_string(created);
       }},
      {"platform short buffer",
       [](Context& c) {
         c.Put(kUser, kBase + std::string("\\Plat"), "Eight", platform::kRegBinary,
               {1, 2, 3, 4, 5, 6, 7, 8});
         HKey key = 0;
         c.r.OpenKey(kUser, kBase + std::string("\\Plat"), platform::kKeyQueryValue, &key);
         std::uint8_t buffer[4] = {};
         std::uint32_t size = sizeof buffer;
         std::uint32_t type = 0;
         const std::int32_t status = c.r.QueryValue(key, "Eight", &type, buffer, &size);
         c.r.CloseKey(key);
         return "query=" + std::to_string(status) + " size=" + std::to_string(size);
       }},
      {"platform bad handles",
       [](Context& c) {
         HKey key = 0;
         std::uint32_t type = 0;
         std::uint32_t size = 0;
         return "open=" + std::to_string(c.r.OpenKey(0, "Software", 1, &key)) +
                " query=" + std::to_string(c.r.QueryValue(0, "x", &type, nullptr, &size)) +
                " close0=" + std::to_string(c.r.CloseKey(0)) +
                " closeHKCU=" + std::to_string(c.r.CloseKey(kUser)) +
                " closeHKLM=" + std::to_string(c.r.CloseKey(platform::kLocalMachine));
       }},
      {"platform enumerations",
       [](Context& c) {
         c.PutKey(kUser, kBase + std::string("\\Enum\\Zeta"));
         c.PutKey(kUser, kBase + std::string("\\Enum\\alpha"));
         c.PutKey(kUser, kBase + std::string("\\Enum\\Mid"));
         c.Put(kUser, kBase + std::string("\\Enum"), "n", platform::kRegDword, {5, 0, 0, 0});
         c.Put(kUser, kBase + std::string("\\Enum"), "B", platform::kRegBinary, {0xAB});
         HKey key = 0;
         c.r.OpenKey(kUser, kBase + std::string("\\Enum"), platform::kKeyQueryValue, &key);
         std::vector<std::string> keys;
         std::vector<std::string> values;
         std::string name;
         std::int32_t status = 0;
         std::uint32_t index = 0;
         for (; (status = c.r.EnumKey(key, index, &name)) == 0; ++index) keys.push_back(name);
         const std::string key_end = std::to_string(status);
         std::uint32_t type = 0;
         Bytes data;
         for (index = 0; (status = c.r.EnumValue(key, index, &name, &type, &data)) == 0; ++index) {
           values.push_back(name + "=" + std::to_string(type) + "[" + Hex(data) + "]");
         }
         c.r.CloseKey(key);
         // 9x keeps creation order, Wine sorts: compare the sets.
         std::sort(keys.begin(), keys.end());
         std::sort(values.begin(), values.end());
         std::string out = "keys";
         for (const auto& k : keys) out += " " + k;
         out += " end=" + key_end + " values";
         for (const auto& v : values) out += " " + v;
         return out + " end=" + std::to_string(status);
       }},
      {"platform handle of a deleted key",
       [](Context& c) {
         HKey key = 0;
         bool created = false;
         c.r.CreateKey(kUser, kBase + std::string("\\Gone"), platform::kKeyAllAccess3F, &key,
                       &created);
         HKey parent = 0;
         c.r.OpenKey(kUser, kBase, platform::kKeyQueryValue, &parent);
         const std::int32_t deleted = c.r.DeleteKey(parent, "Gone");
         c.r.CloseKey(parent);
         const std::uint8_t one = '1';
         const std::int32_t set = c.r.SetValue(key, "V", platform::kRegSz, &one, 1);
         c.r.CloseKey(key);
         return "delete=" + std::to_string(deleted) + " set=" + std::to_string(set);
       }},
      {"platform performance data root",
       [](Context& c) {
         HKey key = 0;
         bool created = false;
         const std::int32_t status = c.r.CreateKey(platform::kPerformanceData, "VireoTest",
                                                   platform::kKeyAllAccess3F, &key, &created);
         if (status == 0) c.r.CloseKey(key);
         return "create=" + std::to_string(status);
       }},
  };
}

}  // namespace

void CleanRegistryCases(platform::Registry& registry) {
  registry.DeleteKey(platform::kCurrentUser, kBase);
  registry.DeleteKey(platform::kLocalMachine, kBase);
  registry.DeleteKey(platform::kClassesRoot, "VireoTest");
  registry.DeleteKey(platform::kCurrentUser, "VireoTestRootKey");
  registry.DeleteValue(platform::kCurrentUser, "VireoTestRootValue");
}

std::vector<std::string> RunRegistryCases(platform::Registry& registry) {
  CleanRegistryCases(registry);
  Context context(registry);
  std::vector<std::string> lines;
  for (auto* group : {&ReadCases, &WriteCases, &DeleteCases, &PathCases, &PlatformCases}) {
    for (const auto& [name, run] : (*group)())
      lines.push_back(std::string(name) + ": " + run(context));
  }
  CleanRegistryCases(registry);
  return lines;
}

}  // namespace vireo::cases
