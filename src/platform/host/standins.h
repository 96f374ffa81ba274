// Stand-ins for the operating system, for tests: directories in a temporary folder, real INI
// files, a shell that records what it was asked to do, scripted message-box answers.
#pragma once

#include <deque>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "platform/dialogs.h"
#include "platform/file_swap.h"
#include "platform/files.h"
#include "platform/machine.h"
#include "platform/processes.h"
#include "platform/regions.h"
#include "platform/session.h"
#include "platform/shell.h"
#include "platform/system.h"

namespace vireo::platform {

// Turns a Windows path of the stand-in directories into a path on the host: backslashes become
// slashes, and each component is matched without regard to letter case, as Windows does.
std::filesystem::path HostPath(const std::string& windows_path);

class TempSystem : public System {
 public:
  TempSystem();
  ~TempSystem() override;
  TempSystem(const TempSystem&) = delete;
  TempSystem& operator=(const TempSystem&) = delete;

  std::string WindowsDirectory() override { return windows_dir_; }
  std::string SystemDirectory() override { return system_dir_; }
  std::string ProgramDirectory() override { return program_dir_; }
  bool Version(OsVersion* version) override;
  void ExitNow(int code) override;

  OsVersion version;  // Windows 98 until a test says otherwise
  bool version_fails = false;
  bool exited = false;
  int exit_code = 0;

  // Moves the Windows directory to `windows` below the stand-in's folder and the System
  // directory to `system` inside it (names with a blank, say); both start empty.
  void PlaceDirectories(const std::string& windows, const std::string& system);
  // Writes a file below the stand-in directories (a Windows-style path).
  void WriteFile(const std::string& windows_path, const std::string& contents);
  std::string ReadFile(const std::string& windows_path) const;

 private:
  std::filesystem::path root_;
  std::string windows_dir_;
  std::string system_dir_;
  std::string program_dir_;
};

// The file operations on real files below the stand-in directories (Windows-style paths, as
// HostPath takes them), and the steps of a swap on them. A test can make them fail: `fail` makes
// every operation fail, `fail_after_bytes` makes Copy and Replace (and a swap's writes) stop with
// an error once that many bytes of the temporary file are written, as a full disk would, and
// `busy_renames` makes that many renames report the file held open.
class HostFiles : public Files, public SwapSteps {
 public:
  bool Read(const std::string& path, std::string* bytes) override;
  bool MakeDirectory(const std::string& path) override;
  bool Copy(const std::string& from, const std::string& to) override;
  bool Replace(const std::string& path, const std::string& bytes) override;
  bool Append(const std::string& path, const std::string& bytes) override;
  bool Remove(const std::string& path) override;
  bool IsDirectory(const std::string& path) override;

  bool Replaceable(const std::string& path) override;
  bool WriteNew(const std::string& path, const std::string& bytes) override;
  bool CopyNew(const std::string& from, const std::string& to) override;
  Move Rename(const std::string& from, const std::string& to) override;
  bool Delete(const std::string& path) override;
  bool Exists(const std::string& path) override;
  void Pause() override { ++pauses; }

  bool fail = false;
  long fail_after_bytes = -1;  // -1: never
  int busy_renames = 0;
  int calls = 0;  // operations asked for, failed ones included
  int pauses = 0;

 private:
  bool WriteAndRename(const std::filesystem::path& target, const std::string& bytes);
};

// Private-profile files kept as real INI files on the host.
class IniProfile : public Profile {
 public:
  std::string GetString(const std::string& section, const std::string& key,
                        const std::string& fallback, const std::string& file) override;
  bool WriteString(const std::string& section, const std::string& key, const std::string& value,
                   const std::string& file) override;
  bool DeleteKey(const std::string& section, const std::string& key,
                 const std::string& file) override;
  int writes = 0;
};

class RecordingShell : public Shell {
 public:
  struct Call {
    std::string what;  // "open" with its verb, or "start"
    std::string target;
    int show = 0;
  };
  bool Open(const std::string& verb, const std::string& target, int show) override;
  void Start(const std::string& command_line) override;
  bool FileExists(const std::string& path) override;
  std::vector<Call> calls;
  // What Open answers: false stands for a system where no program opens the target (Wine has
  // none for registry files).
  bool opens = true;
};

// Records what the shell's dialogs and the end of the session were asked for, one line each:
// "shutdown dialog", "run dialog|<owner>|<title>|<prompt>", "about|<owner>|<application>|<other>",
// "exit|<flags>".
class RecordingSession : public Session {
 public:
  void ShutDownDialog() override { calls.push_back("shutdown dialog"); }
  void RunDialog(OwnerHandle owner, const std::string& title, const std::string& prompt) override {
    calls.push_back("run dialog|" + std::to_string(owner) + "|" + title + "|" + prompt);
  }
  void AboutWindows(OwnerHandle owner, const std::string& application,
                    const std::string& other) override {
    calls.push_back("about|" + std::to_string(owner) + "|" + application + "|" + other);
  }
  void EndSession(std::uint32_t flags) override {
    calls.push_back("exit|" + std::to_string(flags));
  }
  std::vector<std::string> calls;
};

class ScriptedMessages : public MessageBoxes {
 public:
  struct Shown {
    std::string text;
    std::string title;
    MessageStyle style;
    OwnerHandle owner;
  };
  Answer Show(OwnerHandle owner, const std::string& text, const std::string& title,
              MessageStyle style) override;
  // Answers given in turn; when none is left, OK boxes answer kOk and Yes/No boxes kNo.
  std::deque<Answer> answers;
  std::vector<Shown> shown;
};

class RecordingChooser : public FileChooser {
 public:
  struct Request {
    OwnerHandle owner;
    std::string filter_list;
    std::string title;
  };
  std::string ChooseFileToOpen(OwnerHandle owner, const std::string& filter_list,
                               const std::string& title) override;
  // Recorded as the open requests are, with the extension after the title ("title|reg").
  std::string ChooseFileToSave(OwnerHandle owner, const std::string& filter_list,
                               const std::string& title, const std::string& extension) override;
  std::string next_choice;  // empty: the user cancels
  std::vector<Request> requests;
};

class RecordingRegions : public Regions {
 public:
  RegionHandle CreateRoundRect(int left, int top, int right, int bottom, int ellipse_w,
                               int ellipse_h) override;
  bool CombineUnion(RegionHandle dest, RegionHandle a, RegionHandle b) override;
  bool SetWindowRegion(std::uintptr_t window, RegionHandle region, bool redraw) override;
  void Delete(RegionHandle region) override;

  std::vector<std::string> calls;
  // Regions created and neither deleted nor handed to a window.
  int Outstanding() const { return static_cast<int>(owned_.size()); }

 private:
  RegionHandle next_ = 0x100;
  std::vector<RegionHandle> owned_;
};

// Fixed machine facts that a test sets as it needs; each query can be made to fail.
class FixedMachine : public Machine {
 public:
  std::uint32_t TickCount() override {
    ++tick_reads;
    return tick_count;
  }
  bool ComputerName(std::string* name) override;
  bool Processor(ProcessorInfo* info) override;
  bool Memory(MemoryStatus* status) override;
  std::vector<std::string> Environment() override { return environment; }
  std::string DecimalSeparator() override { return decimal_separator; }
  bool ProgramVersion(FileVersion* version) override;

  std::uint32_t tick_count = 0;
  int tick_reads = 0;
  std::string computer_name = "TESTBOX";
  ProcessorInfo processor;
  MemoryStatus memory;
  int memory_reads = 0;
  std::vector<std::string> environment;
  std::string decimal_separator = ".";
  FileVersion version{1, 0, 0, 0};
  bool fails = false;  // every query but the tick count and the environment fails
};

// A process table that a test fills; ending a process removes it from the table. Records every
// handle opened and closed.
class ScriptedProcesses : public Processes {
 public:
  bool Snapshot(std::vector<ProcessEntry>* out) override;
  ProcessHandle Open(std::uint32_t process_id, std::uint32_t access, bool inherit) override;
  bool Terminate(ProcessHandle process, std::uint32_t exit_code) override;
  void Close(ProcessHandle process) override;
  void Sleep(int milliseconds) override { slept.push_back(milliseconds); }

  std::vector<ProcessEntry> processes;
  bool snapshot_fails = false;
  std::vector<std::uint32_t> unopenable;  // process ids that Open refuses
  // One line per call: "open <pid> <access> <inherit>", "terminate <pid> <code>", "close <pid>".
  std::vector<std::string> calls;
  std::vector<int> slept;
  int snapshots = 0;
  // Handles opened and not closed yet.
  int OpenHandles() const { return static_cast<int>(open_.size()); }

 private:
  std::map<ProcessHandle, std::uint32_t> open_;  // handle -> process id
  ProcessHandle next_ = 0x40;
};

class ListedWindows : public TopWindows {
 public:
  std::vector<TopWindow> List() override {
    ++lists;
    return windows;
  }
  std::vector<TopWindow> windows;
  int lists = 0;
};

}  // namespace vireo::platform
