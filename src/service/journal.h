// The change journal: every change the program makes to the registry, to a profile file line
// ("control.ini") or to a file is recorded with the state before and the state after, and can be
// undone exactly.
//
// The journal sits between the program and the real platform: the composition root puts its
// three recorders (registry(), profile(), files()) into the Platform bundle in place of the real
// objects, so no window has to know about it. A recorder reads the state before each changing
// call (one value read for a value, the whole subtree for a key deletion), makes the call, and
// keeps an entry when the call succeeded and changed something. The cause of an entry is the
// user's action under way (ui/action.h). Undo goes straight to the real objects and records one
// entry of its own, the inverse of the one undone.
//
// The states and their reading are in journal_state.h, the readable texts and the REGEDIT4 undo
// file in journal_text.h; the recorders are in journal_recorders.cpp.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/registry.h"
#include "platform/system.h"
#include "service/journal_state.h"

namespace vireo::service {

// The plain-text log in the program directory: one line a change, appended as it is made.
inline constexpr char kLogFile[] = "Vireo.log";

enum class Target {
  kValue,      // root, key, name
  kKey,        // root, key: created (absent before) or deleted with its subtree (absent after)
  kProfile,    // file, section, name: one line of a profile file
  kFile,       // file
  kDirectory,  // file: a directory created
};

struct Change {
  Target target = Target::kValue;
  platform::HKey root = 0;
  std::string key;      // the key path below `root`
  std::string name;     // the value name, or the profile line's key
  std::string section;  // the profile section
  std::string file;     // the profile file, the file or the directory
  ItemState before;     // values, profile lines, files; keys and directories: present or not
  ItemState after;
  KeyTree tree_before;  // keys: the subtree when present
  KeyTree tree_after;
  // The same thing changed, whatever the states.
  bool SameTarget(const Change& other) const;
};

struct Entry {
  int number = 0;  // 1, 2, ... in the order the entries were made
  std::string time;
  std::string cause;  // the setting's caption or the command; may be empty
  Change change;
  // The user's event that made it: consecutive keystrokes into one box change one entry.
  std::uintptr_t source = 0;
  bool typing = false;
};

class Journal {
 public:
  Journal(platform::Registry& registry, platform::Profile& profile, platform::Files& files);
  ~Journal();
  Journal(const Journal&) = delete;
  Journal& operator=(const Journal&) = delete;

  // The recorders that stand in for the real objects in the bundle.
  platform::Registry& registry();
  platform::Profile& profile();
  platform::Files& files();
  // The real file operations: what the journal itself writes (its log, a saved undo file) is
  // not recorded.
  platform::Files& real_files() { return files_; }

  // The local time as "YYYY-MM-DD HH:MM:SS"; the system clock unless a test sets another.
  std::function<std::string()> clock;
  // The plain-text log that every entry is appended to as a line; empty for none.
  std::string log_path;

  const std::vector<Entry>& entries() const { return entries_; }
  // Forgets every entry: what was done stays done, and the next change starts a new session.
  void Forget() { entries_.clear(); }

  // The state of what `change` changed, read now.
  void ReadCurrent(const Change& change, ItemState* state, KeyTree* tree);
  // Whether the current state is still the one the entry left.
  bool Unchanged(const Entry& entry);

  enum class UndoResult { kUndone, kDeclined, kFailed };
  // Puts back the state before entry `number`. When the current state is no longer the one the
  // entry left, `confirm` is asked first and a false declines. The undo is recorded as an entry.
  UndoResult Undo(int number, const std::function<bool(const Entry&)>& confirm);
  // Undoes every entry made so far, newest first; each one asks as Undo does. The number undone.
  int UndoAll(const std::function<bool(const Entry&)>& confirm);

  // Called by the recorders: keeps a change made by the program.
  void Record(Change change);

 private:
  class Recorder;
  class ProfileRecorder;
  class FilesRecorder;

  void Keep(Entry entry);
  void Log(const Entry& entry);
  bool Apply(const Change& change);

  platform::Registry& registry_;
  platform::Profile& profile_;
  platform::Files& files_;
  std::unique_ptr<Recorder> recorder_;
  std::unique_ptr<ProfileRecorder> profile_recorder_;
  std::unique_ptr<FilesRecorder> files_recorder_;
  std::vector<Entry> entries_;
  int next_number_ = 1;
};

}  // namespace vireo::service
