// The stand-ins' private-profile files (control.ini): real INI files below the temporary
// directories.
#pragma once

#include <string>

#include "platform/system.h"

namespace vireo::platform {

// Private-profile files kept as real INI files on the host.
class IniProfile : public Profile {
 public:
  std::string GetString(const std::string& section, const std::string& key,
                        const std::string& fallback, const std::string& file) override;
  bool WriteString(const std::string& section, const std::string& key, const std::string& value,
                   const std::string& file) override;
  bool DeleteKey(const std::string& section, const std::string& key,
                 const std::string& file) override;
  int writes = 0;
};

}  // namespace vireo::platform
