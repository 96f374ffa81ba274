// The journal's three recorders, which stand in front of the real registry, profile and file
// operations, and the making of the journal that puts them there.
#include <ctime>
#include <map>
#include <utility>

#include "platform/registry_filter.h"
#include "service/journal.h"
#include "service/journal_internal.h"

namespace vireo::service {

using detail::Components;
using detail::Join;
using detail::JoinPath;
using detail::kNoLine;
using platform::HKey;

namespace {

bool IsRoot(HKey key) {
  return key >= platform::kClassesRoot && key <= platform::kDynData;
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

}  // namespace

// The registry recorder. It knows where every handle it gave out points (root and path), so
// that each change names its key in full. Reads and enumerations pass through unchanged.
class Journal::Recorder : public platform::RegistryFilter {
 public:
  Recorder(Journal& journal, platform::Registry& inner)
      : RegistryFilter(inner), journal_(journal) {}

  std::int32_t OpenKey(HKey key, const std::string& path, std::uint32_t access,
                       HKey* result) override {
    const std::int32_t status = inner().OpenKey(key, path, access, result);
    if (status == platform::kSuccess) Track(key, path, *result);
    return status;
  }

  // An existing key is opened rather than created: that costs nothing more and tells, without
  // another read, that nothing was created. A missing one is created, and the change names the
  // topmost key that did not exist, so that its undo leaves no key behind.
  std::int32_t CreateKey(HKey key, const std::string& path, std::uint32_t access, HKey* result,
                         bool* created) override {
    const Place* base = Find(key);
    if (base == nullptr) return inner().CreateKey(key, path, access, result, created);
    const std::int32_t opened = inner().OpenKey(key, path, access, result);
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
        if (inner().OpenKey(key, Join(parts, depth), platform::kKeyQueryValue, &probe) ==
            platform::kSuccess) {
          inner().CloseKey(probe);
          missing_from = depth;
          break;
        }
      }
    }
    bool made = false;
    const std::int32_t status = inner().CreateKey(key, path, access, result, &made);
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

  std::int32_t SetValue(HKey key, const std::string& name, std::uint32_t type,
                        const std::uint8_t* data, std::uint32_t size) override {
    const Place* place = Find(key);
    if (place == nullptr) return inner().SetValue(key, name, type, data, size);
    Change change = ValueChange(*place, key, name);
    const std::int32_t status = inner().SetValue(key, name, type, data, size);
    if (status != platform::kSuccess) return status;
    change.after.present = true;
    change.after.type = type;
    if (data != nullptr) change.after.bytes.assign(reinterpret_cast<const char*>(data), size);
    journal_.Record(std::move(change));
    return status;
  }

  std::int32_t DeleteKey(HKey key, const std::string& subkey) override {
    const Place* place = Find(key);
    if (place == nullptr) return inner().DeleteKey(key, subkey);
    const Place normal = Normal(*place);
    Change change;
    change.target = Target::kKey;
    change.root = normal.root;
    change.key = JoinPath(normal.path, subkey);
    change.before.present = ReadTree(inner(), key, subkey, &change.tree_before);
    if (change.before.present) {
      // The undo makes the key again as the registry spelled it.
      std::vector<std::string> parts = Components(change.key);
      parts.back() = change.tree_before.name;
      change.key = Join(parts, parts.size());
    }
    const std::int32_t status = inner().DeleteKey(key, subkey);
    if (status == platform::kSuccess && change.before.present) journal_.Record(std::move(change));
    return status;
  }

  std::int32_t DeleteValue(HKey key, const std::string& name) override {
    const Place* place = Find(key);
    if (place == nullptr) return inner().DeleteValue(key, name);
    Change change = ValueChange(*place, key, name);
    const std::int32_t status = inner().DeleteValue(key, name);
    if (status == platform::kSuccess) journal_.Record(std::move(change));
    return status;
  }

  std::int32_t CloseKey(HKey key) override {
    places_.erase(key);
    return inner().CloseKey(key);
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
    change.before = ReadValue(inner(), key, name);
    return change;
  }

  Journal& journal_;
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

}  // namespace vireo::service
