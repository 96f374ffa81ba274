// A reader of REGEDIT4 registry files, as the 9x registry editor exports them and as
// tools/make_classes writes them, for loading a machine's registry into the in-memory stand-in:
// "REGEDIT4", then sections "[HKEY_...\key\path]" each followed by value lines "@=..." (the
// default value) or "\"Name\"=...", with string data in quotes (the escapes "\\", "\"", and
// "\r" and "\n" for the line breaks), "dword:" and eight hex digits, "hex:" and binary data, or
// "hex(1):" and a string's bytes with its closing NUL; bytes are two hex digits each, separated
// by commas, all on the value's one line. Anything else fails the whole text: the reader is
// strict, so that it can check what the program's export writes. Lines end in CR LF or LF; blank
// lines and lines starting with ";" are skipped. Text stays single-byte as it is in the file (code
// page 1251).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/host/memory_registry.h"

namespace vireo::platform {

struct Regedit4Value {
  std::string name;  // "" for the default value
  std::uint32_t type = kRegSz;
  std::string data;  // a string's text (without a NUL), binary data as it is, or a dword's four
                     // bytes, low byte first
};

struct Regedit4Section {
  HKey root = 0;
  std::string path;  // below the root, as spelled in the file
  std::vector<Regedit4Value> values;
  std::size_t line = 0;  // where its header is, counting from 1
};

// Parses `text`; false with a message naming the line in `error` when a line is not of the
// subset above (the sections parsed before it are left in `sections`).
bool ParseRegedit4(const std::string& text, std::vector<Regedit4Section>* sections,
                   std::string* error);

// Parses `text` and stores it: every section's key is created, every value set. A string is
// stored with a terminating NUL, as the 9x registry stores it. Nothing is stored when the text
// does not parse.
bool LoadRegedit4(MemoryRegistry& registry, const std::string& text, std::string* error);

}  // namespace vireo::platform
