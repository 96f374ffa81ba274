// The REGEDIT4 text the program writes: one writer for its two files of that kind, the user-setup
// export ("Setup.reg", setup_export.*) and the journal's undo file (journal_text.*). The registry
// editors of Windows 95/98/Me and of Wine import what it writes, and so does the stand-ins' strict
// reader (platform/host/regedit4.h), which the tests read it back with. Lines end with CR LF; text
// stays single-byte, as the registry holds it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vireo::service {

inline constexpr char kRegeditLineEnd[] = "\r\n";

// A string between double quotes as REGEDIT4 reads it back: "\" becomes "\\" and a double quote
// "\"". CR and LF cannot stand on a line of their own file: they are written "\r" and "\n", which
// the registry editor reads back as the characters. Every other byte is copied as it is.
std::string EscapeString(std::string_view text);

// The bytes as two upper-case hexadecimal digits each, separated by commas ("01,AB,00"); empty
// for no bytes.
std::string HexBytes(std::string_view bytes);

// The text after "=" of a value line that stores `bytes` under `type` exactly: a string ended by
// its one NUL and holding no line break in double quotes; four bytes of a number as "dword:" and
// eight upper-case hexadecimal digits; binary data as "hex:" and its bytes; anything else,
// strings with line breaks included, as "hex(type):" and its bytes.
std::string ValueData(std::uint32_t type, std::string_view bytes);

// A value line: "@" for the default value, else the escaped name in double quotes, then "=",
// `data` and the line end.
std::string ValueLine(const std::string& name, const std::string& data);

}  // namespace vireo::service
