// frmAbout, "О программе": the program's name with its shadow, what it is, two notices, its
// version from the version resource, and a picture whose click opens the licence text.
#pragma once

#include <array>
#include <memory>

#include "platform/platform.h"
#include "ui/toolkit.h"

namespace vireo::tools {

inline constexpr char kAboutTitle[] = "О программе";
inline constexpr char kAboutDescription[] =
    "Многофункциональная утилита для \"тонкой\" настройки ОС Windows 9x.";
inline constexpr char kAboutNotice4[] =
    "Vireo распространяется бесплатно на условиях лицензионного соглашения (license.txt).";
inline constexpr char kAboutNotice3[] =
    "Прежде чем менять настройки, сделайте резервную копию реестра (меню \"Сервис\").";
inline constexpr char kLicenseTip[] = "Лицензионное соглашение";

// Shows frmAbout modally over `owner` and returns when it has closed.
void RunAbout(platform::Platform& platform, ui::Toolkit& toolkit, ui::Window& owner);

class AboutWindow {
 public:
  AboutWindow(platform::Platform& platform, ui::Toolkit& toolkit);
  ~AboutWindow();
  AboutWindow(const AboutWindow&) = delete;
  AboutWindow& operator=(const AboutWindow&) = delete;

  ui::Window& window() { return *window_; }

 private:
  void OpenLicense();  // Image1_Click

  platform::Platform& platform_;
  std::unique_ptr<ui::Window> window_;
  std::array<std::unique_ptr<ui::Label>, 2> label1_;  // 0: the grey shadow, 1: the name
  std::unique_ptr<ui::Label> label2_;
  std::unique_ptr<ui::Label> label4_;
  std::unique_ptr<ui::Label> label3_;
  std::unique_ptr<ui::Label> version_;
  std::unique_ptr<ui::Picture> image1_;
  std::unique_ptr<ui::Picture> image2_;
  std::unique_ptr<ui::Button> command1_;
};

}  // namespace vireo::tools
