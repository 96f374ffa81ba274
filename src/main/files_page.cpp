#include "main/files_page.h"

#include "main/page_table.h"
#include "resource.h"

namespace vireo::main {

FilesPage::FilesPage(PageContext& context, ui::Frame& frame) : Page(context, frame) {
  ui::Frame& icons =
      AddFrame(IDC_ICON_FILES_FRAME, "Отображать файлы как иконки", {8, 38, 305, 96});
  icons_ = std::make_unique<IconList>(context, icons);
  ui::Frame& extensions =
      AddFrame(IDC_EXTENSIONS_FRAME, "Отображать расширения", {8, 138, 305, 96});
  extensions_ = std::make_unique<ExtensionList>(context, extensions);
  ui::Frame& shell_icons = AddFrame(IDC_SHELL_ICONS_FRAME, "3D иконки", {8, 238, 305, 62});
  shell_icons_3d_ = std::make_unique<IconLibraryButtons>(context, shell_icons, kShellIcons3D);
  ui::Frame& new_menu = AddFrame(IDC_NEW_MENU_FRAME, "Меню \"Создать\"", {8, 304, 305, 90});
  new_menu_ = std::make_unique<NewMenuList>(context, new_menu);

  ui::Frame& frame16 =
      AddGroup(Group::kFrame16, "Контекстное меню для любого файла", {320, 38, 305, 114});
  AddGroup(Group::kFrame20, "Специальные описания файлов", {320, 156, 305, 88});
  ui::Frame& unknown =
      AddFrame(IDC_UNKNOWN_FILES_FRAME, "Неизвестные системе файлы", {320, 248, 305, 72});
  any_file_ = std::make_unique<AnyFileOptions>(context, frame16);
  unknown_ = std::make_unique<UnknownFiles>(context, unknown);

  AddPart(*extensions_, StartStep::kExtensionList);
  AddPart(*icons_, StartStep::kIconList);
  AddPart(*shell_icons_3d_, StartStep::kShellIcons3D);
  AddPart(*any_file_, StartStep::kAnyFileOptions);
  AddPart(*unknown_, StartStep::kUnknownFiles);
  AddPart(*new_menu_, StartStep::kNewMenu);
}

std::unique_ptr<Page> MakeFilesPage(PageContext& context, ui::Frame& frame) {
  return std::make_unique<FilesPage>(context, frame);
}

}  // namespace vireo::main
