#include "platform/host/faulty.h"

#include <algorithm>

namespace vireo::platform {
std::vector<std::int32_t> StatusesFor(const std::string& call) {
  static const struct {
    const char* call;
    std::vector<std::int32_t> statuses;
  } kGiven[] = {
      {"OpenKey", {kAccessDenied, kFileNotFound, kInvalidHandle}},
      {"CreateKey", {kAccessDenied, kFileNotFound, kInvalidHandle, kDiskFull}},
      {"QueryValue", {kAccessDenied, kFileNotFound, kInvalidHandle, kMoreData}},
      {"SetValue", {kAccessDenied, kInvalidHandle, kDiskFull}},
      {"DeleteKey", {kAccessDenied, kFileNotFound, kInvalidHandle}},
      {"DeleteValue", {kAccessDenied, kFileNotFound, kInvalidHandle}},
      {"EnumKey", {kAccessDenied, kInvalidHandle, kMoreData}},
      {"EnumValue", {kAccessDenied, kInvalidHandle, kMoreData}},
      {"CloseKey", {kInvalidHandle}},
  };
  for (const auto& given : kGiven) {
    if (call == given.call) return given.statuses;
  }
  return {kAccessDenied};
}

bool FaultPlan::Fails(const std::string& call, const std::string& detail) {
  ++calls;
  log.push_back(call);
  if (fail_at == 0 || (from_then_on ? calls < fail_at : calls != fail_at)) return false;
  const std::vector<std::int32_t> given = StatusesFor(call);
  if (std::find(given.begin(), given.end(), status) == given.end()) return false;
  failed.push_back(call + " " + detail);
  return true;
}

std::int32_t FaultyRegistry::Check(Operation operation, std::string_view name,
                                   std::uint32_t index) {
  const bool enumeration = operation == kEnumKey || operation == kEnumValue;
  return plan_.Fails(Name(operation), enumeration ? std::to_string(index) : std::string(name))
             ? plan_.status
             : kSuccess;
}

std::int32_t FaultyRegistry::QueryValue(HKey key, const std::string& name, std::uint32_t* type,
                                        std::uint8_t* data, std::uint32_t* size) {
  if (plan_.status != kMoreData) return RegistryFilter::QueryValue(key, name, type, data, size);
  std::uint32_t real_type = 0;
  std::uint32_t real_size = 0;
  if (!data || !size ||
      inner().QueryValue(key, name, &real_type, nullptr, &real_size) != kSuccess ||
      real_type == kRegDword) {
    ++plan_.calls;
    plan_.log.push_back("QueryValue");
    return inner().QueryValue(key, name, type, data, size);
  }
  if (!plan_.Fails("QueryValue", name)) return inner().QueryValue(key, name, type, data, size);
  if (type) *type = real_type;
  *size = std::max(real_size, *size + 1);
  return plan_.status;
}

bool FaultyFiles::Read(const std::string& path, std::string* bytes) {
  return !plan_.Fails("Read", path) && inner_.Read(path, bytes);
}

bool FaultyFiles::MakeDirectory(const std::string& path) {
  return !plan_.Fails("MakeDirectory", path) && inner_.MakeDirectory(path);
}

bool FaultyFiles::Copy(const std::string& from, const std::string& to) {
  return !plan_.Fails("Copy", to) && inner_.Copy(from, to);
}

bool FaultyFiles::Replace(const std::string& path, const std::string& bytes) {
  return !plan_.Fails("Replace", path) && inner_.Replace(path, bytes);
}

bool FaultyFiles::Append(const std::string& path, const std::string& bytes) {
  return !plan_.Fails("Append", path) && inner_.Append(path, bytes);
}

bool FaultyFiles::Remove(const std::string& path) {
  return !plan_.Fails("Remove", path) && inner_.Remove(path);
}

bool FaultyFiles::IsDirectory(const std::string& path) {
  return !plan_.Fails("IsDirectory", path) && inner_.IsDirectory(path);
}

bool FaultySwapSteps::Replaceable(const std::string& path) {
  return !plan_.Fails("Replaceable", path) && inner_.Replaceable(path);
}

bool FaultySwapSteps::WriteNew(const std::string& path, const std::string& bytes) {
  return !plan_.Fails("WriteNew", path) && inner_.WriteNew(path, bytes);
}

bool FaultySwapSteps::CopyNew(const std::string& from, const std::string& to) {
  return !plan_.Fails("CopyNew", to) && inner_.CopyNew(from, to);
}

SwapSteps::Move FaultySwapSteps::Rename(const std::string& from, const std::string& to) {
  return plan_.Fails("Rename", from + " " + to) ? Move::kFailed : inner_.Rename(from, to);
}

bool FaultySwapSteps::Delete(const std::string& path) {
  return !plan_.Fails("Delete", path) && inner_.Delete(path);
}

bool FaultySwapSteps::Exists(const std::string& path) {
  return !plan_.Fails("Exists", path) && inner_.Exists(path);
}

std::string FaultyProfile::GetString(const std::string& section, const std::string& key,
                                     const std::string& fallback, const std::string& file) {
  if (plan_.Fails("GetString", section + "|" + key)) return fallback;
  return inner_.GetString(section, key, fallback, file);
}

bool FaultyProfile::WriteString(const std::string& section, const std::string& key,
                                const std::string& value, const std::string& file) {
  return !plan_.Fails("WriteString", section + "|" + key) &&
         inner_.WriteString(section, key, value, file);
}

bool FaultyProfile::DeleteKey(const std::string& section, const std::string& key,
                              const std::string& file) {
  return !plan_.Fails("DeleteProfileKey", section + "|" + key) &&
         inner_.DeleteKey(section, key, file);
}

}  // namespace vireo::platform
