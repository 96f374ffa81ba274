// The agreement cases on the in-memory registry. The Wine program runs the same cases against
// the real registry; here each line is checked against what the registry layer must give.
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

}  // namespace
}  // namespace vireo
