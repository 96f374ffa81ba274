// Lookup of the program's string-table resources by numeric id.
#pragma once

#include <string>

namespace vireo::platform {

class Strings {
 public:
  virtual ~Strings() = default;
  // False when the id does not exist; `text` is then left as it was.
  virtual bool Load(int id, std::string* text) = 0;
};

}  // namespace vireo::platform
