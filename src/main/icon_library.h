// The buttons that point shell icons at the 3D icon library COOL.DLL in the System directory and
// remove them again, with the availability test that disables them when the library is missing:
// one part, made twice from two tables, cmdUse3D / cmdRestore3D on the Files page (six shell
// icons) and cmdUse3DFolder / cmdRestoreFolder on the Folders page (the folder icons).
#pragma once

#include <memory>
#include <span>

#include "main/page.h"

namespace vireo::main {

// True when the 3D icon library is in the System directory (its name in any letter case).
bool IconLibraryPresent(platform::Platform& platform);

// A shell icon (its value name under kShellIcons) and the library's icon it is pointed at.
struct LibraryIcon {
  const char* index;
  const char* library_icon;
};

// What one pair of buttons does.
struct IconSet {
  int use_id;
  const char* use_caption;
  int restore_id;
  const char* restore_caption;
  std::span<const LibraryIcon> icons;
  // The restore reads each value first and deletes only one that holds data (cmdRestore3D); else
  // it deletes them unread, a missing one skipped (cmdRestoreFolder).
  bool restore_reads_first;
};
extern const IconSet kShellIcons3D;  // the Files page's "3D иконки"
extern const IconSet kFolderIcons;   // the Folders page's "Иконки для папок"

class IconLibraryButtons : public PagePart {
 public:
  IconLibraryButtons(PageContext& context, ui::Container& parent, const IconSet& set);
  // The availability test (CheckIconSet), at start-up and on every refresh: it disables both
  // buttons when the library is missing and never enables them.
  void Load() override;
  void Refresh(Reading) override { Load(); }
  ui::Button& use() { return *use_; }
  ui::Button& restore() { return *restore_; }

 private:
  void OnUse();      // cmdUse3D_Click, cmdUse3DFolder_Click
  void OnRestore();  // cmdRestore3D_Click, cmdRestoreFolder_Click

  PageContext& context_;
  const IconSet& set_;
  std::unique_ptr<ui::Button> use_;
  std::unique_ptr<ui::Button> restore_;
};

}  // namespace vireo::main
