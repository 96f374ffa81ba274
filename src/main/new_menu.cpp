#include "main/new_menu.h"

#include <vector>

#include "main/new_menu_editor.h"
#include "registry/file_class.h"
#include "registry/reg_access.h"
#include "resource.h"
#include "ui/trap.h"

namespace vireo::main {
namespace {

// KEY_READ: enough to enumerate subkeys and values.
constexpr std::uint32_t kKeyRead = 0x20019;

struct Entry {
  std::string extension;  // with its dot
  std::string key;        // the ShellNew key lookup's path, "HKLM\...\ShellNew\"
};

// True when the entry key holds at least one value.
bool HoldsAValue(platform::Registry& registry, const std::string& key_path) {
  // "HKLM\" and the trailing backslash off.
  const std::string key = key_path.substr(5, key_path.size() - 6);
  platform::HKey handle = 0;
  if (registry.OpenKey(platform::kLocalMachine, key, kKeyRead, &handle) != platform::kSuccess) {
    return false;
  }
  std::string name;
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;
  const bool found = registry.EnumValue(handle, 0, &name, &type, &data) == platform::kSuccess;
  registry.CloseKey(handle);
  return found;
}

// The extensions with a ShellNew key, the first kNewMenuCapacity in enumeration order.
// Every place of an entry's key is below the extension key: an extension key without subkeys,
// as most are, has no entry, and costs three calls instead of the whole lookup.
bool HasSubkey(platform::Registry& registry, platform::HKey classes, const std::string& name) {
  platform::HKey key = 0;
  if (registry.OpenKey(classes, name, kKeyRead, &key) != platform::kSuccess) return false;
  std::string first;
  const bool has = registry.EnumKey(key, 0, &first) == platform::kSuccess;
  registry.CloseKey(key);
  return has;
}

std::vector<Entry> CollectEntries(platform::Registry& registry) {
  std::vector<Entry> entries;
  platform::HKey classes = 0;
  const std::string classes_key = registry::kClassesKey;
  if (registry.OpenKey(platform::kLocalMachine, classes_key.substr(0, classes_key.size() - 1),
                       kKeyRead, &classes) != platform::kSuccess) {
    return entries;
  }
  std::string name;
  for (std::uint32_t index = 0; static_cast<int>(entries.size()) < kNewMenuCapacity &&
                                registry.EnumKey(classes, index, &name) == platform::kSuccess;
       ++index) {
    name = name.substr(0, name.find('\0'));
    if (name.empty() || name[0] != '.' || !HasSubkey(registry, classes, name)) continue;
    std::string key = registry::ShellNewKey(registry, classes_key + name);
    if (!key.empty()) entries.push_back({name, std::move(key)});
  }
  registry.CloseKey(classes);
  return entries;
}

}  // namespace

NewMenuItem ParseNewMenuItem(const std::string& item) {
  const auto open = item.find('(');
  if (open == std::string::npos) return {};
  NewMenuItem parsed;
  if (open + 2 < item.size()) parsed.type = item.substr(open + 2, item.size() - 1 - (open + 2));
  if (open >= 1) parsed.description = item.substr(0, open - 1);
  return parsed;
}

NewMenuList::NewMenuList(PageContext& context, ui::Frame& frame)
    : context_(context), frame_(frame) {
  ui::Toolkit& tk = context.toolkit;
  list_ = tk.CreateListBox(frame, ControlAt(IDC_LST_NEW, {kFrameRowLeft, kFrameRowTop, 190, 64}));
  add_ = tk.CreateButton(frame, ControlAt(IDC_COMMAND7, {206, kFrameRowTop, 89, 21}, "Добавить"));
  change_ =
      tk.CreateButton(frame, ControlAt(IDC_COMMAND8, {206, kFrameRowTop + 22, 89, 21}, "Изменить"));
  delete_ =
      tk.CreateButton(frame, ControlAt(IDC_COMMAND9, {206, kFrameRowTop + 44, 89, 21}, "Удалить"));
  add_->on_click = [this] { ui::Trap([this] { OnAdd(); }); };
  change_->on_click = [this] { ui::Trap([this] { OnChange(); }); };
  list_->on_double_click = [this] { ui::Trap([this] { OnChange(); }); };
  delete_->on_click = [this] { ui::Trap([this] { OnDelete(); }); };
}

void NewMenuList::Fill() {
  filled_ = true;
  platform::Registry& reg = context_.platform.registry;
  registry::RegValue classes;
  if (registry::RegRead(reg, "HKLM\\" + std::string(registry::kClassesKey), &classes) != 0) {
    // The list keeps what it held; the frame stays disabled from now on.
    frame_.SetEnabled(false);
    list_->SetSelection(0);
    return;
  }
  std::vector<Entry> entries = CollectEntries(reg);
  std::erase_if(entries, [&](const Entry& entry) { return !HoldsAValue(reg, entry.key); });
  list_->Clear();
  for (const Entry& entry : entries) {
    list_->AddItem(registry::ClassDescription(reg, entry.extension) + " (" + entry.extension + ")");
  }
  list_->SetSelection(0);
}

void NewMenuList::OnAdd() {
  RunNewMenuEditor(context_, "", "");
  Fill();
}

void NewMenuList::OnChange() {
  const NewMenuItem item = ParseNewMenuItem(list_->Item(list_->Selection()));
  RunNewMenuEditor(context_, item.type, item.description);
}

void NewMenuList::OnDelete() {
  platform::Registry& reg = context_.platform.registry;
  const NewMenuItem item = ParseNewMenuItem(list_->Item(list_->Selection()));
  if (!UsableType(item.type)) return;
  const std::string key =
      registry::ShellNewKey(reg, std::string(registry::kClassesKey) + "." + item.type);
  if (!key.empty()) registry::RegDelete(reg, key);
  Fill();
}

}  // namespace vireo::main
