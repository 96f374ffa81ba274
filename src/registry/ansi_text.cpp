#include "registry/ansi_text.h"

#include <algorithm>
#include <array>
#include <utility>

namespace vireo::registry {
namespace {

// The letters of code page 1251 outside the two blocks of 32 (А..Я, а..я), as upper and lower
// case: Ђ Ѓ Љ Њ Ќ Ћ Џ Ў Ј Ґ Ё Є Ї І Ѕ.
constexpr std::array<std::pair<unsigned char, unsigned char>, 15> kOtherLetters = {{
    {0x80, 0x90},
    {0x81, 0x83},
    {0x8A, 0x9A},
    {0x8C, 0x9C},
    {0x8D, 0x9D},
    {0x8E, 0x9E},
    {0x8F, 0x9F},
    {0xA1, 0xA2},
    {0xA3, 0xBC},
    {0xA5, 0xB4},
    {0xA8, 0xB8},
    {0xAA, 0xBA},
    {0xAF, 0xBF},
    {0xB2, 0xB3},
    {0xBD, 0xBE},
}};

// Every byte's lower (or upper) case, made by the compiler from the pairs of letters.
constexpr std::array<unsigned char, 256> CaseTable(bool upper) {
  std::array<unsigned char, 256> table{};
  for (int c = 0; c < 256; ++c) table[c] = static_cast<unsigned char>(c);
  const auto pair = [&](int big, int small) {
    if (upper) {
      table[small] = static_cast<unsigned char>(big);
    } else {
      table[big] = static_cast<unsigned char>(small);
    }
  };
  for (int i = 0; i < 26; ++i) pair('A' + i, 'a' + i);
  for (int i = 0; i < 32; ++i) pair(0xC0 + i, 0xE0 + i);  // А..Я, а..я
  for (const auto& [big, small] : kOtherLetters) pair(big, small);
  return table;
}
constexpr std::array<unsigned char, 256> kLower = CaseTable(false);
constexpr std::array<unsigned char, 256> kUpper = CaseTable(true);

}  // namespace

char LowerAnsi(char c) {
  return static_cast<char>(kLower[static_cast<unsigned char>(c)]);
}

char UpperAnsi(char c) {
  return static_cast<char>(kUpper[static_cast<unsigned char>(c)]);
}

std::string LowerAnsi(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = LowerAnsi(c);
  return out;
}

std::string UpperAnsi(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = UpperAnsi(c);
  return out;
}

bool SameAnsiText(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return UpperAnsi(x) == UpperAnsi(y);
         });
}

}  // namespace vireo::registry
