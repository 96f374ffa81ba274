#include "service/journal.h"

#include <utility>

#include "service/journal_internal.h"
#include "service/journal_text.h"
#include "ui/action.h"

namespace vireo::service {

using detail::kNoLine;
using platform::HKey;

namespace {

bool WriteTree(platform::Registry& registry, HKey parent, const std::string& path,
               const KeyTree& tree) {
  HKey key = 0;
  bool created = false;
  if (registry.CreateKey(parent, path, platform::kKeyAllAccess3F, &key, &created) !=
      platform::kSuccess) {
    return false;
  }
  bool ok = true;
  for (const auto& [name, state] : tree.values) {
    ok = registry.SetValue(key, name, state.type,
                           reinterpret_cast<const std::uint8_t*>(state.bytes.data()),
                           static_cast<std::uint32_t>(state.bytes.size())) == platform::kSuccess &&
         ok;
  }
  for (const KeyTree& sub : tree.subkeys) ok = WriteTree(registry, key, sub.name, sub) && ok;
  registry.CloseKey(key);
  return ok;
}

// Two states are the same; a string is the same with or without its closing NUL: the program
// writes its texts without one, and the system gives them back with it.
bool SameState(const ItemState& a, const ItemState& b) {
  if (a.present && b.present && a.type == b.type &&
      (a.type == platform::kRegSz || a.type == platform::kRegExpandSz)) {
    auto text = [](std::string bytes) {
      while (!bytes.empty() && bytes.back() == '\0') bytes.pop_back();
      return bytes;
    };
    return text(a.bytes) == text(b.bytes);
  }
  return a == b;
}

}  // namespace

bool Change::SameTarget(const Change& other) const {
  return target == other.target && root == other.root && key == other.key && name == other.name &&
         section == other.section && file == other.file;
}

void Journal::Record(Change change) {
  // A write that leaves everything as it was is no change.
  if (change.before == change.after && change.tree_before == change.tree_after) return;
  const ui::Action& action = ui::CurrentAction();
  Entry entry;
  entry.cause = action.caption;
  entry.source = action.source;
  entry.typing = action.typing;
  entry.change = std::move(change);
  Keep(std::move(entry));
}

void Journal::Keep(Entry entry) {
  entry.time = clock ? clock() : std::string();
  Log(entry);
  // Keystrokes into one box, one after another, make one entry per thing they change: the
  // first state before, the last state after.
  if (entry.typing && entry.change.target != Target::kKey) {
    for (auto it = entries_.rbegin(); it != entries_.rend(); ++it) {
      if (!it->typing || it->source != entry.source) break;
      if (it->change.SameTarget(entry.change)) {
        it->change.after = std::move(entry.change.after);
        return;
      }
    }
  }
  entry.number = next_number_++;
  entries_.push_back(std::move(entry));
}

void Journal::Log(const Entry& entry) {
  if (log_path.empty()) return;
  std::string line = entry.time + "\t" + entry.cause + "\t" + TargetText(entry.change) + "\t" +
                     BeforeText(entry.change) + " -> " + AfterText(entry.change);
  for (char& c : line) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  files_.Append(log_path, line + "\r\n");
}

void Journal::ReadCurrent(const Change& change, ItemState* state, KeyTree* tree) {
  *state = ItemState{};
  *tree = KeyTree{};
  switch (change.target) {
    case Target::kValue: {
      HKey key = 0;
      if (registry_.OpenKey(change.root, change.key, platform::kKeyQueryValue, &key) !=
          platform::kSuccess) {
        return;
      }
      *state = ReadValue(registry_, key, change.name);
      registry_.CloseKey(key);
      return;
    }
    case Target::kKey:
      state->present = ReadTree(registry_, change.root, change.key, tree);
      return;
    case Target::kProfile: {
      const std::string line =
          profile_.GetString(change.section, change.name, kNoLine, change.file);
      if (line != kNoLine) *state = ItemState{true, 0, line};
      return;
    }
    case Target::kFile: {
      std::string bytes;
      if (files_.Read(change.file, &bytes)) *state = ItemState{true, 0, std::move(bytes)};
      return;
    }
    case Target::kDirectory:
      state->present = files_.IsDirectory(change.file);
      return;
  }
}

bool Journal::Unchanged(const Entry& entry) {
  ItemState state;
  KeyTree tree;
  ReadCurrent(entry.change, &state, &tree);
  if (entry.change.target == Target::kKey) {
    return state.present == entry.change.after.present &&
           (!state.present || tree == entry.change.tree_after);
  }
  return SameState(state, entry.change.after);
}

bool Journal::Apply(const Change& change) {
  const ItemState& to = change.before;
  switch (change.target) {
    case Target::kValue: {
      HKey key = 0;
      if (!to.present) {
        if (registry_.OpenKey(change.root, change.key, platform::kKeyAllAccess3F, &key) !=
            platform::kSuccess) {
          return true;  // no key, no value
        }
        const std::int32_t status = registry_.DeleteValue(key, change.name);
        const bool gone =
            status == platform::kSuccess || !ReadValue(registry_, key, change.name).present;
        registry_.CloseKey(key);
        return gone;
      }
      bool created = false;
      if (registry_.CreateKey(change.root, change.key, platform::kKeyAllAccess3F, &key, &created) !=
          platform::kSuccess) {
        return false;
      }
      const std::int32_t status = registry_.SetValue(
          key, change.name, to.type, reinterpret_cast<const std::uint8_t*>(to.bytes.data()),
          static_cast<std::uint32_t>(to.bytes.size()));
      registry_.CloseKey(key);
      return status == platform::kSuccess;
    }
    case Target::kKey: {
      KeyTree now;
      if (ReadTree(registry_, change.root, change.key, &now) &&
          registry_.DeleteKey(change.root, change.key) != platform::kSuccess) {
        return false;
      }
      return !to.present || WriteTree(registry_, change.root, change.key, change.tree_before);
    }
    case Target::kProfile:
      return to.present ? profile_.WriteString(change.section, change.name, to.bytes, change.file)
                        : profile_.DeleteKey(change.section, change.name, change.file);
    case Target::kFile:
      return to.present ? files_.Replace(change.file, to.bytes) : files_.Remove(change.file);
    case Target::kDirectory:
      return to.present ? files_.MakeDirectory(change.file) : files_.Remove(change.file);
  }
  return false;
}

Journal::UndoResult Journal::Undo(int number, const std::function<bool(const Entry&)>& confirm) {
  const Entry* found = nullptr;
  for (const Entry& entry : entries_) {
    if (entry.number == number) found = &entry;
  }
  if (found == nullptr) return UndoResult::kFailed;
  const Entry entry = *found;  // the list grows below
  if (!Unchanged(entry) && !(confirm && confirm(entry))) return UndoResult::kDeclined;
  // The undo's own entry goes from the current state back to the entry's state before.
  Change inverse = entry.change;
  ReadCurrent(entry.change, &inverse.before, &inverse.tree_before);
  inverse.after = entry.change.before;
  inverse.tree_after = entry.change.tree_before;
  if (!Apply(entry.change)) return UndoResult::kFailed;
  Entry undo;
  undo.cause = "Отмена: " + (entry.cause.empty() ? TargetText(entry.change) : entry.cause);
  undo.change = std::move(inverse);
  Keep(std::move(undo));
  return UndoResult::kUndone;
}

int Journal::UndoAll(const std::function<bool(const Entry&)>& confirm) {
  std::vector<int> numbers;
  for (const Entry& entry : entries_) numbers.push_back(entry.number);
  int undone = 0;
  for (auto it = numbers.rbegin(); it != numbers.rend(); ++it) {
    if (Undo(*it, confirm) == UndoResult::kUndone) ++undone;
  }
  return undone;
}

}  // namespace vireo::service
