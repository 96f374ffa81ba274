// The report of the Wine test programs: one line per check, "ok: ..." or "FAIL: ..." (with what
// was found instead), and a closing line "NAME: N passed, M failed", which is what the scripts
// read. Texts are in code page 1251 (the programs' literals are compiled to it) and are printed
// in UTF-8.
#pragma once

#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <string>

namespace report {

inline int passed = 0;
inline int failed = 0;

// Writes one line, converting the code page 1251 text to UTF-8 for the Unix side.
inline void say(const char* format, ...) {
  char text[4096];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  wchar_t wide[4096];
  char utf8[12288];
  int n = MultiByteToWideChar(1251, 0, text, -1, wide, 4096);
  n = n > 0 ? WideCharToMultiByte(CP_UTF8, 0, wide, -1, utf8, sizeof utf8, nullptr, nullptr) : 0;
  std::printf("%s\n", n > 0 ? utf8 : text);
  std::fflush(stdout);
}

inline bool check(bool ok, const std::string& what, const std::string& found = "") {
  const std::string instead = ok || found.empty() ? "" : " (found " + found + ")";
  say("%s: %s%s", ok ? "ok" : "FAIL", what.c_str(), instead.c_str());
  (ok ? passed : failed)++;
  return ok;
}

// The closing line; the exit code: 1 when a check failed.
inline int finish(const char* name) {
  say("%s: %d passed, %d failed", name, passed, failed);
  return failed == 0 ? 0 : 1;
}

}  // namespace report
