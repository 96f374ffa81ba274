#include "main/files_page.h"

#include "resource.h"

namespace vireo::main {

FilesPage::FilesPage(PageContext& context, ui::Frame& frame) : Page(context, frame) {
  ui::Frame& frame16 =
      AddGroup(Group::kFrame16, "Контекстное меню для любого файла", {320, 38, 305, 114});
  AddGroup(Group::kFrame20, "Специальные описания файлов", {320, 156, 305, 88});
  ui::Frame& unknown =
      AddFrame(IDC_FRAME_UNKNOWN, "Неизвестные системе файлы", {320, 248, 305, 72});
  any_file_ = std::make_unique<AnyFileOptions>(context, frame16);
  unknown_ = std::make_unique<UnknownFiles>(context, unknown);
  AddPart(*any_file_);
  AddPart(*unknown_);
}

}  // namespace vireo::main
