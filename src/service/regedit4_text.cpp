#include "service/regedit4_text.h"

#include "platform/registry.h"

namespace vireo::service {
namespace {

void AppendHexByte(std::uint8_t byte, std::string* out) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  *out += kDigits[byte >> 4];
  *out += kDigits[byte & 0x0F];
}

}  // namespace

std::string EscapeString(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 2);
  for (const char c : text) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '"':
        out += "\\\"";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\n':
        out += "\\n";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string HexBytes(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() * 3);
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (i > 0) out += ',';
    AppendHexByte(static_cast<std::uint8_t>(bytes[i]), &out);
  }
  return out;
}

std::string ValueData(std::uint32_t type, std::string_view bytes) {
  if (type == platform::kRegSz && !bytes.empty() && bytes.find('\0') == bytes.size() - 1 &&
      bytes.find_first_of("\r\n") == std::string_view::npos) {
    return "\"" + EscapeString(bytes.substr(0, bytes.size() - 1)) + "\"";
  }
  if (type == platform::kRegDword && bytes.size() == 4) {
    std::string out = "dword:";
    for (int i = 3; i >= 0; --i) AppendHexByte(static_cast<std::uint8_t>(bytes[i]), &out);
    return out;
  }
  if (type == platform::kRegBinary) return "hex:" + HexBytes(bytes);
  return "hex(" + std::to_string(type) + "):" + HexBytes(bytes);
}

std::string ValueLine(const std::string& name, const std::string& data) {
  return (name.empty() ? std::string("@") : "\"" + EscapeString(name) + "\"") + "=" + data +
         kRegeditLineEnd;
}

}  // namespace vireo::service
