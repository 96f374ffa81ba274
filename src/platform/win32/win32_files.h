// The file operations over the "A" calls. A replaced file is written to a temporary file in its
// own directory first and moved over it; Windows 9x has no MoveFileExA, so there the old file is
// moved aside, the new one moved in, and the old one deleted only once the new one is in place.
#pragma once

#include "platform/files.h"

namespace vireo::platform {

class Win32Files : public Files {
 public:
  bool Read(const std::string& path, std::string* bytes) override;
  bool MakeDirectory(const std::string& path) override;
  bool Copy(const std::string& from, const std::string& to) override;
  bool Replace(const std::string& path, const std::string& bytes) override;
  bool Append(const std::string& path, const std::string& bytes) override;
  bool Remove(const std::string& path) override;
  bool IsDirectory(const std::string& path) override;
};

}  // namespace vireo::platform
