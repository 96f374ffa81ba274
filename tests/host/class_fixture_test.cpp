// The file class lookups over the class registry of a machine in use (build/.../classes.reg,
// written by tools/make_classes): for every extension key, the ShellNew key and the class
// description against what a plain reading of the file's sections says, and the registry calls
// they cost, since a refresh runs them for every key of HKLM\Software\Classes. The Files page's
// two lists are checked against the same reading.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <sstream>

#include "fixture.h"
#include "main/file_icons.h"
#include "main/files_page.h"
#include "platform/host/regedit4.h"
#include "registry/file_class.h"

namespace vireo {
namespace {

using platform::Regedit4Section;

std::string Lower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

// Doubled backslashes (the lookup's candidates with an empty class name) as single ones.
std::string Collapse(std::string path) {
  for (std::size_t at; (at = path.find("\\\\")) != std::string::npos;) path.erase(at, 1);
  return path;
}

std::string ReadFixture() {
  std::ifstream in(VIREO_CLASSES_REG, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// What the file says about the keys below HKLM\Software\Classes, read straight from its
// sections: every key (a section's own and every one above it, by lower-case path) with its
// default value and its values by lower-case name.
struct Classes {
  struct Key {
    std::string spelling;  // the path as first written
    std::map<std::string, std::string> values;
  };
  std::map<std::string, Key> keys;

  explicit Classes(const std::vector<Regedit4Section>& sections) {
    const std::string prefix = "software\\classes\\";
    for (const Regedit4Section& section : sections) {
      std::string path = section.path;
      if (section.root == platform::kLocalMachine && Lower(path).rfind(prefix, 0) == 0) {
        path = path.substr(prefix.size());
      } else if (section.root != platform::kClassesRoot) {
        continue;
      }
      for (std::size_t end = path.find('\\'); end != std::string::npos;
           end = path.find('\\', end + 1)) {
        keys.emplace(Lower(path.substr(0, end)), Key{path.substr(0, end), {}});
      }
      Key& key = keys.emplace(Lower(path), Key{path, {}}).first->second;
      for (const auto& value : section.values) key.values[Lower(value.name)] = value.data;
    }
  }
  const Key* Find(const std::string& path) const {
    auto found = keys.find(Lower(Collapse(path)));
    return found == keys.end() ? nullptr : &found->second;
  }
  std::optional<std::string> Value(const std::string& path, const std::string& name) const {
    const Key* key = Find(path);
    if (!key) return std::nullopt;
    auto found = key->values.find(Lower(name));
    if (found == key->values.end()) return std::nullopt;
    return found->second;
  }
  std::string ClassName(const std::string& extension) const {
    return Value(extension, "").value_or("");
  }
  std::vector<std::string> Extensions() const {
    std::vector<std::string> extensions;
    for (const auto& [lower, key] : keys) {
      if (lower[0] == '.' && lower.find('\\') == std::string::npos) {
        extensions.push_back(key.spelling);
      }
    }
    return extensions;
  }
  std::size_t TopKeys() const {
    return std::count_if(keys.begin(), keys.end(), [](const auto& entry) {
      return entry.first.find('\\') == std::string::npos;
    });
  }

  // "" when the extension key is missing; "<Unknown>" without a class name, class key or
  // description.
  std::string Description(const std::string& extension) const {
    if (!Find(extension)) return "";
    const std::string name = ClassName(extension);
    if (name.empty()) return "<Unknown>";
    const std::string description = Value(name, "").value_or("");
    return description.empty() ? "<Unknown>" : description;
  }
  // The first of the four places that is a key, below the extension key; "" for none.
  std::string ShellNew(const std::string& extension) const {
    const std::string name = ClassName(extension);
    std::vector<std::string> places;
    if (!name.empty()) places = {name + "\\ShellNew", name + "\\ShellNew-"};
    places.push_back("ShellNew");
    places.push_back("ShellNew-");
    for (const std::string& place : places) {
      if (Find(extension + "\\" + place)) return place;
    }
    return "";
  }
};

class ClassFixtureTest : public test::MainWindowFixture {
 protected:
  void SetUp() override {
    const std::string text = ReadFixture();
    ASSERT_FALSE(text.empty()) << "no fixture at " << VIREO_CLASSES_REG;
    std::string error;
    ASSERT_TRUE(platform::ParseRegedit4(text, &sections, &error)) << error;
    ASSERT_TRUE(platform::LoadRegedit4(memory, text, &error)) << error;
    classes.emplace(sections);
  }

  std::vector<Regedit4Section> sections;
  std::optional<Classes> classes;
};

TEST_F(ClassFixtureTest, HoldsTheStatesTheLookupsTellApart) {
  EXPECT_GE(classes->TopKeys(), 1500u);
  const std::vector<std::string> extensions = classes->Extensions();
  EXPECT_GE(extensions.size(), 600u);
  std::map<std::string, int> places;
  int unknown = 0, parenthesis = 0, no_class = 0, no_class_key = 0;
  for (const std::string& extension : extensions) {
    ++places[classes->ShellNew(extension)];
    const std::string description = classes->Description(extension);
    unknown += description == "<Unknown>";
    parenthesis += description.find('(') != std::string::npos;
    const std::string name = classes->ClassName(extension);
    no_class += name.empty();
    no_class_key += !name.empty() && !classes->Find(name);
  }
  // Each place the lookup tries is where some extension's entry is found.
  for (const char* place : {"ShellNew", "ShellNew-"}) EXPECT_GE(places[place], 5) << place;
  int in_class = 0, in_class_off = 0;
  for (const auto& [place, count] : places) {
    if (place.find('\\') == std::string::npos) continue;
    (place.back() == '-' ? in_class_off : in_class) += count;
  }
  EXPECT_GE(in_class, 5);
  EXPECT_GE(in_class_off, 5);
  EXPECT_GE(extensions.size() - places[""], 40u);
  EXPECT_GE(unknown, 20);
  EXPECT_GE(parenthesis, 10);
  EXPECT_GE(no_class, 10);
  EXPECT_GE(no_class_key, 10);
}

TEST_F(ClassFixtureTest, EveryExtensionsShellNewKeyAndDescriptionAsTheFileSays) {
  // The stand-in holds the keys the file names, no more, no fewer.
  platform::HKey key = 0;
  ASSERT_EQ(memory.OpenKey(platform::kLocalMachine, "Software\\Classes", 1, &key), 0);
  std::set<std::string> enumerated;
  std::string name;
  for (std::uint32_t i = 0; memory.EnumKey(key, i, &name) == platform::kSuccess; ++i) {
    enumerated.insert(Lower(name));
  }
  memory.CloseKey(key);
  EXPECT_EQ(enumerated.size(), classes->TopKeys());

  for (const std::string& extension : classes->Extensions()) {
    const std::string key_path = registry::kClassesKey + extension;
    const std::string place = classes->ShellNew(extension);
    const std::string expected = place.empty() ? "" : "HKLM\\" + key_path + "\\" + place + "\\";
    EXPECT_EQ(Collapse(registry::ShellNewKey(memory, key_path)), expected) << extension;
    EXPECT_EQ(registry::ClassDescription(memory, extension), classes->Description(extension))
        << extension;
  }
  EXPECT_EQ(memory.open_handles(), 0u);
}

TEST_F(ClassFixtureTest, RegistryCallsPerClassKeyAndPerExtensionKey) {
  // What a refresh that looks up every extension of the class keys costs: the enumeration of
  // HKLM\Software\Classes, then both lookups for each extension key.
  counting.Reset();
  platform::HKey key = 0;
  ASSERT_EQ(counting.OpenKey(platform::kLocalMachine, "Software\\Classes", 1, &key), 0);
  std::vector<std::string> extensions;
  std::string name;
  for (std::uint32_t i = 0; counting.EnumKey(key, i, &name) == platform::kSuccess; ++i) {
    if (!name.empty() && name[0] == '.') extensions.push_back(name);
  }
  counting.CloseKey(key);
  const std::size_t enumeration = counting.total();
  std::size_t most = 0;
  for (const std::string& extension : extensions) {
    const std::size_t before = counting.total();
    registry::ShellNewKey(counting, registry::kClassesKey + extension);
    registry::ClassDescription(counting, extension);
    most = std::max(most, counting.total() - before);
  }
  const std::size_t all = counting.total();
  const std::size_t class_keys = classes->TopKeys();
  std::printf(
      "class keys %zu, extension keys %zu: enumeration %zu calls, lookups %zu calls "
      "(%.2f per extension key, at most %zu), all %zu (%.2f per class key)\n",
      class_keys, extensions.size(), enumeration, all - enumeration,
      double(all - enumeration) / double(extensions.size()), most, all,
      double(all) / double(class_keys));
  EXPECT_EQ(extensions.size(), classes->Extensions().size());
  // Generous: both lookups take 16 calls at most; a scan of the class keys per extension
  // would take thousands.
  EXPECT_LE(most, 40u);
  EXPECT_LE(all, 40 * class_keys);
  EXPECT_EQ(memory.open_handles(), 0u);
}

TEST_F(ClassFixtureTest, FilesPageListsAsTheFileSays) {
  Start();
  auto& ext = Get<ui::headless::HCheckList>(IDC_LST_EXT);
  ASSERT_EQ(ext.Count(), main::kExtensionCount);
  for (int row = 0; row < main::kExtensionCount; ++row) {
    const std::string extension = main::kExtensions[row];
    const std::string name = classes->ClassName(extension);
    EXPECT_EQ(ext.Item(row), classes->Description(extension) + " (" + extension + ")");
    const bool hidden = !name.empty() && classes->Value(name, main::kNeverShowExt);
    EXPECT_EQ(ext.ItemChecked(row), !hidden) << extension;
  }
  auto& ico = Get<ui::headless::HCheckList>(IDC_LST_ICO);
  const char* const kClasses[] = {"Paint.Picture", "cplfile", "dllfile", "icofile", "iclfile",
                                  "nilfile",       "ilfile",  "ocxfile", "vbxfile", "drvfile",
                                  "scrfile",       "anifile", "curfile"};
  ASSERT_EQ(ico.Count(), 13);
  for (int row = 0; row < 13; ++row) {
    const auto icon = classes->Value(std::string(kClasses[row]) + "\\DefaultIcon", "");
    EXPECT_EQ(ico.ItemChecked(row), icon == main::kOwnIcon) << kClasses[row];
  }
  EXPECT_EQ(Writes(), 0u);
}

TEST_F(ClassFixtureTest, NewMenuListGivesWhatThePlainLookupsGiveForEveryExtension) {
  // Every extension in the order the registry enumerates it, with what the two lookups give on
  // their own and what the file says.
  std::vector<std::string> plain;
  std::vector<std::string> file;
  platform::HKey key = 0;
  ASSERT_EQ(memory.OpenKey(platform::kLocalMachine, "Software\\Classes", 1, &key), 0);
  std::string name;
  std::size_t with_subkeys = 0;
  for (std::uint32_t i = 0; memory.EnumKey(key, i, &name) == platform::kSuccess; ++i) {
    if (name.empty() || name[0] != '.') continue;
    with_subkeys += std::any_of(classes->keys.begin(), classes->keys.end(), [&](const auto& k) {
      return k.first.rfind(Lower(name) + "\\", 0) == 0;
    });
    const std::string item = classes->Description(name) + " (" + name + ")";
    const std::string found = registry::ShellNewKey(memory, registry::kClassesKey + name);
    const auto* entry =
        found.empty() ? nullptr : classes->Find(found.substr(22, found.size() - 23));
    if (entry && !entry->values.empty()) {
      plain.push_back(registry::ClassDescription(memory, name) + " (" + name + ")");
    }
    const std::string place = classes->ShellNew(name);
    const auto* listed = place.empty() ? nullptr : classes->Find(name + "\\" + place);
    if (listed && !listed->values.empty()) file.push_back(item);
  }
  memory.CloseKey(key);
  ASSERT_LE(file.size(), static_cast<std::size_t>(main::kNewMenuCapacity));
  ASSERT_GE(file.size(), 40u);
  EXPECT_EQ(plain, file);

  Start();
  counting.Reset();
  window->files().new_menu().Fill();
  const std::size_t calls = counting.total();
  auto& list = Get<ui::headless::HDropDown>(IDC_LST_NEW);
  std::vector<std::string> items;
  for (int i = 0; i < list.Count(); ++i) items.push_back(list.Item(i));
  EXPECT_EQ(items, file);
  EXPECT_EQ(Writes(), 0u);
  EXPECT_EQ(memory.open_handles(), 0u);

  const std::size_t class_keys = classes->TopKeys();
  const std::size_t extensions = classes->Extensions().size();
  std::printf(
      "FillNewList: %zu calls for %zu class keys (%.2f each), %zu extension keys (%.2f each), "
      "%zu of them with subkeys\n",
      calls, class_keys, double(calls) / double(class_keys), extensions,
      double(calls) / double(extensions), with_subkeys);
  // One enumeration step a class key, three calls an extension key without subkeys (open, one
  // enumeration, close), and a dozen at most for one with subkeys.
  EXPECT_LE(calls, class_keys + 3 * extensions + 12 * with_subkeys + 10);
}

}  // namespace
}  // namespace vireo
