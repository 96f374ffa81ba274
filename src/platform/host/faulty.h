// Stand-ins that fail on purpose: a registry, file operations and private-profile files that pass
// every call on to real stand-ins until the call a plan names, which fails instead. The three share
// one plan and so one count of calls: "the N-th call" is the N-th call the program makes to any of
// them. A failing registry call gives the plan's status, as the system would (access denied, not
// found, disk full, more data, invalid handle), where the system gives that status for that call;
// a failing file or profile call reports failure and changes nothing. Tests use them to prove that
// no single failure, or failures from some call on, makes the program crash, write what it was not
// asked to, or show what is not stored.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/file_swap.h"
#include "platform/files.h"
#include "platform/registry_filter.h"
#include "platform/system.h"

namespace vireo::platform {

inline constexpr std::int32_t kDiskFull = 112;

// The statuses the system gives for the call `call` ("OpenKey", "SetValue", ...); for a file or
// profile operation ("Replace", "WriteString", ...), which only fails, access denied alone.
std::vector<std::int32_t> StatusesFor(const std::string& call);

struct FaultPlan {
  // The number of the call that fails, counted from 1 since the plan was armed; 0 fails none.
  long fail_at = 0;
  // Every call from `fail_at` on fails (a disk that filled up, a key that became read-only),
  // rather than that one call only.
  bool from_then_on = false;
  std::int32_t status = kAccessDenied;
  long calls = 0;
  // The calls made since the plan was armed, by name ("OpenKey", "Replace", ...).
  std::vector<std::string> log;
  // What the failed calls were, one line each ("SetValue UpdateMode", "Replace C:\...").
  std::vector<std::string> failed;

  void Arm(long at, std::int32_t with, bool persistent) {
    fail_at = at;
    status = with;
    from_then_on = persistent;
    calls = 0;
    log.clear();
    failed.clear();
  }
  void Disarm() { fail_at = 0; }
  // Counts the call `call` on `detail` (a key, value or file name); true when it is to fail. A
  // status the system never gives for that call is not injected: the call passes.
  bool Fails(const std::string& call, const std::string& detail);
};

class FaultyRegistry : public RegistryFilter {
 public:
  FaultyRegistry(Registry& inner, FaultPlan& plan) : RegistryFilter(inner), plan_(plan) {}
  // "More data" is what a text or binary value that grew since its size was asked gives into a
  // buffer: its type, and a size larger than the buffer. A query for the size only, or of a
  // number, never gives it; such a call passes, though it counts.
  std::int32_t QueryValue(HKey key, const std::string& name, std::uint32_t* type,
                          std::uint8_t* data, std::uint32_t* size) override;

 protected:
  std::int32_t Check(Operation operation, std::string_view name, std::uint32_t index) override;

 private:
  FaultPlan& plan_;
};

class FaultyFiles : public Files {
 public:
  FaultyFiles(Files& inner, FaultPlan& plan) : inner_(inner), plan_(plan) {}
  bool Read(const std::string& path, std::string* bytes) override;
  bool MakeDirectory(const std::string& path) override;
  bool Copy(const std::string& from, const std::string& to) override;
  bool Replace(const std::string& path, const std::string& bytes) override;
  bool Append(const std::string& path, const std::string& bytes) override;
  bool Remove(const std::string& path) override;
  bool IsDirectory(const std::string& path) override;

 private:
  Files& inner_;
  FaultPlan& plan_;
};

// A swap's steps under the plan. A failing step changes nothing, so failing every step from the
// N-th on is the swap stopped there, as by a kill; a failing Exists says the file is missing.
class FaultySwapSteps : public SwapSteps {
 public:
  FaultySwapSteps(SwapSteps& inner, FaultPlan& plan) : inner_(inner), plan_(plan) {}
  bool Replaceable(const std::string& path) override;
  bool WriteNew(const std::string& path, const std::string& bytes) override;
  bool CopyNew(const std::string& from, const std::string& to) override;
  Move Rename(const std::string& from, const std::string& to) override;
  bool Delete(const std::string& path) override;
  bool Exists(const std::string& path) override;
  void Pause() override { inner_.Pause(); }

 private:
  SwapSteps& inner_;
  FaultPlan& plan_;
};

class FaultyProfile : public Profile {
 public:
  FaultyProfile(Profile& inner, FaultPlan& plan) : inner_(inner), plan_(plan) {}
  // A failed read gives the fallback, as GetPrivateProfileStringA does for a file it cannot open.
  std::string GetString(const std::string& section, const std::string& key,
                        const std::string& fallback, const std::string& file) override;
  bool WriteString(const std::string& section, const std::string& key, const std::string& value,
                   const std::string& file) override;
  bool DeleteKey(const std::string& section, const std::string& key,
                 const std::string& file) override;

 private:
  Profile& inner_;
  FaultPlan& plan_;
};

}  // namespace vireo::platform
