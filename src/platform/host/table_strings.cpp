#include "platform/host/table_strings.h"

#include <utility>

namespace vireo::platform {

TableStrings::TableStrings(std::span<const catalogue::CatalogueEntry> entries) {
  for (const auto& entry : entries) texts_[entry.id] = entry.text;
}

bool TableStrings::Load(int id, std::string* text) {
  const auto it = texts_.find(id);
  if (it == texts_.end() || it->second.empty()) return false;
  *text = it->second;
  return true;
}

void TableStrings::Set(int id, std::string text) {
  texts_[id] = std::move(text);
}

void TableStrings::Remove(int id) {
  texts_.erase(id);
}

}  // namespace vireo::platform
