#include "tools/about.h"

#include "platform/program_files.h"
#include "resource.h"
#include "tools/tool_texts.h"
#include "tools/tool_window.h"
#include "ui/trap.h"

namespace vireo::tools {
namespace {

constexpr int kWidth = 360;
constexpr int kHeight = 236;
constexpr int kTextLeft = 56;
constexpr int kTextWidth = kWidth - kTextLeft - 12;

ui::ControlArgs NameLabel(int element, int dx, int dy, int color) {
  ui::ControlArgs args{
      .id = IDC_ABOUT_NAME_FIRST + element,
      .rect = {kTextLeft + dx, 10 + dy, 200, 36},
      .text = "Vireo",
      .font = {.face = "Verdana", .tenths_of_point = 203, .bold = true},  // 20.25 pt
      .text_color = color,
  };
  return args;
}

}  // namespace

void RunAbout(platform::Platform& platform, ui::Toolkit& toolkit, ui::Window& owner) {
  AboutWindow about(platform, toolkit);
  toolkit.RunModal(about.window(), owner);
}

AboutWindow::AboutWindow(platform::Platform& platform, ui::Toolkit& toolkit) : platform_(platform) {
  window_ = toolkit.CreateTopWindow(ModalArgs(kAboutTitle, kWidth, kHeight));
  ui::Window& w = *window_;
  ui::ControlArgs icon{.id = IDC_ABOUT_ICON, .rect = {12, 12, 32, 32}, .icon_id = IDI_VIREO};
  image2_ = toolkit.CreatePicture(w, icon);
  // The shadow lies 40 twips to the right of and 45 twips below the name.
  label1_[0] = toolkit.CreateLabel(w, NameLabel(0, Px(40), Px(45), ui::kColorGrayText));
  label1_[1] = toolkit.CreateLabel(w, NameLabel(1, 0, 0, ui::kColorButtonText));
  label1_[1]->BringToFront();
  ui::ControlArgs picture{
      .id = IDC_ABOUT_LOGO, .rect = {kWidth - 60, 8, 48, 48}, .icon_id = IDI_LOGO};
  image1_ = toolkit.CreatePicture(w, picture);
  image1_->SetTooltip([] { return std::string(kLicenseTip); });
  // Shape1: an etched line under the name.
  w.AddLine(12, 60, kWidth - 12, 60, ui::kColorButtonShadow);
  w.AddLine(12, 61, kWidth - 12, 61, ui::kColorButtonHighlight);
  label2_ = toolkit.CreateLabel(w, {.id = IDC_ABOUT_DESCRIPTION,
                                    .rect = {kTextLeft, 70, kTextWidth, 30},
                                    .text = kAboutDescription});
  label4_ = toolkit.CreateLabel(w, {.id = IDC_ABOUT_LICENCE_NOTE,
                                    .rect = {kTextLeft, 106, kTextWidth, 30},
                                    .text = kAboutNotice4});
  label3_ = toolkit.CreateLabel(w, {.id = IDC_ABOUT_BACKUP_NOTE,
                                    .rect = {kTextLeft, 142, kTextWidth, 30},
                                    .text = kAboutNotice3});
  version_ = toolkit.CreateLabel(w, {.id = IDC_ABOUT_VERSION, .rect = {kTextLeft, 180, 160, 17}});
  command1_ = toolkit.CreateButton(
      w, {.id = IDC_ABOUT_OK, .rect = {kWidth - 94, 200, 82, 25}, .text = "OK"});

  ui::Trap([this] {
    platform::FileVersion version;
    if (platform_.machine.ProgramVersion(&version)) version_->SetText(VersionText(version));
  });
  image1_->on_click = ui::Trapped(&AboutWindow::OpenLicense, this);
  command1_->on_click = ui::Trapped(&ui::Window::Close, window_.get());
  window_->on_command = ui::Trapped(&CloseOnEnterOrEscape, window_.get());
}

AboutWindow::~AboutWindow() = default;

void AboutWindow::OpenLicense() {
  platform::OpenProgramFile(platform_, "license.txt");
}

}  // namespace vireo::tools
