// The splash window (frmSplash), shown while the start-up sequence runs, and the wait window
// (frmWait), shown while a refresh runs. Neither has behaviour of its own beyond its outline.
#pragma once

#include <memory>
#include <vector>

#include "platform/regions.h"
#include "ui/toolkit.h"

namespace vireo::main {

class Splash {
 public:
  Splash(ui::Toolkit& toolkit, platform::Regions& regions);
  ~Splash();  // unload: releases the outline regions it still owns
  Splash(const Splash&) = delete;
  Splash& operator=(const Splash&) = delete;

  // Shows the window and paints it at once.
  void Show();
  ui::Window& window() { return *window_; }

 private:
  void SetOutline();

  platform::Regions& regions_;
  std::unique_ptr<ui::Window> window_;
  std::vector<std::unique_ptr<ui::Widget>> widgets_;
  std::vector<platform::RegionHandle> owned_regions_;
};

class WaitWindow {
 public:
  explicit WaitWindow(ui::Toolkit& toolkit);
  ~WaitWindow();
  WaitWindow(const WaitWindow&) = delete;
  WaitWindow& operator=(const WaitWindow&) = delete;

  void Show();

 private:
  std::unique_ptr<ui::Window> window_;
  std::unique_ptr<ui::Picture> image1_;
  std::unique_ptr<ui::Label> label1_;
};

}  // namespace vireo::main
