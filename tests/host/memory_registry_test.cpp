// The in-memory registry keeps the Windows 9x semantics that the program relies on; the
// agreement cases check the same against Wine.
#include <gtest/gtest.h>

#include "platform/host/memory_registry.h"

namespace vireo::platform {
namespace {

using Bytes = std::vector<std::uint8_t>;

class MemoryRegistryTest : public ::testing::Test {
 protected:
  HKey Open(HKey root, const std::string& path) {
    HKey key = 0;
    EXPECT_EQ(registry_.OpenKey(root, path, kKeyQueryValue, &key), kSuccess) << path;
    return key;
  }
  std::vector<std::string> Subkeys(HKey root, const std::string& path) {
    const HKey key = Open(root, path);
    std::vector<std::string> names;
    std::string name;
    for (std::uint32_t i = 0; registry_.EnumKey(key, i, &name) == kSuccess; ++i) {
      names.push_back(name);
    }
    registry_.CloseKey(key);
    return names;
  }

  MemoryRegistry registry_;
};

TEST_F(MemoryRegistryTest, ClassesRootIsMachineSoftwareClasses) {
  registry_.PutText(kClassesRoot, ".txt", "", "txtfile");
  std::vector<std::uint8_t> data;
  EXPECT_TRUE(registry_.Get(kLocalMachine, "Software\\Classes\\.txt", "", nullptr, &data));
  EXPECT_EQ(data, (Bytes{'t', 'x', 't', 'f', 'i', 'l', 'e'}));
  EXPECT_EQ(registry_.DeleteKey(kLocalMachine, "Software\\Classes\\.txt"), kSuccess);
  EXPECT_FALSE(registry_.Exists(kClassesRoot, ".txt"));
  // The tree behind HKCR stays.
  EXPECT_EQ(registry_.DeleteKey(kLocalMachine, "Software"), kAccessDenied);
  EXPECT_EQ(registry_.DeleteKey(kLocalMachine, "Software\\Classes"), kAccessDenied);
  EXPECT_TRUE(registry_.Exists(kClassesRoot, ""));
}

TEST_F(MemoryRegistryTest, NamesIgnoreCaseAndKeepTheirFirstSpelling) {
  registry_.PutText(kCurrentUser, "Software\\MixedCase", "Value", "1");
  registry_.PutText(kCurrentUser, "SOFTWARE\\mixedcase", "VALUE", "2");
  EXPECT_EQ(Subkeys(kCurrentUser, "software"), std::vector<std::string>{"MixedCase"});
  const HKey key = Open(kCurrentUser, "Software\\MixedCase");
  std::string name;
  Bytes data;
  EXPECT_EQ(registry_.EnumValue(key, 0, &name, nullptr, &data), kSuccess);
  EXPECT_EQ(name, "Value");
  EXPECT_EQ(data, Bytes{'2'});
  EXPECT_EQ(registry_.EnumValue(key, 1, &name, nullptr, nullptr), kNoMoreItems);
  registry_.CloseKey(key);
}

TEST_F(MemoryRegistryTest, EmptyPathComponentsAreSkipped) {
  HKey key = 0;
  bool created = false;
  ASSERT_EQ(registry_.CreateKey(kCurrentUser, "\\A\\\\B\\", kKeyAllAccess3F, &key, &created),
            kSuccess);
  EXPECT_TRUE(created);
  registry_.CloseKey(key);
  EXPECT_TRUE(registry_.Exists(kCurrentUser, "A\\B"));
  EXPECT_EQ(Subkeys(kCurrentUser, "A"), std::vector<std::string>{"B"});
}

TEST_F(MemoryRegistryTest, EnumerationFollowsCreationOrder) {
  for (const char* name : {"Zeta", "alpha", "Mid"})
    registry_.PutText(kUsers, "E\\" + std::string(name), "", "");
  EXPECT_EQ(Subkeys(kUsers, "E"), (std::vector<std::string>{"Zeta", "alpha", "Mid"}));
  registry_.DeleteKey(kUsers, "E\\alpha\\");
  EXPECT_EQ(Subkeys(kUsers, "E"), (std::vector<std::string>{"Zeta", "Mid"}));
}

TEST_F(MemoryRegistryTest, DefaultValueOfAnExistingKeyReadsAsEmptyText) {
  registry_.PutText(kCurrentUser, "K", "Named", "x");
  const HKey key = Open(kCurrentUser, "K");
  std::uint32_t type = 0;
  std::uint32_t size = 7;
  EXPECT_EQ(registry_.QueryValue(key, "", &type, nullptr, &size), kSuccess);
  EXPECT_EQ(type, kRegSz);
  EXPECT_EQ(size, 0u);
  // It is no value of its own: enumeration and deletion do not see it.
  std::string name;
  EXPECT_EQ(registry_.EnumValue(key, 1, &name, nullptr, nullptr), kNoMoreItems);
  EXPECT_EQ(registry_.DeleteValue(key, ""), kFileNotFound);
  EXPECT_EQ(registry_.QueryValue(key, "Other", &type, nullptr, &size), kFileNotFound);
  registry_.CloseKey(key);
}

TEST_F(MemoryRegistryTest, QueryIntoBuffers) {
  registry_.Put(kCurrentUser, "K", "Multi", kRegMultiSz, {'a', 0, 'b', 0, 0});
  const HKey key = Open(kCurrentUser, "K");
  std::uint8_t buffer[8] = {};
  std::uint32_t type = 0;
  std::uint32_t size = 4;
  EXPECT_EQ(registry_.QueryValue(key, "Multi", &type, buffer, &size), kMoreData);
  EXPECT_EQ(size, 5u);
  size = sizeof buffer;
  EXPECT_EQ(registry_.QueryValue(key, "Multi", &type, buffer, &size), kSuccess);
  EXPECT_EQ(type, kRegMultiSz);
  EXPECT_EQ(Bytes(buffer, buffer + size), (Bytes{'a', 0, 'b', 0, 0}));
  EXPECT_EQ(registry_.QueryValue(key, "Multi", &type, buffer, nullptr), kInvalidParameter);
  registry_.CloseKey(key);
}

TEST_F(MemoryRegistryTest, DeletingAKeyTakesItsBranchAndStrandsItsHandles) {
  registry_.PutText(kCurrentUser, "Tree\\A\\B", "V", "x");
  const HKey inner = Open(kCurrentUser, "Tree\\A\\B");
  const HKey parent = Open(kCurrentUser, "");
  EXPECT_EQ(registry_.DeleteKey(parent, "Tree\\"), kSuccess);
  EXPECT_FALSE(registry_.Exists(kCurrentUser, "Tree"));
  std::uint32_t size = 0;
  EXPECT_EQ(registry_.QueryValue(inner, "V", nullptr, nullptr, &size), kKeyDeleted);
  EXPECT_EQ(registry_.CloseKey(inner), kSuccess);
  EXPECT_EQ(registry_.DeleteKey(parent, "Tree"), kFileNotFound);
  EXPECT_EQ(registry_.DeleteKey(parent, ""), kInvalidParameter);
  EXPECT_EQ(registry_.DeleteKey(parent, "\\"), kInvalidParameter);
  registry_.CloseKey(parent);
  EXPECT_EQ(registry_.open_handles(), 0u);
}

TEST_F(MemoryRegistryTest, HandlesAndRoots) {
  HKey key = 0;
  bool created = false;
  EXPECT_EQ(registry_.OpenKey(0, "", kKeyQueryValue, &key), kInvalidHandle);
  EXPECT_EQ(registry_.CreateKey(0x1234, "X", kKeyAllAccess3F, &key, &created), kInvalidHandle);
  EXPECT_EQ(registry_.CreateKey(kPerformanceData, "X", kKeyAllAccess3F, &key, &created),
            kInvalidHandle);
  EXPECT_EQ(registry_.CloseKey(kCurrentUser), kSuccess);
  ASSERT_EQ(registry_.CreateKey(kDynData, "X", kKeyAllAccess3F, &key, &created), kSuccess);
  const HKey again = Open(kDynData, "x");
  EXPECT_NE(key, again);
  EXPECT_EQ(registry_.CloseKey(key), kSuccess);
  EXPECT_EQ(registry_.CloseKey(key), kInvalidHandle);
  EXPECT_EQ(registry_.CloseKey(again), kSuccess);
}

TEST_F(MemoryRegistryTest, AnyTypeAndAnyBytesAreKept) {
  const HKey key = Open(kCurrentUser, "");
  const std::uint8_t data[] = {0, 0xFF, 'x', 0};
  EXPECT_EQ(registry_.SetValue(key, "Odd", 0x1234, data, sizeof data), kSuccess);
  EXPECT_EQ(registry_.SetValue(key, "Empty", kRegSz, nullptr, 0), kSuccess);
  EXPECT_EQ(registry_.SetValue(key, "Bad", kRegSz, nullptr, 3), kInvalidParameter);
  registry_.CloseKey(key);
  std::uint32_t type = 0;
  Bytes stored;
  ASSERT_TRUE(registry_.Get(kCurrentUser, "", "Odd", &type, &stored));
  EXPECT_EQ(type, 0x1234u);
  EXPECT_EQ(stored, Bytes(data, data + sizeof data));
  ASSERT_TRUE(registry_.Get(kCurrentUser, "", "Empty", &type, &stored));
  EXPECT_TRUE(stored.empty());
}

}  // namespace
}  // namespace vireo::platform
