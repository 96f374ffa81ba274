#include "platform/win32/win32_files.h"

#include <windows.h>

#include <utility>

#include "platform/file_swap.h"

namespace vireo::platform {
namespace {

bool IsDirectoryPath(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// A file that the user marked read-only is not replaced: writing it would fail on every Windows,
// yet moving another file over it succeeds under Wine, and on Windows 9x (which moves the old
// file aside) it would leave the old file behind, undeletable, beside the new one.
bool IsReadOnlyFile(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

std::string DirectoryOf(const std::string& path) {
  const auto slash = path.find_last_of("\\/");
  return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

// A new empty file of a name of its own beside `target`; empty when it cannot be made.
std::string TemporaryBeside(const std::string& target) {
  char name[MAX_PATH + 1] = {};
  if (GetTempFileNameA(DirectoryOf(target).c_str(), "vir", 0, name) == 0) return {};
  return name;
}

// Copies `from` to the new or temporary file `to`. The copy takes the source's attributes, and a
// template copied from a read-only source (a CD) would otherwise be refused by every later
// replace, and could not even be deleted when the replace fails.
bool CopyWritable(const std::string& from, const std::string& to, BOOL fail_if_exists) {
  if (!CopyFileA(from.c_str(), to.c_str(), fail_if_exists)) return false;
  const DWORD attributes = GetFileAttributesA(to.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES &&
         ((attributes & FILE_ATTRIBUTE_READONLY) == 0 ||
          SetFileAttributesA(to.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY));
}

// Another program may hold the target open for a moment (a virus scanner, an indexer, an editor
// reading it), and an open file cannot be replaced: the move is tried again for about half a
// second before it counts as failed.
constexpr int kMoveTries = kBusyTries;
constexpr DWORD kMoveWaitMs = 50;

// Moves `temp` over `target` (the NT family only).
bool MoveOver(const std::string& temp, const std::string& target) {
  for (int attempt = 1;; ++attempt) {
    if (MoveFileExA(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)) return true;
    const DWORD error = GetLastError();
    if ((error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION) ||
        attempt == kMoveTries) {
      return false;
    }
    Sleep(kMoveWaitMs);
  }
}

bool WriteAll(const std::string& path, const std::string& bytes, DWORD disposition) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, disposition,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok =
      WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
      written == bytes.size() && FlushFileBuffers(file);
  return CloseHandle(file) && ok;
}

// The swap's steps, each one call or two: MoveFileA, which fails rather than overwrite, and
// DeleteFileA, with no MoveFileExA anywhere.
class SwapOnDisk : public SwapSteps {
 public:
  bool Replaceable(const std::string& path) override {
    return !IsDirectoryPath(path) && !IsReadOnlyFile(path);
  }
  bool WriteNew(const std::string& path, const std::string& bytes) override {
    return WriteAll(path, bytes, CREATE_NEW);
  }
  bool CopyNew(const std::string& from, const std::string& to) override {
    return CopyWritable(from, to, TRUE);
  }
  Move Rename(const std::string& from, const std::string& to) override {
    if (MoveFileA(from.c_str(), to.c_str())) return Move::kDone;
    const DWORD error = GetLastError();
    // Windows 9x, like DOS, answers "access denied" also when the new name is taken.
    if ((error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION) || Exists(to)) {
      return Move::kFailed;
    }
    return Move::kBusy;
  }
  bool Delete(const std::string& path) override {
    return DeleteFileA(path.c_str()) || !Exists(path);
  }
  bool Exists(const std::string& path) override {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
  }
  void Pause() override { Sleep(kMoveWaitMs); }
};

}  // namespace

bool Win32Files::Read(const std::string& path, std::string* bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  std::string contents;
  char chunk[16384];
  DWORD got = 0;
  bool ok = true;
  while ((ok = ReadFile(file, chunk, sizeof chunk, &got, nullptr) != 0) && got > 0) {
    contents.append(chunk, got);
  }
  CloseHandle(file);
  if (!ok) return false;
  *bytes = std::move(contents);
  return true;
}

bool Win32Files::MakeDirectory(const std::string& path) {
  return CreateDirectoryA(path.c_str(), nullptr) || IsDirectoryPath(path);
}

bool Win32Files::Copy(const std::string& from, const std::string& to) {
  if (way_ == Way::kSwap) {
    SwapOnDisk steps;
    return SwapCopy(steps, from, to);
  }
  if (IsDirectoryPath(to) || IsReadOnlyFile(to)) return false;
  const std::string temp = TemporaryBeside(to);
  if (temp.empty()) return false;
  if (CopyWritable(from, temp, FALSE) && MoveOver(temp, to)) return true;
  DeleteFileA(temp.c_str());
  return false;
}

bool Win32Files::Replace(const std::string& path, const std::string& bytes) {
  if (way_ == Way::kSwap) {
    SwapOnDisk steps;
    return SwapReplace(steps, path, bytes);
  }
  if (IsDirectoryPath(path) || IsReadOnlyFile(path)) return false;
  const std::string temp = TemporaryBeside(path);
  if (temp.empty()) return false;
  if (WriteAll(temp, bytes, CREATE_ALWAYS) && MoveOver(temp, path)) return true;
  DeleteFileA(temp.c_str());
  return false;
}

bool Win32Files::Append(const std::string& path, const std::string& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok =
      SetFilePointer(file, 0, nullptr, FILE_END) != INVALID_SET_FILE_POINTER &&
      WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
      written == bytes.size();
  return CloseHandle(file) && ok;
}

bool Win32Files::Remove(const std::string& path) {
  if (IsDirectoryPath(path)) return RemoveDirectoryA(path.c_str()) || !IsDirectoryPath(path);
  return DeleteFileA(path.c_str()) || GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES;
}

bool Win32Files::IsDirectory(const std::string& path) {
  return IsDirectoryPath(path);
}

bool Win32Files::RecoverMovedAside(const std::string& path) {
  SwapOnDisk steps;
  return platform::RecoverMovedAside(steps, path);
}

}  // namespace vireo::platform
