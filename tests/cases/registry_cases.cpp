#include "cases/registry_cases.h"

#include <functional>

#include "cases/case_context.h"
#include "registry/reg_access.h"

namespace vireo::cases {

namespace {

// A case: its title, what it gives (on the stand-in, and so on every registry), and its run.
struct Case {
  const char* title;
  const char* expected;
  std::function<std::string(Context&)> run;
};

// Stores a value of `type` below HKCU\kBase\Read (named as the case) and reads it back into a
// value that starts as `start`.
Case ReadBack(const char* title, const char* expected, std::uint32_t type, Bytes data,
              RegValue start = RegValue()) {
  return {title, expected, [=](Context& c) {
            c.Put(B("Read"), title, type, data);
            return c.Read(U("Read\\") + title, start);
          }};
}

enum Show { kRaw = 1, kRead = 2, kSame = 4 };

// Writes `value` as `type` to HKCU\kBase\Write (named as the case), then shows what the
// platform stored, what RegRead gives back into a value that starts as the number 9, and for long
// values how long it came back and whether unchanged.
Case WriteThen(const char* title, const char* expected, RegValue value, int type, int show) {
  return {title, expected, [=](Context& c) {
            const std::string path = U("Write\\") + title;
            std::string out = c.Write(path, value, type);
            if (show & kRaw) out += " " + c.Raw(B("Write"), title);
            if (show & kRead) out += " " + c.Read(path, RegValue::Number(9));
            RegValue back;
            if (show & kSame) {
              out += " " + Join({c.Count("read", [&](auto& r) { return RegRead(r, path, &back); }),
                                 Status("size", static_cast<std::int32_t>(back.AsText().size())),
                                 back == value ? "same" : "different"});
            }
            return out;
          }};
}

// Writes a value that does not convert: the key is created all the same, the value is not.
Case KeepsKey(const char* title, const char* expected, RegValue value, int type) {
  return {title, expected, [=](Context& c) {
            return Join({c.Write(U(title) + "\\Value", value, type), c.Key(B(title)),
                         c.Raw(B(title), "Value")});
          }};
}

std::vector<Case> Cases() {
  using platform::kRegBinary, platform::kRegDword, platform::kRegSz;
  using V = RegValue;
  const RegValue x = RegValue::Text("x");
  Bytes long_bytes(600);  // every byte value
  std::string long_text;
  for (int i = 0; i < 600; ++i) long_bytes[i] = static_cast<std::uint8_t>(i * 7 + i / 256);
  for (int i = 0; i < 700; ++i) long_text += static_cast<char>('!' + i % 90);
  return {
      ReadBack("read text", "read=0/3 text:\"msshrui.dll\"", kRegSz,
               Bytes(kMsshrui.begin(), kMsshrui.end())),
      ReadBack("read text stops at NUL", "read=0/3 text:\"abc\"", kRegSz,
               {'a', 'b', 'c', 0, 'd', 'e', 'f'}),
      ReadBack("read empty text", "read=0/3 text:\"\"", kRegSz, {}, RegValue::Number(5)),
      ReadBack("read expandable string leaves value", "read=0/3 number:77", platform::kRegExpandSz,
               {'%', 'w', '%', 0}, RegValue::Number(77)),
      ReadBack("read multi-string leaves value", "read=0/3 text:\"keep\"", platform::kRegMultiSz,
               {'a', 0, 'b', 0, 0}, RegValue::Text("keep")),
      ReadBack("read dword FF FF FF FF", "read=0/3 number:-1", kRegDword, {0xFF, 0xFF, 0xFF, 0xFF}),
      ReadBack("read dword 258", "read=0/3 number:258", kRegDword, {2, 1, 0, 0}),
      // A number stored in fewer bytes reads with zeros above; in more, it does not fit.
      ReadBack("read dword of 2 bytes", "read=0/3 number:4660", kRegDword, {0x34, 0x12}),
      ReadBack("read dword of 5 bytes", "read=24/3 bytes:[09]", kRegDword, {1, 0, 0, 0, 0},
               RegValue::Bytes({9})),
      ReadBack("read binary", "read=0/3 bytes:[01 00 FF 80]", kRegBinary, {0x01, 0x00, 0xFF, 0x80}),
      ReadBack("read empty binary", "read=0/3 bytes:[]", kRegBinary, {}, RegValue::Number(1)),
      {"read missing value", "read=2/3 empty",
       [](Context& c) { return c.Read(U("Read\\Missing")); }},
      {"read missing key keeps value", "read=2/1 text:\"keep\"",
       [](Context& c) { return c.Read(U("NoSuchKey\\Value"), RegValue::Text("keep")); }},
      {"read default value never set", "read=0/3 text:\"\"",
       [](Context& c) {
         c.Put(B("Read\\Bare"));
         return c.Read(U("Read\\Bare\\"), RegValue::Number(3));
       }},
      WriteThen("write text", "write=0/3 raw=sz \"msshrui.dll\" read=0/3 text:\"msshrui.dll\"",
                V::Text(kMsshrui), 1, kRaw | kRead),
      {"write default value creates key",
       "write=0/3 raw=sz \"msshrui.dll\" read=0/3 text:\"msshrui.dll\"",
       [](Context& c) {
         return Join({c.Write(U("Sharing\\Handler\\"), V::Text(kMsshrui), 1),
                      c.Raw(B("Sharing\\Handler"), ""), c.Read(U("Sharing\\Handler\\"))});
       }},
      WriteThen("write number as text", "write=0/3 raw=sz \"-5\"", V::Number(-5), 1, kRaw),
      WriteThen("write empty value as text", "write=0/3 read=0/3 text:\"\"", V(), 1, kRead),
      WriteThen("write Cyrillic text",
                "write=0/3 read=0/3 text:\"\\xCF\\xF0\\xE8\\xE2\\xE5\\xF2 \\xA8\\xB8\"",
                V::Text("\xCF\xF0\xE8\xE2\xE5\xF2 \xA8\xB8"), 1, kRead),
      WriteThen("write binary", "write=0/3 raw=type3 [01 00 00 00] read=0/3 bytes:[01 00 00 00]",
                V::Bytes({1, 0, 0, 0}), 3, kRaw | kRead),
      WriteThen("write binary from text", "write=0/3 raw=type3 [41 42]", V::Text("AB"), 3, kRaw),
      // Longer than the first query's buffer: the read asks a second time for the exact size.
      WriteThen("write binary longer than 512 bytes", "write=0/3 read=0/4 size=600 same",
                V::Bytes(long_bytes), 3, kSame),
      WriteThen("write text longer than 512 characters", "write=0/3 read=0/4 size=700 same",
                V::Text(long_text), 1, kSame),
      WriteThen("write dword from text 16", "write=0/3 raw=type4 [10 00 00 00]", V::Text("16"), 4,
                kRaw),
      WriteThen("write dword from number -1", "write=0/3 raw=type4 [FF FF FF FF]", V::Number(-1), 4,
                kRaw),
      WriteThen("write dword lowest number", "write=0/3 read=0/3 number:-2147483648",
                V::Text("-2147483648"), 4, kRead),
      WriteThen("write dword from bytes", "write=0/3 read=0/3 number:42", V::Bytes({'4', '2'}), 4,
                kRead),
      WriteThen("write dword from an empty value", "write=0/3 read=0/3 number:0", V(), 4, kRead),
      WriteThen("write binary from a number", "write=0/3 raw=type3 [32 35 38]", V::Number(258), 3,
                kRaw),
      KeepsKey("write dword not a number keeps key", "write=13/2 key=yes raw=2", V::Text("abc"), 4),
      KeepsKey("write dword out of range", "write=6/2 key=yes raw=2", V::Text("2147483648"), 4),
      KeepsKey("write other type creates key only", "write=0/2 key=yes raw=2", V::Text("x"), 2),
      {"write over a value of another type", "write=0/3 write=0/3 read=0/3 number:1",
       [](Context& c) {
         return Join({c.Write(U("Write\\Retype"), V::Text("1"), 1),
                      c.Write(U("Write\\Retype"), V::Text("1"), 4), c.Read(U("Write\\Retype"))});
       }},
      {"write to HKLM", "write=0/3 read=0/3 number:7",
       [](Context& c) {
         const char* path = "HKLM\\Software\\VireoTest\\Machine\\V";
         return Join({c.Write(path, V::Number(7), 4), c.Read(path)});
       }},
      {"delete value", "delete=0/3 read=2/3 empty key=yes",
       [](Context& c) {
         c.Put(B("Del"), "V", platform::kRegSz, {'x'});
         return Join({c.Delete(U("Del\\V")), c.Read(U("Del\\V")), c.Key(B("Del"))});
       }},
      {"delete missing value", "delete=2/3",
       [](Context& c) { return c.Delete(U("Del\\Missing")); }},
      {"delete value of missing key", "delete=2/1",
       [](Context& c) { return c.Delete(U("NoKey\\V")); }},
      {"delete key with everything below it", "delete=0/3 key=no sibling key=yes",
       [](Context& c) {
         c.Put(B("Tree\\A\\B"), "V", platform::kRegSz, {'b'});
         c.Put(B("Tree\\A"), "V", platform::kRegDword, {1, 0, 0, 0});
         c.Put(B("Tree\\C"));
         c.Put(B("Treetop"));
         return Join({c.Delete(U("Tree\\")), c.Key(B("Tree")), "sibling", c.Key(B("Treetop"))});
       }},
      {"delete missing key", "delete=2/3", [](Context& c) { return c.Delete(U("NoKey\\")); }},
      {"delete key below missing parent", "delete=2/1",
       [](Context& c) { return c.Delete(U("NoKey\\Child\\")); }},
      {"delete value directly under the root", "delete=0/1 raw=2",
       [](Context& c) {
         c.Put("", "VireoTestRootValue", platform::kRegSz, {'r'});
         return Join({c.Delete("HKCU\\VireoTestRootValue"), c.Raw("", "VireoTestRootValue")});
       }},
      {"delete key directly under the root", "delete=0/1 key=no",
       [](Context& c) {
         c.Put("VireoTestRootKey\\Child");
         return Join({c.Delete("HKCU\\VireoTestRootKey\\"), c.Key("VireoTestRootKey")});
       }},
      {"root and name only", "read=5/0 empty write=5/0 raw=2",
       [x](Context& c) {
         return Join({c.Read("HKCU\\VireoTestRootValue"), c.Write("HKCU\\VireoTestRootValue", x, 1),
                      c.Raw("", "VireoTestRootValue")});
       }},
      {"no backslash", "read=5/0 empty write=5/0 delete=5/0 delete=5/0",
       [x](Context& c) {
         return Join({c.Read("HKCU"), c.Write("HKCU", x, 1), c.Delete("HKCU"), c.Delete("")});
       }},
      {"key path without a key name", "delete=5/0 delete=5/0",
       [](Context& c) {
         return Join({c.Delete("HKCU\\"), c.Delete(U("\\"))});
       }},
      {"lower-case root",
       "write=6/1 read=6/1 text:\"keep\" delete=6/1 delete=6/1 delete=6/1 key=no",
       [x](Context& c) {
         const std::string value = "hkcu\\Software\\VireoTest\\Lower\\V";
         return Join({c.Write(value, x, 1), c.Read(value, RegValue::Text("keep")), c.Delete(value),
                      c.Delete("hkcu\\Software\\VireoTest\\"), c.Delete("hkcu\\VireoTest"),
                      c.Key(B("Lower"))});
       }},
      {"unknown root", "write=6/1 read=6/1 empty",
       [x](Context& c) {
         return Join({c.Write("HKEY_CURRENT_USER\\Software\\VireoTest\\V", x, 1),
                      c.Read("\\Software\\VireoTest\\V")});
       }},
      {"HKCR is HKLM Software Classes", "write=0/3 read=0/3 text:\"x\" delete=0/3 key=no",
       [x](Context& c) {
         return Join({c.Write("HKCR\\VireoTest\\Alias\\", x, 1),
                      c.Read("HKLM\\Software\\Classes\\VireoTest\\Alias\\"),
                      c.Delete("HKLM\\Software\\Classes\\VireoTest\\"),
                      c.Key("VireoTest", platform::kClassesRoot)});
       }},
      {"names ignore letter case", "write=0/3 write=0/3 read=0/3 text:\"2\" value spelled \"Name\"",
       [](Context& c) {
         std::string out =
             Join({c.Write(U("Case\\Name"), RegValue::Text("1"), 1),
                   c.Write("HKCU\\SOFTWARE\\vireotest\\CASE\\NAME", RegValue::Text("2"), 1),
                   c.Read(U("case\\name"))});
         HKey key = 0;
         std::string name;
         c.Open(B("CASE"), &key);
         c.r.EnumValue(key, 0, &name, nullptr, nullptr);
         c.r.CloseKey(key);
         return out + " value spelled " + Quote(name);
       }},
      {"Cyrillic names ignore letter case", "write=0/3 read=0/3 text:\"y\"",
       [](Context& c) {
         // "Ключ\Ёлка" written, "КЛЮЧ\ёЛКА" read.
         return Join({c.Write(U("\xCA\xEB\xFE\xF7\\\xA8\xEB\xEA\xE0"), RegValue::Text("y"), 1),
                      c.Read(U("\xCA\xCB\xDE\xD7\\\xB8\xCB\xCA\xC0"))});
       }},
      {"empty component in a key path", "write=0/3 read=0/3 text:\"d\" read=0/3 text:\"d\"",
       [](Context& c) {
         return Join({c.Write(U("\\Double\\V"), RegValue::Text("d"), 1), c.Read(U("Double\\V")),
                      c.Read(U("\\Double\\V"))});
       }},
      {"trailing backslash on a key path", "read=0/3 text:\"t\"",
       [](Context& c) {
         c.Put(B("Trail"), "V", platform::kRegSz, {'t'});
         return c.Read(U("Trail\\\\V"));
       }},
  };
}

// Removes everything the cases create.
void Clean(platform::Registry& registry) {
  registry.DeleteKey(platform::kCurrentUser, kBase);
  registry.DeleteKey(platform::kLocalMachine, kBase);
  registry.DeleteKey(platform::kClassesRoot, "VireoTest");
  registry.DeleteKey(platform::kCurrentUser, "VireoTestRootKey");
  registry.DeleteValue(platform::kCurrentUser, "VireoTestRootValue");
}

}  // namespace

std::vector<CaseLine> RunRegistryCases(platform::Registry& registry) {
  Clean(registry);
  Context context(registry);
  std::vector<CaseLine> lines;
  for (const auto& [title, expected, run] : Cases()) {
    lines.push_back({title + (": " + run(context)), title + (": " + std::string(expected))});
  }
  Clean(registry);
  return lines;
}

}  // namespace vireo::cases
