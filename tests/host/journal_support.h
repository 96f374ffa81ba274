// What the journal tests compare: the whole registry stand-in as text, independent of the order
// in which keys and values were made (an undone deletion puts a key back at the end of its
// parent's list; the registry has no order of its own to keep).
#pragma once

#include <string>

#include "platform/host/memory_registry.h"

namespace vireo::test {

inline std::string Dump(const platform::MemoryRegistry& registry) {
  return registry.Dump();
}

}  // namespace vireo::test
