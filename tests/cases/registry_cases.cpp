#include "cases/registry_cases.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <initializer_list>
#include <set>
#include <utility>

#include "cases/case_context.h"
#include "registry/reg_access.h"

namespace vireo::cases {

namespace {

using Case = std::pair<const char*, std::function<std::string(Context&)>>;

// Stores a value of `type` below HKCU\kBase\Read (named as the case) and reads it back into a
// value that starts as `start`.
Case ReadBack(const char* title, std::uint32_t type, Bytes data, RegValue start = RegValue()) {
  return {title, [=](Context& c) {
            c.Put(B("Read"), title, type, data);
            return c.Read(U("Read\\") + title, start);
          }};
}

enum Show { kRaw = 1, kRead = 2, kSame = 4 };

// Writes `value` as `type` to HKCU\kBase\Write (named as the case), then shows what the
// platform stored, what RegRead gives back into a value that starts as the number 9, and for long
// values how long it came back and whether unchanged.
Case WriteThen(const char* title, RegValue value, int type, int show) {
  return {title, [=](Context& c) {
            const std::string path = U("Write\\") + title;
            std::string out = c.Write(path, value, type);
            if (show & kRaw) out += " " + c.Raw(B("Write"), title);
            if (show & kRead) out += " " + c.Read(path, RegValue::Number(9));
            RegValue back;
            if (show & kSame) {
              out += " " + Join({Status("read", RegRead(c.r, path, &back)),
                                 Status("size", static_cast<std::int32_t>(back.AsText().size())),
                                 back == value ? "same" : "different"});
            }
            return out;
          }};
}

// Writes a value that does not convert: the key is created all the same, the value is not.
Case KeepsKey(const char* title, RegValue value, int type) {
  return {title, [=](Context& c) {
            return Join({c.Write(U(title) + "\\Value", value, type), c.Key(B(title)),
                         c.Raw(B(title), "Value")});
          }};
}

std::vector<Case> ReadCases() {
  using platform::kRegBinary, platform::kRegDword, platform::kRegSz;
  return {
      ReadBack("read text", kRegSz, Bytes(kMsshrui.begin(), kMsshrui.end())),
      ReadBack("read text stops at NUL", kRegSz, {'a', 'b', 'c', 0, 'd', 'e', 'f'}),
      ReadBack("read empty text", kRegSz, {}, RegValue::Number(5)),
      ReadBack("read expandable string leaves value", platform::kRegExpandSz, {'%', 'w', '%', 0},
               RegValue::Number(77)),
      ReadBack("read multi-string leaves value", platform::kRegMultiSz, {'a', 0, 'b', 0, 0},
               RegValue::Text("keep")),
      ReadBack("read dword FF FF FF FF", kRegDword, {0xFF, 0xFF, 0xFF, 0xFF}),
      ReadBack("read dword 258", kRegDword, {2, 1, 0, 0}),
      // A number stored in fewer bytes reads with zeros above; in more, it does not fit.
      ReadBack("read dword of 2 bytes", kRegDword, {0x34, 0x12}),
      ReadBack("read dword of 5 bytes", kRegDword, {1, 0, 0, 0, 0}, RegValue::Bytes({9})),
      ReadBack("read binary", kRegBinary, {0x01, 0x00, 0xFF, 0x80}),
      ReadBack("read empty binary", kRegBinary, {}, RegValue::Number(1)),
      {"read missing value", [](Context& c) { return c.Read(U("Read\\Missing")); }},
      {"read missing key keeps value",
       [](Context& c) { return c.Read(U("NoSuchKey\\Value"), RegValue::Text("keep")); }},
      {"read default value never set",
       [](Context& c) {
         c.PutKey(B("Read\\Bare"));
         return c.Read(U("Read\\Bare\\"), RegValue::Number(3));
       }},
  };
}

std::vector<Case> WriteCases() {
  using V = RegValue;
  Bytes all(256);
  Bytes long_bytes(600);
  std::string long_text;
  for (int i = 0; i < 256; ++i) all[i] = static_cast<std::uint8_t>(i);
  for (int i = 0; i < 600; ++i) long_bytes[i] = static_cast<std::uint8_t>(i * 7 + i / 256);
  for (int i = 0; i < 700; ++i) long_text += static_cast<char>('!' + i % 90);
  return {
      WriteThen("write text", V::Text(kMsshrui), 1, kRaw | kRead),
      {"write default value creates key",
       [](Context& c) {
         return Join({c.Write(U("Sharing\\Handler\\"), V::Text(kMsshrui), 1),
                      c.Raw(B("Sharing\\Handler"), ""), c.Read(U("Sharing\\Handler\\"))});
       }},
      WriteThen("write number as text", V::Number(-5), 1, kRaw),
      WriteThen("write empty value as text", V(), 1, kRead),
      WriteThen("write Cyrillic text", V::Text("\xCF\xF0\xE8\xE2\xE5\xF2 \xA8\xB8"), 1, kRead),
      WriteThen("write binary", V::Bytes({1, 0, 0, 0}), 3, kRaw | kRead),
      WriteThen("write binary from text", V::Text("AB"), 3, kRaw),
      WriteThen("write binary of every byte", V::Bytes(all), 3, kSame),
      // Longer than the first query's buffer: the read asks a second time for the exact size.
      WriteThen("write binary longer than 512 bytes", V::Bytes(long_bytes), 3, kSame),
      WriteThen("write text longer than 512 characters", V::Text(long_text), 1, kSame),
      WriteThen("write dword from text 16", V::Text("16"), 4, kRaw),
      WriteThen("write dword from number -1", V::Number(-1), 4, kRaw),
      WriteThen("write dword lowest number", V::Text("-2147483648"), 4, kRead),
      WriteThen("write dword from bytes", V::Bytes({'4', '2'}), 4, kRead),
      WriteThen("write dword from an empty value", V(), 4, kRead),
      WriteThen("write binary from a number", V::Number(258), 3, kRaw),
      KeepsKey("write dword not a number keeps key", V::Text("abc"), 4),
      KeepsKey("write dword out of range", V::Text("2147483648"), 4),
      KeepsKey("write other type creates key only", V::Text("x"), 2),
      {"write over a value of another type",
       [](Context& c) {
         return Join({c.Write(U("Write\\Retype"), V::Text("1"), 1),
                      c.Write(U("Write\\Retype"), V::Text("1"), 4), c.Read(U("Write\\Retype"))});
       }},
      {"write to HKLM",
       [](Context& c) {
         const char* path = "HKLM\\Software\\VireoTest\\Machine\\V";
         return Join({c.Write(path, V::Number(7), 4), c.Read(path)});
       }},
  };
}

std::vector<Case> DeleteCases() {
  return {
      {"delete value",
       [](Context& c) {
         c.Put(B("Del"), "V", platform::kRegSz, {'x'});
         return Join({c.Delete(U("Del\\V")), c.Read(U("Del\\V")), c.Key(B("Del"))});
       }},
      {"delete missing value", [](Context& c) { return c.Delete(U("Del\\Missing")); }},
      {"delete value of missing key", [](Context& c) { return c.Delete(U("NoKey\\V")); }},
      {"delete key with everything below it",
       [](Context& c) {
         c.Put(B("Tree\\A\\B"), "V", platform::kRegSz, {'b'});
         c.Put(B("Tree\\A"), "V", platform::kRegDword, {1, 0, 0, 0});
         c.PutKey(B("Tree\\C"));
         c.PutKey(B("Treetop"));
         return Join({c.Delete(U("Tree\\")), c.Key(B("Tree")), "sibling", c.Key(B("Treetop"))});
       }},
      {"delete missing key", [](Context& c) { return c.Delete(U("NoKey\\")); }},
      {"delete key below missing parent", [](Context& c) { return c.Delete(U("NoKey\\Child\\")); }},
      {"delete value directly under the root",
       [](Context& c) {
         c.Put("", "VireoTestRootValue", platform::kRegSz, {'r'});
         return Join({c.Delete("HKCU\\VireoTestRootValue"), c.Raw("", "VireoTestRootValue")});
       }},
      {"delete key directly under the root",
       [](Context& c) {
         c.PutKey("VireoTestRootKey\\Child");
         return Join({c.Delete("HKCU\\VireoTestRootKey\\"), c.Key("VireoTestRootKey")});
       }},
  };
}

std::vector<Case> PathCases() {
  const RegValue x = RegValue::Text("x");
  return {
      {"root and name only",
       [x](Context& c) {
         return Join({c.Read("HKCU\\VireoTestRootValue"), c.Write("HKCU\\VireoTestRootValue", x, 1),
                      c.Raw("", "VireoTestRootValue")});
       }},
      {"no backslash",
       [x](Context& c) {
         return Join({c.Read("HKCU"), c.Write("HKCU", x, 1), c.Delete("HKCU"), c.Delete("")});
       }},
      {"key path without a key name",
       [](Context& c) {
         return Join({c.Delete("HKCU\\"), c.Delete(U("\\"))});
       }},
      {"lower-case root",
       [x](Context& c) {
         const std::string value = "hkcu\\Software\\VireoTest\\Lower\\V";
         return Join({c.Write(value, x, 1), c.Read(value, RegValue::Text("keep")), c.Delete(value),
                      c.Delete("hkcu\\Software\\VireoTest\\"), c.Delete("hkcu\\VireoTest"),
                      c.Key(B("Lower"))});
       }},
      {"unknown root",
       [x](Context& c) {
         return Join({c.Write("HKEY_CURRENT_USER\\Software\\VireoTest\\V", x, 1),
                      c.Read("\\Software\\VireoTest\\V")});
       }},
      {"HKCR is HKLM Software Classes",
       [x](Context& c) {
         return Join({c.Write("HKCR\\VireoTest\\Alias\\", x, 1),
                      c.Read("HKLM\\Software\\Classes\\VireoTest\\Alias\\"),
                      c.Delete("HKLM\\Software\\Classes\\VireoTest\\"),
                      c.Key("VireoTest", platform::kClassesRoot)});
       }},
      {"names ignore letter case",
       [](Context& c) {
         std::string out =
             Join({c.Write(U("Case\\Name"), RegValue::Text("1"), 1),
                   c.Write("HKCU\\SOFTWARE\\vireotest\\CASE\\NAME", RegValue::Text("2"), 1),
                   c.Read(U("case\\name"))});
         HKey key = 0;
         HKey sub = 0;
         std::string name;
         c.Open(kBase, &key);
         c.Open("CASE", &sub, key);
         c.r.EnumValue(sub, 0, &name, nullptr, nullptr);
         c.r.CloseKey(sub);
         c.r.CloseKey(key);
         return out + " value spelled " + Quote(name);
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
         c.Put(B("Trail"), "V", platform::kRegSz, {'t'});
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
         const std::int32_t create = c.Create(B("Plat"), &key, &created);
         std::uint32_t type = 0;
         std::uint32_t size = 99;
         const std::int32_t query = c.r.QueryValue(key, "", &type, nullptr, &size);
         std::uint8_t buffer[4] = {};
         std::uint32_t capacity = sizeof buffer;
         const std::int32_t fetch = c.r.QueryValue(key, "", &type, buffer, &capacity);
         c.r.CloseKey(key);
         bool again = true;
         c.Create(B("Plat"), &key, &again);
         c.r.CloseKey(key);
         return Join({Status("create", create), Status("created", created), Status("query", query),
                      Status("type", type), Status("size", size), Status("fetch", fetch),
                      Status("size", capacity), Status("created again", again)});
       }},
      {"platform short buffer",
       [](Context& c) {
         c.Put(B("Plat"), "Eight", platform::kRegBinary, {1, 2, 3, 4, 5, 6, 7, 8});
         HKey key = 0;
         c.Open(B("Plat"), &key);
         std::uint8_t buffer[4] = {};
         std::uint32_t size = sizeof buffer;
         std::uint32_t type = 0;
         const std::int32_t status = c.r.QueryValue(key, "Eight", &type, buffer, &size);
         c.r.CloseKey(key);
         return Join({Status("query", status), Status("size", size)});
       }},
      {"platform bad handles",
       [](Context& c) {
         HKey key = 0;
         std::uint32_t type = 0;
         std::uint32_t size = 0;
         return Join({Status("open", c.r.OpenKey(0, "Software", 1, &key)),
                      Status("query", c.r.QueryValue(0, "x", &type, nullptr, &size)),
                      Status("close0", c.r.CloseKey(0)), Status("closeHKCU", c.r.CloseKey(kUser)),
                      Status("closeHKLM", c.r.CloseKey(platform::kLocalMachine))});
       }},
      {"platform enumerations",
       [](Context& c) {
         for (const char* name : {"Zeta", "alpha", "Mid"}) c.PutKey(B("Enum\\") + name);
         c.Put(B("Enum"), "n", platform::kRegDword, {5, 0, 0, 0});
         c.Put(B("Enum"), "B", platform::kRegBinary, {0xAB});
         HKey key = 0;
         c.Open(B("Enum"), &key);
         // 9x keeps creation order, Wine sorts: compare them as sets.
         std::set<std::string> found;
         std::string name;
         std::uint32_t type = 0;
         Bytes data;
         std::int32_t end = 0;
         for (std::uint32_t i = 0; (end = c.r.EnumKey(key, i, &name)) == 0; ++i)
           found.insert("key " + name);
         found.insert(Status("key end", end));
         for (std::uint32_t i = 0; (end = c.r.EnumValue(key, i, &name, &type, &data)) == 0; ++i)
           found.insert(name + "=" + std::to_string(type) + "[" + Hex(data) + "]");
         found.insert(Status("value end", end));
         c.r.CloseKey(key);
         std::string out;
         for (const auto& word : found) out += word + ";";
         return out;
       }},
      {"platform handle of a deleted key",
       [](Context& c) {
         HKey key = 0;
         HKey parent = 0;
         c.Create(B("Gone"), &key);
         c.Open(kBase, &parent);
         const std::int32_t deleted = c.r.DeleteKey(parent, "Gone");
         c.r.CloseKey(parent);
         const std::uint8_t one = '1';
         const std::int32_t set = c.r.SetValue(key, "V", platform::kRegSz, &one, 1);
         c.r.CloseKey(key);
         return Join({Status("delete", deleted), Status("set", set)});
       }},
      {"platform create with an empty path",
       [](Context& c) {
         HKey key = 0;
         HKey again = 0;
         bool created = true;
         c.Create(B("Self"), &key);
         const std::int32_t status =
             c.r.CreateKey(key, "", platform::kKeyAllAccess3F, &again, &created);
         if (status == 0) c.r.CloseKey(again);
         c.r.CloseKey(key);
         return Join({Status("create", status), created ? "created=1" : "created=0"});
       }},
      {"platform delete of an empty key name",
       [](Context& c) {
         HKey key = 0;
         HKey parent = 0;
         c.Create(B("Gone"), &key);
         c.Open(kBase, &parent);
         c.r.DeleteKey(parent, "Gone");
         c.r.CloseKey(parent);
         const std::int32_t on_deleted = c.r.DeleteKey(key, "\\");
         c.r.CloseKey(key);
         return Join(
             {Status("deleted handle", on_deleted), Status("handle 0", c.r.DeleteKey(0, ""))});
       }},
      {"platform performance data root",
       [](Context& c) {
         HKey key = 0;
         const std::int32_t status =
             c.Create("VireoTest", &key, nullptr, platform::kPerformanceData);
         if (status == 0) c.r.CloseKey(key);
         return Status("create", status);
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
