// The registry stand-in: an in-memory registry that behaves like the Windows 9x registry as the
// program uses it. Key and value names compare without regard to letter case (ASCII and the
// letters of code page 1251) and keep the spelling they were created with; HKCR is the same
// tree as HKLM\Software\Classes; deleting a key deletes everything below it; the default value
// of an existing key reads as the empty text even when it was never set; empty components of a
// key path are skipped, as Wine does. Subkeys and values enumerate in creation order. Data of
// every type is kept byte for byte (REG_SZ included: no NUL is added or required).
#pragma once

#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace vireo::platform {

// The status for an operation on a handle whose key has been deleted meanwhile.
inline constexpr std::int32_t kKeyDeleted = 1018;

class MemoryRegistry : public Registry {
 public:
  MemoryRegistry();
  ~MemoryRegistry() override;
  MemoryRegistry(const MemoryRegistry&) = delete;
  MemoryRegistry& operator=(const MemoryRegistry&) = delete;

  std::int32_t OpenKey(HKey key, const std::string& path, std::uint32_t access,
                       HKey* result) override;
  std::int32_t CreateKey(HKey key, const std::string& path, std::uint32_t access, HKey* result,
                         bool* created) override;
  std::int32_t QueryValue(HKey key, const std::string& name, std::uint32_t* type,
                          std::uint8_t* data, std::uint32_t* size) override;
  std::int32_t SetValue(HKey key, const std::string& name, std::uint32_t type,
                        const std::uint8_t* data, std::uint32_t size) override;
  std::int32_t DeleteKey(HKey key, const std::string& subkey) override;
  std::int32_t DeleteValue(HKey key, const std::string& name) override;
  std::int32_t EnumKey(HKey key, std::uint32_t index, std::string* name) override;
  std::int32_t EnumValue(HKey key, std::uint32_t index, std::string* name, std::uint32_t* type,
                         std::vector<std::uint8_t>* data) override;
  std::int32_t CloseKey(HKey key) override;

  // Helpers for tests; `path` is a key path below the predefined `root`.
  bool Exists(HKey root, const std::string& path) const;
  // Stores a value, creating the key path as needed.
  void Put(HKey root, const std::string& path, const std::string& name, std::uint32_t type,
           std::vector<std::uint8_t> data);
  void PutText(HKey root, const std::string& path, const std::string& name,
               const std::string& text);
  void PutNumber(HKey root, const std::string& path, const std::string& name, std::int32_t number);
  // False when the key or the value is missing (a default value never set is missing here).
  bool Get(HKey root, const std::string& path, const std::string& name, std::uint32_t* type,
           std::vector<std::uint8_t>* data) const;
  // Every key under HKLM, HKCU, HKU, HKCC and HKDD with its spelling, and every value with its
  // type and bytes, one line each, sorted without regard to letter case: two registries that
  // hold the same keys and values give the same text whatever order they were made in.
  std::string Dump() const;
  // A number that stands for what Dump() gives, in a fraction of the time: equal for equal
  // registries, and different, but for a 2^-64 chance, when a key, a spelling, a value's type or
  // a byte differs.
  std::uint64_t Fingerprint() const;
  // Keys opened or created and not closed yet.
  std::size_t open_handles() const { return handles_.size(); }
  // Makes the key `path` (created if missing) and everything below it read-only, as a key the
  // user has no right to change: creating, setting, deleting there give kAccessDenied, and so
  // does deleting a key that holds it.
  void Protect(HKey root, const std::string& path);
  // Makes only the value `name` of the key `path` read-only: setting or deleting it fails.
  void ProtectValue(HKey root, const std::string& path, const std::string& name);

 private:
  struct Value {
    std::string name;
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
  };
  struct Key {
    std::string name;
    Key* parent = nullptr;
    std::vector<std::unique_ptr<Key>> subkeys;
    std::vector<Value> values;
    bool read_only = false;
    std::vector<std::string> read_only_values;  // names of values that cannot be changed
  };

  // The key behind a root or an open handle, or a status: kInvalidHandle for 0 and unknown
  // handles, kKeyDeleted for a handle whose key is gone.
  std::int32_t Resolve(HKey key, Key** node) const;
  HKey NewHandle(Key* node);
  // Forgets every open handle of `node` and the keys below it.
  void Orphan(const Key* node);
  // True when `node` or a key above it is protected.
  static bool ReadOnly(const Key* node);
  // True when `node` or a key below it is protected.
  static bool HoldsReadOnly(const Key* node);
  static bool ReadOnlyValue(const Key* node, const std::string& name);
  static std::uint64_t FingerprintKey(const Key* node, std::uint64_t path);
  static void DumpKey(const Key* node, const std::string& path,
                      std::vector<std::pair<std::string, std::string>>* lines);

  std::unique_ptr<Key> current_user_;
  std::unique_ptr<Key> local_machine_;
  std::unique_ptr<Key> users_;
  std::unique_ptr<Key> current_config_;
  std::unique_ptr<Key> dyn_data_;
  Key* classes_ = nullptr;  // HKLM\Software\Classes, which HKCR stands for

  std::map<HKey, Key*> handles_;  // null once the key is deleted
  HKey next_handle_ = 0x1000;
};

}  // namespace vireo::platform
