#include "main/new_menu.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "main/new_menu_editor.h"
#include "registry/file_class.h"
#include "registry/reg_access.h"
#include "registry/value_tip.h"
#include "resource.h"
#include "ui/trap.h"

namespace vireo::main {
namespace {

// KEY_READ: enough to enumerate subkeys and values.
constexpr std::uint32_t kKeyRead = 0x20019;
// The buffer of the class name's one query; class names are far shorter.
constexpr std::uint32_t kClassNameFetchSize = 512;

// An extension's entry as the list needs it: whether the ShellNew key lookup finds a key, whether
// that key holds a value (only then is the entry listed), and the item's description.
struct Lookup {
  bool found = false;
  bool holds_value = false;
  std::string description;
};

bool HoldsAValue(platform::Registry& registry, platform::HKey key) {
  std::string name;
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;
  return registry.EnumValue(key, 0, &name, &type, &data) == platform::kSuccess;
}

// The plain lookups of `extension`, each with its own reading of the class name.
Lookup PlainLookup(platform::Registry& registry, const std::string& extension) {
  Lookup lookup;
  const std::string key_path = registry::ShellNewKey(registry, registry::kClassesKey + extension);
  if (key_path.empty()) return lookup;
  lookup.found = true;
  // "HKLM\" and the trailing backslash off.
  const std::string key = key_path.substr(5, key_path.size() - 6);
  platform::HKey handle = 0;
  if (registry.OpenKey(platform::kLocalMachine, key, kKeyRead, &handle) == platform::kSuccess) {
    lookup.holds_value = HoldsAValue(registry, handle);
    registry.CloseKey(handle);
  }
  if (lookup.holds_value) lookup.description = registry::ClassDescription(registry, extension);
  return lookup;
}

// The class name of the open extension key `key` when its default value is a string that one
// query fetches whole: RegRead and the description lookup both take such a value up to its first
// NUL, so it is the class name that each of them would read. Nothing for anything else.
std::optional<std::string> ShortClassName(platform::Registry& registry, platform::HKey key) {
  std::uint8_t data[kClassNameFetchSize];
  std::uint32_t size = sizeof data;
  std::uint32_t type = 0;
  if (registry.QueryValue(key, "", &type, data, &size) != platform::kSuccess ||
      type != platform::kRegSz) {
    return std::nullopt;
  }
  std::string text(data, data + std::min<std::uint32_t>(size, sizeof data));
  return text.substr(0, text.find('\0'));
}

// Both lookups for the extension key `extension` below the open classes key, with the same
// results as the plain ones but the extension key opened once. Every place of an entry's key is
// below the extension key, so a key without subkeys, as most are, costs three calls. Then the
// class name is read once and the four places are tried below the open key; an unusual class
// name (empty, which makes the lookup try the extension key's own places twice, or naming a path,
// or not a short string) is left to the plain lookups.
Lookup LookUp(platform::Registry& registry, platform::HKey classes, const std::string& extension) {
  Lookup lookup;
  platform::HKey key = 0;
  if (registry.OpenKey(classes, extension, kKeyRead, &key) != platform::kSuccess) return lookup;
  std::string first;
  if (registry.EnumKey(key, 0, &first) != platform::kSuccess) {
    registry.CloseKey(key);
    return lookup;
  }
  const std::optional<std::string> name = ShortClassName(registry, key);
  if (!name || name->empty() || name->find('\\') != std::string::npos) {
    registry.CloseKey(key);
    return PlainLookup(registry, extension);
  }
  // The class-named subkey before the extension key itself, at each place the active key first.
  const std::string places[] = {*name + "\\ShellNew", *name + "\\ShellNew-", "ShellNew",
                                "ShellNew-"};
  for (const std::string& place : places) {
    platform::HKey entry = 0;
    if (registry.OpenKey(key, place, kKeyRead, &entry) != platform::kSuccess) continue;
    lookup.found = true;
    lookup.holds_value = HoldsAValue(registry, entry);
    registry.CloseKey(entry);
    break;
  }
  registry.CloseKey(key);
  if (lookup.holds_value) lookup.description = registry::DescribeClass(registry, *name);
  return lookup;
}

}  // namespace

// A reading of the list under way: of the first kNewMenuCapacity extensions with a ShellNew key in
// enumeration order, those whose key holds a value.
struct NewMenuList::Walk {
  bool checked = false;     // the classes key was found
  std::uint32_t index = 0;  // the next class key
  int found = 0;            // extensions with a ShellNew key so far
  std::vector<std::string> items;
};

namespace {

// Reads the next class keys of `walk`, the classes key opened for this slice only (no handle is
// left open between slices); true while more are left.
bool ReadClassKeys(platform::Registry& registry, NewMenuList::Walk* walk) {
  platform::HKey classes = 0;
  const std::string classes_key = registry::kClassesKey;
  if (registry.OpenKey(platform::kLocalMachine, classes_key.substr(0, classes_key.size() - 1),
                       kKeyRead, &classes) != platform::kSuccess) {
    return false;
  }
  bool more = true;
  std::string name;
  for (int n = 0; more && n < kNewMenuKeysPerSlice; ++n) {
    if (registry.EnumKey(classes, walk->index, &name) != platform::kSuccess) {
      more = false;
      break;
    }
    ++walk->index;
    name = name.substr(0, name.find('\0'));
    if (name.empty() || name[0] != '.') continue;
    Lookup lookup = LookUp(registry, classes, name);
    if (!lookup.found) continue;
    ++walk->found;
    if (lookup.holds_value) walk->items.push_back(lookup.description + " (" + name + ")");
    more = walk->found < kNewMenuCapacity;
  }
  registry.CloseKey(classes);
  return more;
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
  list_ = tk.CreateListBox(
      frame, {.id = IDC_NEW_MENU_LIST, .rect = {kFrameRowLeft, kFrameRowTop, 190, 64}});
  add_ = tk.CreateButton(
      frame, {.id = IDC_NEW_MENU_ADD, .rect = {206, kFrameRowTop, 89, 21}, .text = "Добавить"});
  change_ = tk.CreateButton(
      frame,
      {.id = IDC_NEW_MENU_CHANGE, .rect = {206, kFrameRowTop + 22, 89, 21}, .text = "Изменить"});
  delete_ = tk.CreateButton(
      frame,
      {.id = IDC_NEW_MENU_DELETE, .rect = {206, kFrameRowTop + 44, 89, 21}, .text = "Удалить"});
  add_->on_click = ui::Trapped(&NewMenuList::OnAdd, this);
  change_->on_click = ui::Trapped(&NewMenuList::OnChange, this);
  list_->on_double_click = ui::Trapped(&NewMenuList::OnChange, this);
  delete_->on_click = ui::Trapped(&NewMenuList::OnDelete, this);
  list_->SetItemTooltip(
      [this](int item) { return ui::TrapText([this, item] { return ItemTip(item); }); });
  // The extension's key, below which (or below its class) the ShellNew key is.
  BindItems(context, *list_, frame, [this](int item) {
    return std::vector<std::string>{"HKLM\\" + std::string(registry::kClassesKey) + "." +
                                    ParseNewMenuItem(list_->Item(item)).type + "\\"};
  });
  context.bindings.back().help = "ShellNew";
  filler_ = tk.CreateIdleWork(context.window);
  filler_->on_slice = [this] {
    bool more = false;
    ui::Trap([&] { more = FillSlice(); });
    return more;
  };
}

// The entry's ShellNew key with what it holds.
std::string NewMenuList::ItemTip(int item) {
  platform::Registry& reg = context_.platform.registry;
  const NewMenuItem parsed = ParseNewMenuItem(list_->Item(item));
  if (!UsableType(parsed.type)) return {};
  const std::string key =
      registry::ShellNewKey(reg, std::string(registry::kClassesKey) + "." + parsed.type);
  if (key.empty()) return {};
  return registry::DescribeKeyValues(reg, key);
}

NewMenuList::~NewMenuList() = default;

void NewMenuList::Fill() {
  started_ = true;
  walk_ = std::make_unique<Walk>();
  filler_->Start();
}

bool NewMenuList::Filling() const {
  return filler_->Running();
}

bool NewMenuList::FillSlice() {
  if (!walk_) return false;
  if (!walk_->checked) {
    walk_->checked = true;
    registry::RegValue classes;
    if (registry::RegRead(context_.platform.registry, "HKLM\\" + std::string(registry::kClassesKey),
                          &classes) != 0) {
      // The list keeps what it held; the frame stays disabled from now on.
      walk_.reset();
      frame_.SetEnabled(false);
      list_->SetSelection(0);
      return false;
    }
    return true;
  }
  if (ReadClassKeys(context_.platform.registry, walk_.get())) return true;
  // Whole: shown at once.
  const std::unique_ptr<Walk> walk = std::move(walk_);
  ShowItems(*list_, walk->items);
  return false;
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
  // With nothing selected the empty type names no entry: nothing goes, and the list is filled
  // again all the same.
  const std::string key =
      UsableType(item.type)
          ? registry::ShellNewKey(reg, std::string(registry::kClassesKey) + "." + item.type)
          : std::string();
  if (!key.empty()) registry::RegDelete(reg, key);
  Fill();
}

}  // namespace vireo::main
