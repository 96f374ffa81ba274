// The file class lookups over the class registry of a machine in use (build/.../classes.reg,
// written by tools/make_classes): for every extension key, the ShellNew key and the class
// description against what a plain reading of the file's sections says, and the New-menu list
// against the same reading, with the registry calls it costs.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>

#include "fixture.h"
#include "main/files_page.h"
#include "platform/host/regedit4.h"
#include "registry/file_class.h"

namespace vireo {
namespace {

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

// What the file says about the keys below HKLM\Software\Classes, read straight from its
// sections: every key (a section's own and every one above it, by lower-case path) with its
// values by lower-case name.
struct Classes {
  std::map<std::string, std::map<std::string, std::string>> keys;

  explicit Classes(const std::vector<platform::Regedit4Section>& sections) {
    const std::string prefix = "software\\classes\\";
    for (const auto& section : sections) {
      std::string path = Lower(section.path);
      if (section.root == platform::kLocalMachine && path.rfind(prefix, 0) == 0) {
        path = path.substr(prefix.size());
      } else if (section.root != platform::kClassesRoot) {
        continue;
      }
      for (std::size_t end = path.find('\\'); end != std::string::npos;
           end = path.find('\\', end + 1)) {
        keys[path.substr(0, end)];
      }
      auto& key = keys[path];
      for (const auto& value : section.values) key[Lower(value.name)] = value.data;
    }
  }
  const std::map<std::string, std::string>* Find(const std::string& path) const {
    auto found = keys.find(Lower(Collapse(path)));
    return found == keys.end() ? nullptr : &found->second;
  }
  std::optional<std::string> Value(const std::string& path, const std::string& name) const {
    const auto* key = Find(path);
    if (!key || !key->count(Lower(name))) return std::nullopt;
    return key->at(Lower(name));
  }
  std::string ClassName(const std::string& extension) const {
    return Value(extension, "").value_or("");
  }
  // "" when the extension key is missing; "<Unknown>" without a class name, class key or
  // description.
  std::string Description(const std::string& extension) const {
    if (!Find(extension)) return "";
    const std::string name = ClassName(extension);
    const std::string description = name.empty() ? "" : Value(name, "").value_or("");
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
    std::ifstream in(VIREO_CLASSES_REG, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    ASSERT_FALSE(text.str().empty()) << "no fixture at " << VIREO_CLASSES_REG;
    std::vector<platform::Regedit4Section> sections;
    std::string error;
    ASSERT_TRUE(platform::ParseRegedit4(text.str(), &sections, &error)) << error;
    ASSERT_TRUE(platform::LoadRegedit4(memory, text.str(), &error)) << error;
    classes.emplace(sections);
  }
  // The names of the keys below HKLM\Software\Classes in the registry's order.
  std::vector<std::string> Enumerated() {
    platform::HKey key = 0;
    EXPECT_EQ(memory.OpenKey(kLocalMachine, "Software\\Classes", 1, &key), 0);
    std::vector<std::string> names;
    std::string name;
    for (std::uint32_t i = 0; memory.EnumKey(key, i, &name) == platform::kSuccess; ++i) {
      names.push_back(name);
    }
    memory.CloseKey(key);
    return names;
  }
  std::optional<Classes> classes;
};

TEST_F(ClassFixtureTest, EveryExtensionsShellNewKeyAndDescriptionAsTheFileSays) {
  const std::vector<std::string> names = Enumerated();
  std::size_t extensions = 0;
  for (const std::string& extension : names) {
    if (extension[0] != '.') continue;
    ++extensions;
    const std::string key_path = registry::kClassesKey + extension;
    const std::string place = classes->ShellNew(extension);
    const std::string expected = place.empty() ? "" : "HKLM\\" + key_path + "\\" + place + "\\";
    EXPECT_EQ(Collapse(registry::ShellNewKey(memory, key_path)), expected) << extension;
    EXPECT_EQ(registry::ClassDescription(memory, extension), classes->Description(extension))
        << extension;
  }
  EXPECT_GE(extensions, 600u);
  EXPECT_EQ(memory.open_handles(), 0u);
}

TEST_F(ClassFixtureTest, NewMenuListGivesWhatTheFileSaysForEveryExtensionAtLittleCost) {
  // Every extension whose entry key holds a value, in the order the registry enumerates it.
  std::vector<std::string> file;
  std::size_t class_keys = 0, extensions = 0, with_subkeys = 0;
  for (const std::string& name : Enumerated()) {
    ++class_keys;
    if (name[0] != '.') continue;
    ++extensions;
    with_subkeys += std::any_of(classes->keys.begin(), classes->keys.end(), [&](const auto& k) {
      return k.first.rfind(Lower(name) + "\\", 0) == 0;
    });
    const std::string place = classes->ShellNew(name);
    const auto* listed = place.empty() ? nullptr : classes->Find(name + "\\" + place);
    if (listed && !listed->empty()) {
      file.push_back(classes->Description(name) + " (" + name + ")");
    }
  }
  ASSERT_LE(file.size(), static_cast<std::size_t>(main::kNewMenuCapacity));
  ASSERT_GE(file.size(), 40u);

  Start();
  counting.Reset();
  window->page<main::FilesPage>().new_menu().Fill();
  Settle();
  const std::size_t calls = counting.total();
  EXPECT_EQ(test::Items(Get<HDropDown>(IDC_NEW_MENU_LIST)), file);
  EXPECT_EQ(Writes(), 0u);
  EXPECT_EQ(memory.open_handles(), 0u);
  std::printf("FillNewList: %zu calls for %zu class keys, %zu extension keys (%zu with subkeys)\n",
              calls, class_keys, extensions, with_subkeys);
  // One enumeration step a class key, three calls an extension key without subkeys (open, one
  // enumeration, close), a dozen at most for one with subkeys, and the classes key opened and
  // closed for each slice of idle time.
  const std::size_t slices = class_keys / main::kNewMenuKeysPerSlice + 1;
  EXPECT_LE(calls, class_keys + 3 * extensions + 12 * with_subkeys + 2 * slices + 10);
}

}  // namespace
}  // namespace vireo
