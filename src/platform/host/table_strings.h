// The host stand-in for the string-table lookup: a table of texts by id, filled from the
// catalogue or from any list of entries, that tests can change.
#pragma once

#include <map>
#include <span>
#include <string>

#include "platform/host/catalogue_table.h"
#include "platform/strings.h"

namespace vireo::platform {

class TableStrings : public Strings {
 public:
  // The program's own catalogue (resources/strings.rc). Host build only: the table that it
  // reads is generated there (catalogue_strings.cpp).
  TableStrings();
  explicit TableStrings(std::span<const catalogue::CatalogueEntry> entries);

  // An empty text reads as missing, as through the real lookup: the compiled string table
  // stores an empty string exactly like an absent one.
  bool Load(int id, std::string* text) override;

  // Adds the entry or replaces its text.
  void Set(int id, std::string text);
  // Makes the lookup of `id` fail from now on.
  void Remove(int id);

 private:
  std::map<int, std::string> texts_;
};

}  // namespace vireo::platform
