// The default TableStrings reads the generated catalogue table. Kept apart from
// table_strings.cpp because only the host build generates that table: elsewhere this object is
// never linked unless something asks for the default constructor.
#include "platform/host/catalogue_table.h"
#include "platform/host/table_strings.h"

namespace vireo::platform {

TableStrings::TableStrings()
    : TableStrings(std::span(catalogue::kCatalogueEntries, catalogue::kCatalogueEntryCount)) {}

}  // namespace vireo::platform
