#include "main/files_page.h"

namespace vireo::main {

FilesPage::FilesPage(PageContext& context, ui::Frame& frame) : Page(context, frame) {
  AddGroup(Group::kFrame16, "Контекстное меню для любого файла", {320, 38, 305, 114});
  AddGroup(Group::kFrame20, "Специальные описания файлов", {320, 156, 305, 88});
}

}  // namespace vireo::main
