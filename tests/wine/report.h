// The report of the Wine test programs, and the small helpers they share: one line per check, "ok:
// ..." or "FAIL: ..." (with what was found instead), and a closing line "NAME: N passed, M failed",
// which is what the scripts read. Texts are in code page 1251 (the programs' literals are compiled
// to it) and are printed in UTF-8.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

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

// One check that `found` is `wanted`, naming what was found instead.
inline bool same(const std::string& found, const std::string& wanted, const std::string& what) {
  return check(found == wanted, what, "\"" + found + "\"");
}

// The closing line; the exit code: 1 when a check failed.
inline int finish(const char* name) {
  say("%s: %d passed, %d failed", name, passed, failed);
  return failed == 0 ? 0 : 1;
}

// The temporary directory without its closing backslash.
inline std::string tempDirectory() {
  char buffer[MAX_PATH + 1] = {};
  GetTempPathA(MAX_PATH, buffer);
  std::string dir = buffer;
  if (!dir.empty() && dir.back() == '\\') dir.pop_back();
  return dir;
}

// The names of the files in `dir`, sorted.
inline std::vector<std::string> filesIn(const std::string& dir) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((dir + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  std::sort(names.begin(), names.end());
  return names;
}

// Removes the folder `dir` with the files in it, read-only ones too (left by an earlier run).
inline void removeFolder(const std::string& dir) {
  for (const std::string& name : filesIn(dir)) {
    SetFileAttributesA((dir + "\\" + name).c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA((dir + "\\" + name).c_str());
  }
  RemoveDirectoryA(dir.c_str());
}

// A file's bytes, and whether it exists; writing one that does not exist deletes it.
struct FileBytes {
  bool exists = false;
  std::string data;
};
inline FileBytes readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {in.is_open(), std::string(std::istreambuf_iterator<char>(in), {})};
}
inline bool writeFile(const std::string& path, const FileBytes& bytes) {
  if (!bytes.exists) {  // a file that is not there, or whose folder is not, is no failure
    return DeleteFileA(path.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND ||
           GetLastError() == ERROR_PATH_NOT_FOUND;
  }
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  return out.write(bytes.data.data(), static_cast<std::streamsize>(bytes.data.size())).good();
}

// Runs a command line and waits for its end; false when it did not start or end in time.
inline bool runAndWait(std::string command_line, DWORD ms) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, command_line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return false;
  }
  const bool ended = WaitForSingleObject(process.hProcess, ms) == WAIT_OBJECT_0;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return ended;
}

// Where two texts first differ, with what follows there in each, for a failure's message.
inline std::string firstDifference(const std::string& a, const std::string& b) {
  std::size_t at = 0;
  while (at < a.size() && at < b.size() && a[at] == b[at]) ++at;
  return "at byte " + std::to_string(at) + ": \"" + a.substr(at, 80) + "\" then \"" +
         b.substr(at, 80) + "\"";
}

}  // namespace report
