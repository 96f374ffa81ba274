// The settings catalogue as a plain table, for builds without the resource compiler. The host
// build generates its definition from resources/strings.rc (tools/rcstrings.cpp), so the texts
// are the very ones that the Windows build compiles into the program: UTF-8 bytes, sorted by id,
// none empty.
#pragma once

#include <cstddef>

namespace vireo::catalogue {

struct CatalogueEntry {
  int id;
  const char* text;
};

extern const CatalogueEntry kCatalogueEntries[];
extern const std::size_t kCatalogueEntryCount;

}  // namespace vireo::catalogue
