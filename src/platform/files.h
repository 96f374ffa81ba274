// File operations: reading a whole file, making a directory, copying a file, replacing a file's
// contents, appending to a file, removing a file or an empty directory. Paths are Windows paths in
// the system code page. A file that is replaced is replaced whole or not at all: the new contents
// go to a temporary file beside it, which then takes the file's place, so a failure at any step
// leaves the previous file as it was. A program stopped in the middle (killed, the power gone)
// leaves the previous file or the complete new one; on Windows 9x, which cannot move one file over
// another, the previous one may be left under a backup name until the next replace of that file,
// or the program's next start for its own files, puts it back (platform/file_swap.h).
#pragma once

#include <string>

namespace vireo::platform {

class Files {
 public:
  virtual ~Files() = default;
  // The whole contents of the file `path` in `*bytes`. False when it cannot be read; `*bytes` is
  // then left as it was.
  virtual bool Read(const std::string& path, std::string* bytes) = 0;
  // Creates the directory `path` (its parent must exist). True when it exists afterwards,
  // created now or before.
  virtual bool MakeDirectory(const std::string& path) = 0;
  // Copies the file `from` to `to`, replacing a file there. False when the copy failed; `to`
  // then holds what it held before. A file marked read-only is not replaced, here or by Replace.
  virtual bool Copy(const std::string& from, const std::string& to) = 0;
  // Makes `bytes` the whole contents of the file `path`, creating it or replacing it. False when
  // that failed; `path` then holds what it held before.
  virtual bool Replace(const std::string& path, const std::string& bytes) = 0;
  // Adds `bytes` at the end of the file `path`, creating it when missing. Each call opens, writes
  // and closes the file, so what was appended is on disk when it returns. False when that failed.
  virtual bool Append(const std::string& path, const std::string& bytes) = 0;
  // Removes the file `path`, or the directory `path` when it is empty. False when it is there
  // afterwards.
  virtual bool Remove(const std::string& path) = 0;
  // Whether `path` is an existing directory.
  virtual bool IsDirectory(const std::string& path) = 0;
};

}  // namespace vireo::platform
