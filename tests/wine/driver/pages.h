// The pages scenario's registry rows and its parts, one per page: the controls that each page
// makes itself rather than the catalogue.
#pragma once

#include <string>
#include <vector>

#include "reg.h"
#include "shell.h"

namespace driver {

// The rows of the scenario, in the order of a State.
enum PageRow {
  kPageRowIconSize,
  kPageRowNoDrives,
  kPageRowFolderOpen,
  kPageRowBackBitmap,
  kPageRowCookies,
  kPageRowUserCookies,
  kPageRowCount
};
const std::vector<Row>& pageRows();

// What every part gets: the shell, and the registry as the driver expects it, which the part
// updates with what it writes.
struct PageRun {
  const Shell& shell;
  State now;
};

// The Control Panel page: lstApplets and control.ini.
void checkApplets(PageRun& run);
// The Explorer page: the toolbar background and its preview, lstDrives, Check1.
void checkExplorerPage(PageRun& run, const std::string& bitmap, COLORREF colour);
// The Active Desktop page: VScroll1 and the icon size.
void checkIconSize(PageRun& run);
// The Folders page: cmbFolder and txtPath.
void checkSpecialFolders(PageRun& run);

}  // namespace driver
