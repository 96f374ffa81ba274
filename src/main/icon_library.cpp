#include "main/icon_library.h"

#include <string>
#include <vector>

#include "registry/reg_access.h"
#include "resource.h"
#include "ui/trap.h"

namespace vireo::main {
namespace {

constexpr LibraryIcon kShellIcons3DTable[] = {
    {"5", "9"}, {"6", "8"}, {"8", "0"}, {"9", "1"}, {"10", "29"}, {"11", "10"},
};
// A closed folder, an open folder and the desktop's folders.
constexpr LibraryIcon kFolderIconsTable[] = {{"3", "11"}, {"4", "18"}, {"36", "24"}};

std::string IconPath(const LibraryIcon& icon) {
  return kShellIcons + std::string(icon.index);
}

}  // namespace

const IconSet kShellIcons3D = {IDC_SHELL_ICONS_USE_3D,  "Использовать Microsoft Plus 3D иконки",
                               IDC_SHELL_ICONS_RESTORE, "Восстановить оригинальные иконки",
                               kShellIcons3DTable,      true};
const IconSet kFolderIcons = {
    IDC_FOLDER_ICONS_USE_3D,  "Использовать Microsoft Plus 3D иконки для папок",
    IDC_FOLDER_ICONS_RESTORE, "Восстановить стандартные иконки для папок",
    kFolderIconsTable,        false};

bool IconLibraryPresent(platform::Platform& platform) {
  return platform.shell.FileExists(platform.system.SystemDirectory() + "\\cool.dll");
}

IconLibraryButtons::IconLibraryButtons(PageContext& context, ui::Container& parent,
                                       const IconSet& set)
    : context_(context), set_(set) {
  use_ = context.toolkit.CreateButton(
      parent, {.id = set.use_id, .rect = {10, 16, 285, 21}, .text = set.use_caption});
  restore_ = context.toolkit.CreateButton(
      parent, {.id = set.restore_id, .rect = {10, 39, 285, 21}, .text = set.restore_caption});
  use_->on_click = ui::Trapped(&IconLibraryButtons::OnUse, this);
  restore_->on_click = ui::Trapped(&IconLibraryButtons::OnRestore, this);
  // Both buttons set or remove the same icon overrides.
  std::vector<std::string> paths;
  for (const LibraryIcon& icon : set.icons) paths.push_back(IconPath(icon));
  BindValues(context, *use_, *use_, parent, paths);
  BindValues(context, *restore_, *restore_, parent, paths);
}

void IconLibraryButtons::Load() {
  if (IconLibraryPresent(context_.platform)) return;
  use_->SetEnabled(false);
  restore_->SetEnabled(false);
}

void IconLibraryButtons::OnUse() {
  const std::string library = context_.platform.system.SystemDirectory() + "\\COOL.DLL,";
  for (const LibraryIcon& icon : set_.icons) {
    WriteString(context_.platform.registry, IconPath(icon), library + icon.library_icon);
  }
}

void IconLibraryButtons::OnRestore() {
  platform::Registry& reg = context_.platform.registry;
  for (const LibraryIcon& icon : set_.icons) {
    if (set_.restore_reads_first && ReadString(reg, IconPath(icon)).empty()) continue;
    registry::RegDelete(reg, IconPath(icon));
  }
}

}  // namespace vireo::main
