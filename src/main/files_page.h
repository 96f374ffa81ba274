// The Files page (Frame15): the file icons and extensions shown (lstIco, lstExt), the 3D shell
// icons, and the file type descriptions and the check settings of the context menu of any file,
// which the catalogue places in this page's frames.
#pragma once

#include <memory>

#include "main/file_icons.h"
#include "main/page.h"

namespace vireo::main {

class FilesPage : public Page {
 public:
  FilesPage(PageContext& context, ui::Frame& frame);
  IconList& icons() { return *icons_; }
  ExtensionList& extensions() { return *extensions_; }
  ShellIcons3D& shell_icons_3d() { return *shell_icons_3d_; }

 private:
  std::unique_ptr<IconList> icons_;
  std::unique_ptr<ExtensionList> extensions_;
  std::unique_ptr<ShellIcons3D> shell_icons_3d_;
};

}  // namespace vireo::main
