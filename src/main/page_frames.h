// The frames inside the five page frames that group the settings. Each keeps its design name;
// the catalogue places its controls in them, and the page-specific parts add theirs to the same
// frames at the rows left free for them.
#pragma once

#include <memory>

#include "ui/toolkit.h"

namespace vireo::main {

// Geometry shared by the frames' contents: rows of controls start below the frame's caption,
// indented from its border.
inline constexpr int kFrameRowTop = 18;
inline constexpr int kFrameRowLeft = 10;
inline constexpr int kCheckRowStep = 18;  // check boxes and check settings
inline constexpr int kTextRowStep = 22;   // labelled text settings

struct PageFrames {
  // Control Panel page.
  std::unique_ptr<ui::Frame> SystemOption;
  std::unique_ptr<ui::Frame> ScreenOption;
  std::unique_ptr<ui::Frame> PasswordOption;
  std::unique_ptr<ui::Frame> PrinterOption;
  std::unique_ptr<ui::Frame> NetworkOption;
  // Explorer page.
  std::unique_ptr<ui::Frame> Frame10;  // desktop
  std::unique_ptr<ui::Frame> Frame12;  // network security
  std::unique_ptr<ui::Frame> Frame13;  // Explorer, with the two-pane box and toolbar background
  // Active Desktop page.
  std::unique_ptr<ui::Frame> Frame2;
  std::unique_ptr<ui::Frame> Frame3;
  std::unique_ptr<ui::Frame> Frame5;  // My Computer
  std::unique_ptr<ui::Frame> Frame7;  // Recycle Bin
  std::unique_ptr<ui::Frame> Frame8;  // tooltips
  // Folders and shortcuts page.
  std::unique_ptr<ui::Frame> Frame1;  // system folder names
  // Files page.
  std::unique_ptr<ui::Frame> Frame16;  // context menu of any file
  std::unique_ptr<ui::Frame> Frame20;  // file type descriptions
};

}  // namespace vireo::main
