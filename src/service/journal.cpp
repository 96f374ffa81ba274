#include "service/journal.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <utility>

#include "service/setup_export.h"
#include "ui/action.h"

namespace vireo::service {

using platform::HKey;

namespace {

// What GetString returns for a line that is not there: no profile line can hold it.
constexpr char kNoLine[] = "\x01\x02vireo:none\x02\x01";

constexpr std::uint32_t kFirstRead = 512;

bool IsRoot(HKey key) {
  return key >= platform::kClassesRoot && key <= platform::kDynData;
}

// The components of a key path; empty ones are skipped, as the registry skips them.
std::vector<std::string> Components(const std::string& path) {
  std::vector<std::string> parts;
  std::string part;
  for (char c : path) {
    if (c == '\\') {
      if (!part.empty()) parts.push_back(std::move(part));
      part.clear();
    } else {
      part += c;
    }
  }
  if (!part.empty()) parts.push_back(std::move(part));
  return parts;
}

std::string Join(const std::vector<std::string>& parts, std::size_t count) {
  std::string path;
  for (std::size_t i = 0; i < count && i < parts.size(); ++i) {
    if (!path.empty()) path += '\\';
    path += parts[i];
  }
  return path;
}

std::string JoinPath(const std::string& base, const std::string& sub) {
  std::vector<std::string> parts = Components(base);
  for (std::string& part : Components(sub)) parts.push_back(std::move(part));
  return Join(parts, parts.size());
}

std::string SystemClock() {
  const std::time_t now = std::time(nullptr);
  const std::tm* local = std::localtime(&now);
  char text[32] = {};
  if (local == nullptr || std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", local) == 0) {
    return "0000-00-00 00:00:00";
  }
  return text;
}

// A key with empty keys below it down to `depth` more levels, as a creation leaves them.
KeyTree EmptyChain(const std::vector<std::string>& parts, std::size_t from) {
  KeyTree tree;
  tree.name = parts[from];
  if (from + 1 < parts.size()) tree.subkeys.push_back(EmptyChain(parts, from + 1));
  return tree;
}

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

std::string Quoted(const std::string& text) {
  std::string shown = text;
  while (!shown.empty() && shown.back() == '\0') shown.pop_back();
  if (shown.size() > 80) shown = shown.substr(0, 80) + "...";
  return "\"" + shown + "\"";
}

std::string ValueText(const ItemState& state) {
  if (!state.present) return "(нет значения)";
  const std::string& b = state.bytes;
  if (state.type == platform::kRegSz || state.type == platform::kRegExpandSz) return Quoted(b);
  if (state.type == platform::kRegDword && b.size() == 4) {
    std::uint32_t number = 0;
    for (int i = 3; i >= 0; --i) number = (number << 8) | static_cast<unsigned char>(b[i]);
    char text[40];
    std::snprintf(text, sizeof text, "0x%08x (%u)", number, number);
    return text;
  }
  std::string text = state.type == platform::kRegBinary
                         ? std::string("hex:")
                         : "hex(" + std::to_string(state.type) + "):";
  std::vector<std::uint8_t> shown(
      b.begin(), b.begin() + static_cast<long>(std::min<std::size_t>(b.size(), 16)));
  text += HexBytes(shown);
  if (b.size() > 16) text += ",...";
  return text;
}

std::string KeyText(bool present, const KeyTree& tree) {
  if (!present) return "(нет раздела)";
  return "раздел (параметров: " + std::to_string(tree.values.size()) +
         ", подразделов: " + std::to_string(tree.subkeys.size()) + ")";
}

std::string StateText(const Change& change, const ItemState& state, const KeyTree& tree) {
  switch (change.target) {
    case Target::kValue:
      return ValueText(state);
    case Target::kKey:
      return KeyText(state.present, tree);
    case Target::kProfile:
      return state.present ? Quoted(state.bytes) : "(нет строки)";
    case Target::kFile:
      return state.present ? "файл (" + std::to_string(state.bytes.size()) + " байт)"
                           : "(нет файла)";
    case Target::kDirectory:
      return state.present ? "папка" : "(нет папки)";
  }
  return {};
}

// The data of a value line of a REGEDIT4 file, with the type and the bytes exactly.
std::string RegeditData(const ItemState& state) {
  const std::string& b = state.bytes;
  const std::vector<std::uint8_t> bytes(b.begin(), b.end());
  if (state.type == platform::kRegSz && !b.empty() && b.back() == '\0' &&
      b.find('\0') == b.size() - 1 && b.find_first_of("\r\n") == std::string::npos) {
    return "\"" + EscapeString(b.substr(0, b.size() - 1)) + "\"";
  }
  if (state.type == platform::kRegDword && b.size() == 4) {
    std::uint32_t number = 0;
    for (int i = 3; i >= 0; --i) number = (number << 8) | static_cast<unsigned char>(b[i]);
    char text[20];
    std::snprintf(text, sizeof text, "dword:%08x", number);
    return text;
  }
  if (state.type == platform::kRegBinary) return "hex:" + HexBytes(bytes);
  return "hex(" + std::to_string(state.type) + "):" + HexBytes(bytes);
}

std::string RegeditName(const std::string& name) {
  return name.empty() ? std::string("@") : "\"" + EscapeString(name) + "\"";
}

void RegeditTree(const std::string& path, const KeyTree& tree, std::string* text) {
  *text += "[" + path + "]\r\n";
  for (const auto& [name, state] : tree.values) {
    *text += RegeditName(name) + "=" + RegeditData(state) + "\r\n";
  }
  *text += "\r\n";
  for (const KeyTree& sub : tree.subkeys) RegeditTree(path + "\\" + sub.name, sub, text);
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

std::string RootName(HKey root) {
  switch (root) {
    case platform::kClassesRoot:
      return "HKEY_CLASSES_ROOT";
    case platform::kCurrentUser:
      return "HKEY_CURRENT_USER";
    case platform::kLocalMachine:
      return "HKEY_LOCAL_MACHINE";
    case platform::kUsers:
      return "HKEY_USERS";
    case platform::kCurrentConfig:
      return "HKEY_CURRENT_CONFIG";
    case platform::kDynData:
      return "HKEY_DYN_DATA";
    default:
      return "HKEY_PERFORMANCE_DATA";
  }
}

std::string TargetText(const Change& change) {
  const std::string key = RootName(change.root) + (change.key.empty() ? "" : "\\" + change.key);
  switch (change.target) {
    case Target::kValue:
      return key + " : " + (change.name.empty() ? "(по умолчанию)" : change.name);
    case Target::kKey:
      return key;
    case Target::kProfile:
      return change.file + " [" + change.section + "] " + change.name;
    case Target::kFile:
    case Target::kDirectory:
      return change.file;
  }
  return {};
}

std::string BeforeText(const Change& change) {
  return StateText(change, change.before, change.tree_before);
}

std::string AfterText(const Change& change) {
  return StateText(change, change.after, change.tree_after);
}

std::string UndoFileText(const std::vector<Entry>& entries) {
  std::string text = "REGEDIT4\r\n\r\n";
  for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
    const Change& c = it->change;
    const std::string key = RootName(c.root) + (c.key.empty() ? "" : "\\" + c.key);
    if (c.target == Target::kValue) {
      text += "[" + key + "]\r\n" + RegeditName(c.name) + "=" +
              (c.before.present ? RegeditData(c.before) : std::string("-")) + "\r\n\r\n";
    } else if (c.target == Target::kKey) {
      // Whatever is there now goes first, so that the key comes back exactly as it was.
      if (c.after.present || !c.before.present) text += "[-" + key + "]\r\n\r\n";
      if (c.before.present) RegeditTree(key, c.tree_before, &text);
    }
  }
  return text;
}

ItemState ReadValue(platform::Registry& registry, HKey key, const std::string& name) {
  ItemState state;
  std::vector<std::uint8_t> data(kFirstRead);
  std::uint32_t type = 0;
  std::uint32_t size = kFirstRead;
  std::int32_t status = registry.QueryValue(key, name, &type, data.data(), &size);
  if (status == platform::kMoreData) {
    data.resize(size);
    status = registry.QueryValue(key, name, &type, data.data(), &size);
  }
  if (status != platform::kSuccess) return state;
  if (name.empty() && size == 0) {
    // An unset default value reads as the empty text: only the value list tells it is not there.
    bool listed = false;
    std::string listed_name;
    std::uint32_t listed_type = 0;
    std::vector<std::uint8_t> listed_data;
    for (std::uint32_t i = 0;
         registry.EnumValue(key, i, &listed_name, &listed_type, &listed_data) == platform::kSuccess;
         ++i) {
      if (listed_name.empty()) {
        listed = true;
        break;
      }
    }
    if (!listed) return state;
  }
  state.present = true;
  state.type = type;
  state.bytes.assign(data.begin(), data.begin() + size);
  return state;
}

namespace {

void ReadSubtree(platform::Registry& registry, HKey key, KeyTree* tree) {
  std::string name;
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;
  for (std::uint32_t i = 0; registry.EnumValue(key, i, &name, &type, &data) == platform::kSuccess;
       ++i) {
    tree->values.push_back({name, ItemState{true, type, std::string(data.begin(), data.end())}});
  }
  std::vector<std::string> names;
  for (std::uint32_t i = 0; registry.EnumKey(key, i, &name) == platform::kSuccess; ++i) {
    names.push_back(name);
  }
  for (const std::string& sub_name : names) {
    HKey sub = 0;
    if (registry.OpenKey(key, sub_name, platform::kKeyQueryValue, &sub) != platform::kSuccess) {
      continue;
    }
    KeyTree sub_tree;
    sub_tree.name = sub_name;
    ReadSubtree(registry, sub, &sub_tree);
    registry.CloseKey(sub);
    tree->subkeys.push_back(std::move(sub_tree));
  }
}

}  // namespace

namespace {

unsigned char Fold(unsigned char c) {
  if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 0x20);
  if (c >= 0xE0) return static_cast<unsigned char>(c - 0x20);  // Cyrillic in code page 1251
  if (c == 0xB8) return 0xA8;
  return c;
}

bool SameName(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return Fold(static_cast<unsigned char>(x)) == Fold(static_cast<unsigned char>(y));
         });
}

// The name of `path`'s last key as the registry spells it, which the caller may not have.
std::string StoredName(platform::Registry& registry, HKey root, const std::string& path) {
  const std::vector<std::string> parts = Components(path);
  if (parts.empty()) return {};
  HKey parent = 0;
  if (registry.OpenKey(root, Join(parts, parts.size() - 1), platform::kKeyQueryValue, &parent) !=
      platform::kSuccess) {
    return parts.back();
  }
  std::string name;
  std::string stored = parts.back();
  for (std::uint32_t i = 0; registry.EnumKey(parent, i, &name) == platform::kSuccess; ++i) {
    if (SameName(name, parts.back())) {
      stored = name;
      break;
    }
  }
  registry.CloseKey(parent);
  return stored;
}

}  // namespace

bool ReadTree(platform::Registry& registry, HKey root, const std::string& path, KeyTree* tree) {
  HKey key = 0;
  if (registry.OpenKey(root, path, platform::kKeyQueryValue, &key) != platform::kSuccess) {
    return false;
  }
  *tree = KeyTree{};
  tree->name = StoredName(registry, root, path);
  ReadSubtree(registry, key, tree);
  registry.CloseKey(key);
  return true;
}

// The registry recorder. It knows where every handle it gave out points (root and path), so
// that each change names its key in full.
class Journal::Recorder : public platform::Registry {
 public:
  Recorder(Journal& journal, platform::Registry& inner) : journal_(journal), inner_(inner) {}

  std::int32_t OpenKey(HKey key, const std::string& path, std::uint32_t access,
                       HKey* result) override {
    const std::int32_t status = inner_.OpenKey(key, path, access, result);
    if (status == platform::kSuccess) Track(key, path, *result);
    return status;
  }

  // An existing key is opened rather than created: that costs nothing more and tells, without
  // another read, that nothing was created. A missing one is created, and the change names the
  // topmost key that did not exist, so that its undo leaves no key behind.
  std::int32_t CreateKey(HKey key, const std::string& path, std::uint32_t access, HKey* result,
                         bool* created) override {
    const Place* base = Find(key);
    if (base == nullptr) return inner_.CreateKey(key, path, access, result, created);
    const std::int32_t opened = inner_.OpenKey(key, path, access, result);
    if (opened == platform::kSuccess) {
      if (created != nullptr) *created = false;
      Track(key, path, *result);
      return opened;
    }
    const Place place = Normal(*base);
    const std::vector<std::string> parts = Components(path);
    std::size_t missing_from = 0;  // the first component that is missing
    if (opened == platform::kFileNotFound) {
      for (std::size_t depth = parts.size(); depth-- > 1;) {
        HKey probe = 0;
        if (inner_.OpenKey(key, Join(parts, depth), platform::kKeyQueryValue, &probe) ==
            platform::kSuccess) {
          inner_.CloseKey(probe);
          missing_from = depth;
          break;
        }
      }
    }
    bool made = false;
    const std::int32_t status = inner_.CreateKey(key, path, access, result, &made);
    if (created != nullptr) *created = made;
    if (status != platform::kSuccess) return status;
    Track(key, path, *result);
    if (made && !parts.empty()) {
      if (opened != platform::kFileNotFound) missing_from = parts.size() - 1;
      Change change;
      change.target = Target::kKey;
      change.root = place.root;
      change.key = JoinPath(place.path, Join(parts, missing_from + 1));
      change.after.present = true;
      change.tree_after = EmptyChain(parts, missing_from);
      journal_.Record(std::move(change));
    }
    return status;
  }

  std::int32_t QueryValue(HKey key, const std::string& name, std::uint32_t* type,
                          std::uint8_t* data, std::uint32_t* size) override {
    return inner_.QueryValue(key, name, type, data, size);
  }

  std::int32_t SetValue(HKey key, const std::string& name, std::uint32_t type,
                        const std::uint8_t* data, std::uint32_t size) override {
    const Place* place = Find(key);
    if (place == nullptr) return inner_.SetValue(key, name, type, data, size);
    Change change = ValueChange(*place, key, name);
    const std::int32_t status = inner_.SetValue(key, name, type, data, size);
    if (status != platform::kSuccess) return status;
    change.after.present = true;
    change.after.type = type;
    if (data != nullptr) change.after.bytes.assign(reinterpret_cast<const char*>(data), size);
    journal_.Record(std::move(change));
    return status;
  }

  std::int32_t DeleteKey(HKey key, const std::string& subkey) override {
    const Place* place = Find(key);
    if (place == nullptr) return inner_.DeleteKey(key, subkey);
    const Place normal = Normal(*place);
    Change change;
    change.target = Target::kKey;
    change.root = normal.root;
    change.key = JoinPath(normal.path, subkey);
    change.before.present = ReadTree(inner_, key, subkey, &change.tree_before);
    if (change.before.present) {
      // The undo makes the key again as the registry spelled it.
      std::vector<std::string> parts = Components(change.key);
      parts.back() = change.tree_before.name;
      change.key = Join(parts, parts.size());
    }
    const std::int32_t status = inner_.DeleteKey(key, subkey);
    if (status == platform::kSuccess && change.before.present) journal_.Record(std::move(change));
    return status;
  }

  std::int32_t DeleteValue(HKey key, const std::string& name) override {
    const Place* place = Find(key);
    if (place == nullptr) return inner_.DeleteValue(key, name);
    Change change = ValueChange(*place, key, name);
    const std::int32_t status = inner_.DeleteValue(key, name);
    if (status == platform::kSuccess) journal_.Record(std::move(change));
    return status;
  }

  std::int32_t EnumKey(HKey key, std::uint32_t index, std::string* name) override {
    return inner_.EnumKey(key, index, name);
  }
  std::int32_t EnumValue(HKey key, std::uint32_t index, std::string* name, std::uint32_t* type,
                         std::vector<std::uint8_t>* data) override {
    return inner_.EnumValue(key, index, name, type, data);
  }
  std::int32_t CloseKey(HKey key) override {
    places_.erase(key);
    return inner_.CloseKey(key);
  }

 private:
  struct Place {
    HKey root = 0;
    std::string path;
  };

  const Place* Find(HKey key) {
    if (IsRoot(key)) {
      root_place_ = Place{key, {}};
      return &root_place_;
    }
    auto it = places_.find(key);
    return it == places_.end() ? nullptr : &it->second;
  }

  void Track(HKey parent, const std::string& path, HKey opened) {
    if (IsRoot(opened)) return;
    const Place* base = Find(parent);
    if (base == nullptr) return;
    places_[opened] = Place{base->root, JoinPath(base->path, path)};
  }

  // HKCR is HKLM\Software\Classes seen again: a change made through either name is one target,
  // so that keystrokes writing a class key's value under both names make one entry.
  static Place Normal(Place place) {
    if (place.root == platform::kClassesRoot) {
      place.root = platform::kLocalMachine;
      place.path = JoinPath("Software\\Classes", place.path);
    }
    return place;
  }

  Change ValueChange(const Place& where, HKey key, const std::string& name) {
    const Place place = Normal(where);
    Change change;
    change.target = Target::kValue;
    change.root = place.root;
    change.key = place.path;
    change.name = name;
    change.before = ReadValue(inner_, key, name);
    return change;
  }

  Journal& journal_;
  platform::Registry& inner_;
  std::map<HKey, Place> places_;
  Place root_place_;
};

class Journal::ProfileRecorder : public platform::Profile {
 public:
  ProfileRecorder(Journal& journal, platform::Profile& inner) : journal_(journal), inner_(inner) {}

  std::string GetString(const std::string& section, const std::string& key,
                        const std::string& fallback, const std::string& file) override {
    return inner_.GetString(section, key, fallback, file);
  }
  bool WriteString(const std::string& section, const std::string& key, const std::string& value,
                   const std::string& file) override {
    Change change = LineChange(section, key, file);
    if (!inner_.WriteString(section, key, value, file)) return false;
    change.after = ItemState{true, 0, value};
    journal_.Record(std::move(change));
    return true;
  }
  bool DeleteKey(const std::string& section, const std::string& key,
                 const std::string& file) override {
    Change change = LineChange(section, key, file);
    if (!inner_.DeleteKey(section, key, file)) return false;
    journal_.Record(std::move(change));
    return true;
  }

 private:
  Change LineChange(const std::string& section, const std::string& key, const std::string& file) {
    Change change;
    change.target = Target::kProfile;
    change.section = section;
    change.name = key;
    change.file = file;
    const std::string line = inner_.GetString(section, key, kNoLine, file);
    if (line != kNoLine) change.before = ItemState{true, 0, line};
    return change;
  }

  Journal& journal_;
  platform::Profile& inner_;
};

class Journal::FilesRecorder : public platform::Files {
 public:
  FilesRecorder(Journal& journal, platform::Files& inner) : journal_(journal), inner_(inner) {}

  bool Read(const std::string& path, std::string* bytes) override {
    return inner_.Read(path, bytes);
  }
  bool MakeDirectory(const std::string& path) override {
    const bool existed = inner_.IsDirectory(path);
    if (!inner_.MakeDirectory(path)) return false;
    if (!existed) {
      Change change;
      change.target = Target::kDirectory;
      change.file = path;
      change.after.present = true;
      journal_.Record(std::move(change));
    }
    return true;
  }
  bool Copy(const std::string& from, const std::string& to) override {
    Change change = FileChange(to);
    std::string copied;
    const bool known = inner_.Read(from, &copied);
    if (!inner_.Copy(from, to)) return false;
    if (known) {
      change.after = ItemState{true, 0, std::move(copied)};
      journal_.Record(std::move(change));
    }
    return true;
  }
  bool Replace(const std::string& path, const std::string& bytes) override {
    Change change = FileChange(path);
    if (!inner_.Replace(path, bytes)) return false;
    change.after = ItemState{true, 0, bytes};
    journal_.Record(std::move(change));
    return true;
  }
  // Appending is the log's own way of writing; the program appends to nothing else.
  bool Append(const std::string& path, const std::string& bytes) override {
    return inner_.Append(path, bytes);
  }
  bool Remove(const std::string& path) override {
    if (inner_.IsDirectory(path)) {
      if (!inner_.Remove(path)) return false;
      Change change;
      change.target = Target::kDirectory;
      change.file = path;
      change.before.present = true;
      journal_.Record(std::move(change));
      return true;
    }
    Change change = FileChange(path);
    if (!inner_.Remove(path)) return false;
    journal_.Record(std::move(change));
    return true;
  }
  bool IsDirectory(const std::string& path) override { return inner_.IsDirectory(path); }

 private:
  Change FileChange(const std::string& path) {
    Change change;
    change.target = Target::kFile;
    change.file = path;
    std::string bytes;
    if (inner_.Read(path, &bytes)) change.before = ItemState{true, 0, std::move(bytes)};
    return change;
  }

  Journal& journal_;
  platform::Files& inner_;
};

Journal::Journal(platform::Registry& registry, platform::Profile& profile, platform::Files& files)
    : clock(SystemClock),
      registry_(registry),
      profile_(profile),
      files_(files),
      recorder_(std::make_unique<Recorder>(*this, registry)),
      profile_recorder_(std::make_unique<ProfileRecorder>(*this, profile)),
      files_recorder_(std::make_unique<FilesRecorder>(*this, files)) {}

Journal::~Journal() = default;

platform::Registry& Journal::registry() {
  return *recorder_;
}
platform::Profile& Journal::profile() {
  return *profile_recorder_;
}
platform::Files& Journal::files() {
  return *files_recorder_;
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
