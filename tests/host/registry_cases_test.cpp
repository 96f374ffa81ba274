// The in-memory registry: the agreement cases, which the Wine program also runs against the real
// registry, each line checked against what the registry layer must give; then what the stand-in
// must do beyond them.
#include <gtest/gtest.h>

#include "cases/registry_cases.h"
#include "platform/host/memory_registry.h"

namespace vireo {
namespace {

const char* const kExpected[] = {
    "read text: read=0 text:\"msshrui.dll\"",
    "read text stops at NUL: read=0 text:\"abc\"",
    "read empty text: read=0 text:\"\"",
    "read expandable string leaves value: read=0 number:77",
    "read multi-string leaves value: read=0 text:\"keep\"",
    "read dword FF FF FF FF: read=0 number:-1",
    "read dword 258: read=0 number:258",
    "read binary: read=0 bytes:[01 00 FF 80]",
    "read empty binary: read=0 bytes:[]",
    "read missing value: read=2 empty",
    "read missing key keeps value: read=2 text:\"keep\"",
    "read default value never set: read=0 text:\"\"",
    "write text: write=0 raw=sz \"msshrui.dll\" read=0 text:\"msshrui.dll\"",
    "write default value creates key: write=0 raw=sz \"msshrui.dll\" read=0 text:\"msshrui.dll\"",
    "write number as text: write=0 raw=sz \"-5\"",
    "write empty value as text: write=0 read=0 text:\"\"",
    "write Cyrillic text: write=0 read=0 text:\"\\xCF\\xF0\\xE8\\xE2\\xE5\\xF2 \\xA8\\xB8\"",
    "write binary: write=0 raw=type3 [01 00 00 00] read=0 bytes:[01 00 00 00]",
    "write binary from text: write=0 raw=type3 [41 42]",
    "write binary of every byte: write=0 read=0 same",
    "write binary longer than 512 bytes: write=0 read=0 size=600 same",
    "write text longer than 512 characters: write=0 read=0 size=700 same",
    "write dword from text 16: write=0 raw=type4 [10 00 00 00]",
    "write dword from number -1: write=0 raw=type4 [FF FF FF FF]",
    "write dword lowest number: write=0 read=0 number:-2147483648",
    "write dword not a number keeps key: write=13 key=yes raw=2",
    "write dword out of range: write=6 key=yes raw=2",
    "write other type creates key only: write=0 key=yes raw=2",
    "write over a value of another type: write=0 write=0 read=0 number:1",
    "write to HKLM: write=0 read=0 number:7",
    "delete value: delete=0 read=2 empty key=yes",
    "delete missing value: delete=2",
    "delete value of missing key: delete=2",
    "delete key with everything below it: delete=0 key=no sibling key=yes",
    "delete missing key: delete=2",
    "delete key below missing parent: delete=2",
    "delete value directly under the root: delete=0 raw=2",
    "delete key directly under the root: delete=0 key=no",
    "root and name only: read=5 empty write=5 raw=2",
    "no backslash: read=5 empty write=5 delete=5 delete=5",
    "key path without a key name: delete=5 delete=5",
    "lower-case root: write=6 read=6 text:\"keep\" delete=6 delete=6 delete=6 key=no",
    "unknown root: write=6 read=6 empty",
    "HKCR is HKLM Software Classes: write=0 read=0 text:\"x\" delete=0 key=no",
    "names ignore letter case: write=0 write=0 read=0 text:\"2\" value spelled \"Name\"",
    "Cyrillic names ignore letter case: write=0 read=0 text:\"y\"",
    "empty component in a key path: write=0 read=0 text:\"d\" read=0 text:\"d\"",
    "trailing backslash on a key path: read=0 text:\"t\"",
    "platform default value of a new key: create=0 created=1 query=0 type=1 size=0 fetch=0 "
    "size=0",
    "platform key created only once: created=0",
    "platform short buffer: query=234 size=8",
    "platform bad handles: open=6 query=6 close0=6 closeHKCU=0 closeHKLM=0",
    "platform enumerations: keys Mid Zeta alpha end=259 values B=3[AB] n=4[05 00 00 00] "
    "end=259",
    "platform handle of a deleted key: delete=0 set=1018",
    "platform performance data root: create=6",
};

TEST(RegistryCasesTest, MemoryRegistryGivesEveryExpectedResult) {
  platform::MemoryRegistry registry;
  const std::vector<std::string> lines = cases::RunRegistryCases(registry);
  ASSERT_EQ(lines.size(), std::size(kExpected));
  for (std::size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(lines[i], kExpected[i]);
  // Every key that the operations opened they also closed, failures included.
  EXPECT_EQ(registry.open_handles(), 0u);
  EXPECT_FALSE(registry.Exists(platform::kCurrentUser, "Software\\VireoTest"));
}

// The stand-in's own rules beyond the agreement cases: the tree behind HKCR stays, and handles
// into a deleted branch go stale (a stale handle must never reach freed memory).
TEST(MemoryRegistryTest, KeepsItsOwnRules) {
  using namespace platform;
  MemoryRegistry r;
  // HKLM\Software\Classes is HKCR, which cannot go; an empty key name names no subkey.
  EXPECT_EQ(r.DeleteKey(kLocalMachine, "Software"), kAccessDenied);
  EXPECT_EQ(r.DeleteKey(kLocalMachine, "Software\\Classes"), kAccessDenied);
  EXPECT_EQ(r.DeleteKey(kCurrentUser, "\\"), kInvalidParameter);

  // Deleting a key strands the handles of every key below it, however deep.
  r.PutText(kCurrentUser, "Tree\\A\\B", "V", "x");
  HKey key = 0;
  ASSERT_EQ(r.OpenKey(kCurrentUser, "Tree\\A\\B", kKeyQueryValue, &key), kSuccess);
  EXPECT_EQ(r.DeleteKey(kCurrentUser, "Tree"), kSuccess);
  std::uint32_t size = 0;
  EXPECT_EQ(r.QueryValue(key, "V", nullptr, nullptr, &size), kKeyDeleted);
  EXPECT_EQ(r.CloseKey(key), kSuccess);
  EXPECT_EQ(r.CloseKey(key), kInvalidHandle);
  EXPECT_EQ(r.open_handles(), 0u);
}

// A protected key refuses every change at it, below it and of the keys that hold it.
TEST(MemoryRegistryTest, ProtectedKeysRefuseChanges) {
  using namespace platform;
  MemoryRegistry r;
  r.PutText(kCurrentUser, "A\\B\\C", "V", "x");
  r.Protect(kCurrentUser, "A\\B");
  HKey c = 0;
  HKey made = 0;
  bool created = false;
  const std::uint8_t one = '1';
  ASSERT_EQ(r.OpenKey(kCurrentUser, "A\\B\\C", kKeyQueryValue, &c), kSuccess);
  EXPECT_EQ(r.SetValue(c, "V", kRegSz, &one, 1), kAccessDenied);
  EXPECT_EQ(r.DeleteValue(c, "V"), kAccessDenied);
  EXPECT_EQ(r.CreateKey(c, "D", kKeyAllAccess3F, &made, &created), kAccessDenied);
  EXPECT_EQ(r.CreateKey(kCurrentUser, "A\\B", kKeyAllAccess3F, &made, &created), kAccessDenied);
  EXPECT_EQ(r.DeleteKey(kCurrentUser, "A\\B\\C"), kAccessDenied);
  EXPECT_EQ(r.DeleteKey(kCurrentUser, "A"), kAccessDenied);
  r.CloseKey(c);
  EXPECT_EQ(r.open_handles(), 0u);
  std::vector<std::uint8_t> data;
  ASSERT_TRUE(r.Get(kCurrentUser, "A\\B\\C", "V", nullptr, &data));
  EXPECT_EQ(data, (std::vector<std::uint8_t>{'x'}));
  // Above the protected key, changes go through.
  EXPECT_EQ(r.SetValue(kCurrentUser, "W", kRegSz, &one, 1), kSuccess);
  r.PutText(kCurrentUser, "A", "W", "z");
  EXPECT_TRUE(r.Get(kCurrentUser, "A", "W", nullptr, nullptr));
}

}  // namespace
}  // namespace vireo
