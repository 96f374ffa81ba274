// The file operations of the stand-ins on real files below the temporary directories, and the
// steps of a swap on them.
#include "platform/host/host_files.h"

#include <fstream>
#include <sstream>
#include <system_error>

namespace vireo::platform {
namespace fs = std::filesystem;

namespace {

// The whole contents of the regular file `source`; false, `*bytes` untouched, when it cannot be
// read.
bool ReadWhole(const fs::path& source, std::string* bytes) {
  std::error_code error;
  if (!fs::is_regular_file(source, error)) return false;
  std::ifstream in(source, std::ios::binary);
  std::stringstream buffer;
  buffer << in.rdbuf();
  if (!in && !in.eof()) return false;
  *bytes = buffer.str();
  return true;
}

}  // namespace

bool HostFiles::Read(const std::string& path, std::string* bytes) {
  ++calls;
  return !fail && ReadWhole(HostPath(path), bytes);
}

bool HostFiles::MakeDirectory(const std::string& path) {
  ++calls;
  if (fail) return false;
  std::error_code error;
  const fs::path target = HostPath(path);
  fs::create_directory(target, error);
  return fs::is_directory(target, error);
}

bool HostFiles::WriteAndRename(const fs::path& target, const std::string& bytes) {
  std::error_code error;
  if (fs::is_directory(target, error) || !fs::is_directory(target.parent_path(), error)) {
    return false;
  }
  const fs::path temp = target.parent_path() / (target.filename().string() + ".vireo-new");
  bool written = false;
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (fail_after_bytes >= 0 && static_cast<size_t>(fail_after_bytes) < bytes.size()) {
      out.write(bytes.data(), fail_after_bytes);
    } else {
      out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
      written = static_cast<bool>(out.flush());
    }
  }
  if (written) fs::rename(temp, target, error);
  if (!written || error) {
    fs::remove(temp, error);
    return false;
  }
  return true;
}

bool HostFiles::Copy(const std::string& from, const std::string& to) {
  ++calls;
  std::string bytes;
  return !fail && ReadWhole(HostPath(from), &bytes) && WriteAndRename(HostPath(to), bytes);
}

bool HostFiles::Replace(const std::string& path, const std::string& bytes) {
  ++calls;
  if (fail) return false;
  return WriteAndRename(HostPath(path), bytes);
}

bool HostFiles::Append(const std::string& path, const std::string& bytes) {
  ++calls;
  if (fail) return false;
  std::ofstream out(HostPath(path), std::ios::binary | std::ios::app);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return static_cast<bool>(out);
}

bool HostFiles::Remove(const std::string& path) {
  ++calls;
  if (fail) return false;
  std::error_code error;
  const fs::path target = HostPath(path);
  fs::remove(target, error);
  return !fs::exists(target, error);
}

bool HostFiles::IsDirectory(const std::string& path) {
  std::error_code error;
  return fs::is_directory(HostPath(path), error);
}

bool HostFiles::Replaceable(const std::string& path) {
  std::error_code error;
  const fs::file_status status = fs::status(HostPath(path), error);
  if (fs::is_directory(status)) return false;
  return !fs::is_regular_file(status) ||
         (status.permissions() & fs::perms::owner_write) != fs::perms::none;
}

bool HostFiles::WriteNew(const std::string& path, const std::string& bytes) {
  const fs::path target = HostPath(path);
  std::error_code error;
  if (fail || fs::exists(target, error)) return false;
  std::ofstream out(target, std::ios::binary);
  const bool cut = fail_after_bytes >= 0 && static_cast<size_t>(fail_after_bytes) < bytes.size();
  out.write(bytes.data(), cut ? fail_after_bytes : static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out.flush()) && !cut;
}

bool HostFiles::CopyNew(const std::string& from, const std::string& to) {
  std::string bytes;
  return !fail && Read(from, &bytes) && WriteNew(to, bytes);
}

SwapSteps::Move HostFiles::Rename(const std::string& from, const std::string& to) {
  if (busy_renames > 0) {
    --busy_renames;
    return Move::kBusy;
  }
  const fs::path source = HostPath(from);
  const fs::path target = HostPath(to);
  std::error_code error;
  if (fail || !fs::is_regular_file(source, error) || fs::exists(target, error)) {
    return Move::kFailed;
  }
  fs::rename(source, target, error);
  return error ? Move::kFailed : Move::kDone;
}

bool HostFiles::Delete(const std::string& path) {
  std::error_code error;
  const fs::path target = HostPath(path);
  if (!fail && !fs::is_directory(target, error)) fs::remove(target, error);
  return !fs::exists(target, error);
}

bool HostFiles::Exists(const std::string& path) {
  std::error_code error;
  return fs::exists(HostPath(path), error);
}

}  // namespace vireo::platform
