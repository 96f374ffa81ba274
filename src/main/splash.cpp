#include "main/splash.h"

#include "resource.h"
#include "version.h"

namespace vireo::main {

Splash::Splash(ui::Toolkit& toolkit, platform::Regions& regions) : regions_(regions) {
  ui::WindowArgs args;
  args.kind = ui::WindowKind::kSplash;
  args.title = "Vireo " VIREO_VERSION_TEXT " loading...";
  args.client_width = 330;
  args.client_height = 250;
  args.white_background = true;
  window_ = toolkit.CreateTopWindow(args);
  ui::Window& w = *window_;

  ui::ControlArgs logo{.rect = {28, 28, 48, 48}, .icon_id = IDI_LOGO};
  widgets_.push_back(toolkit.CreatePicture(w, logo));

  ui::ControlArgs name{
      .rect = {92, 30, 200, 30}, .text = "Vireo", .font = {.tenths_of_point = 200, .bold = true}};
  widgets_.push_back(toolkit.CreateLabel(w, name));

  ui::ControlArgs subtitle{.rect = {92, 62, 210, 16}, .text = "Настройка Windows 95/98/Me"};
  widgets_.push_back(toolkit.CreateLabel(w, subtitle));

  ui::ControlArgs version{.rect = {92, 80, 210, 16}, .text = "Версия " VIREO_VERSION_TEXT};
  widgets_.push_back(toolkit.CreateLabel(w, version));

  ui::ControlArgs loading{.rect = {28, 190, 270, 16}, .text = "Подождите, идет загрузка..."};
  widgets_.push_back(toolkit.CreateLabel(w, loading));  // lblLoading
}

Splash::~Splash() {
  for (platform::RegionHandle region : owned_regions_) regions_.Delete(region);
  window_->Close();
}

void Splash::Show() {
  SetOutline();
  window_->Show();
  window_->PaintNow();
}

// The outline is the union of two rounded rectangles, the second one 10 pixels further right
// and down, which draws a rounded shadow-like edge along the right and bottom.
void Splash::SetOutline() {
  const platform::RegionHandle first = regions_.CreateRoundRect(0, 0, 320, 240, 20, 20);
  const platform::RegionHandle second = regions_.CreateRoundRect(10, 10, 330, 250, 20, 20);
  if (first) owned_regions_.push_back(first);
  if (second) owned_regions_.push_back(second);
  if (!first || !second || !regions_.CombineUnion(first, first, second)) return;
  if (regions_.SetWindowRegion(window_->Handle(), first, true)) {
    // Once set, the combined region belongs to the window.
    std::erase(owned_regions_, first);
  }
}

WaitWindow::WaitWindow(ui::Toolkit& toolkit) {
  ui::WindowArgs args;
  args.kind = ui::WindowKind::kDialog;
  args.client_width = 312;
  args.client_height = 74;
  args.white_background = true;
  window_ = toolkit.CreateTopWindow(args);

  ui::ControlArgs image{.rect = {16, 21, 32, 32}, .icon_id = IDI_WAIT};
  image1_ = toolkit.CreatePicture(*window_, image);

  ui::ControlArgs label{.rect = {64, 29, 240, 16}, .text = "Подождите, идет обновление данных..."};
  label1_ = toolkit.CreateLabel(*window_, label);
}

WaitWindow::~WaitWindow() {
  window_->Close();
}

void WaitWindow::Show() {
  window_->Show();
  window_->PaintNow();
}

}  // namespace vireo::main
