#include "registry/ansi_text.h"

namespace vireo::registry {
namespace {

constexpr unsigned char kYoUpper = 0xA8;  // Ё
constexpr unsigned char kYoLower = 0xB8;  // ё

char Lower(char c) {
  const auto u = static_cast<unsigned char>(c);
  if ((u >= 'A' && u <= 'Z') || (u >= 0xC0 && u <= 0xDF)) return static_cast<char>(u + 0x20);
  if (u == kYoUpper) return static_cast<char>(kYoLower);
  return c;
}

char Upper(char c) {
  const auto u = static_cast<unsigned char>(c);
  if ((u >= 'a' && u <= 'z') || u >= 0xE0) return static_cast<char>(u - 0x20);
  if (u == kYoLower) return static_cast<char>(kYoUpper);
  return c;
}

}  // namespace

std::string LowerAnsi(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = Lower(c);
  return out;
}

std::string UpperAnsi(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = Upper(c);
  return out;
}

}  // namespace vireo::registry
