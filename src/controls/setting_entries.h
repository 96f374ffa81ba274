// What the check and choice settings share: turning the entries of a value pair or list into
// registry values, comparing them with the value read, and writing one of them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry.h"
#include "registry/reg_value.h"

namespace vireo::controls {

// The "|"-separated entries of `text`: the text before the first bar, then the text after each
// bar up to the next one. At most `max_entries` are kept; the text after them is ignored.
std::vector<std::string> SplitEntries(std::string_view text, std::size_t max_entries);

// An entry as the setting keeps it: bytes from its hexadecimal text for binary settings (`type`
// 3 when the entries are given), its text for every other type.
registry::RegValue EntryValue(std::string_view text, registry::ValueType type);

// Whether `stored` (as RegRead left it; empty when nothing was read) is the value of `entry`.
// Number settings compare by numeric value: an absent value counts as 0, text and bytes count
// when they read as a number, and an entry or value that is not a number matches nothing.
// Every other type compares the two as text, byte for byte and case-sensitively: an absent
// value is the empty text and a number its decimal text.
bool EntryMatches(const registry::RegValue& entry, const registry::RegValue& stored,
                  registry::ValueType type);

// Whether a setting of `type` writes at all: strings, binary data and numbers do.
bool Writable(registry::ValueType type);

// Writes `entry` to `key` as a value of `type`: as it is for strings and binary data, as a
// 32-bit number for number settings, where an entry that is not a number writes nothing (not
// even the key: the status is then kNotANumber). Other types write nothing (status 0). The
// status of the write.
std::int32_t WriteEntry(platform::Registry& registry, const std::string& key,
                        const registry::RegValue& entry, registry::ValueType type);

}  // namespace vireo::controls
