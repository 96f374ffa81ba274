// The Files page (Frame15): the file icons and extensions shown (lstIco, lstExt), the 3D shell
// icons, the New-menu entries (frNewMenu), the quick-view and open-with boxes of any file, the
// unknown-files frame, and the file type descriptions and the check settings of the context menu of
// any file, which the catalogue places in this page's frames.
#pragma once

#include <memory>

#include "main/file_icons.h"
#include "main/file_types.h"
#include "main/icon_library.h"
#include "main/new_menu.h"
#include "main/page.h"

namespace vireo::main {

class FilesPage : public Page {
 public:
  FilesPage(PageContext& context, ui::Frame& frame);
  IconList& icons() { return *icons_; }
  ExtensionList& extensions() { return *extensions_; }
  IconLibraryButtons& shell_icons_3d() { return *shell_icons_3d_; }
  AnyFileOptions& any_file_options() { return *any_file_; }
  UnknownFiles& unknown_files() { return *unknown_; }
  NewMenuList& new_menu() { return *new_menu_; }

 private:
  std::unique_ptr<IconList> icons_;
  std::unique_ptr<ExtensionList> extensions_;
  std::unique_ptr<IconLibraryButtons> shell_icons_3d_;
  std::unique_ptr<AnyFileOptions> any_file_;
  std::unique_ptr<UnknownFiles> unknown_;
  std::unique_ptr<NewMenuList> new_menu_;
};

}  // namespace vireo::main
