// The Active Desktop page (Frame9): the Active Desktop boxes, the My Computer items, the Recycle
// Bin choice and the tooltip texts, which the catalogue places in this page's frames, and the
// frame Frame6 "Иконки": the size of the shell's icons and two clean-ups of the per-icon
// overrides that the shell keeps in "Shell Icons".
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "main/page.h"

namespace vireo::main {

inline constexpr char kShellIconSize[] =
    "HKCU\\Control Panel\\Desktop\\WindowMetrics\\Shell Icon Size";

// The icon size as its stored text gives it: the number at the start of the text (blanks, an
// optional sign and the digits that follow; 0 when the text does not start with a number).
// Digits past the twelfth no longer count, so any text gives a number.
std::int64_t LeadingNumber(const std::string& text);
// A number as the label shows it: its digits behind the place a sign would take.
std::string NumberText(std::int64_t n);

// Frame6. VScroll1 holds the negated icon size (-64 to -16), so its upper arrow, which steps
// towards -64, enlarges the icons.
class IconSize : public PagePart {
 public:
  IconSize(PageContext& context, ui::Container& parent);
  // ReadIconSize: once at start-up; neither the refresh nor a page switch reads it again.
  void Load() override;
  void Reload() override { Load(); }

  ui::Label& label() { return *label3_; }
  ui::ScrollBar& spin() { return *vscroll1_; }

 private:
  void OnSpin();             // VScroll1_Change
  void OnDefault();          // Command1_Click, "Default"
  void OnRemoveAll();        // Command2_Click
  void OnRemoveUnused();     // Command3_Click
  void StoreSize(int size);  // writes the size and shows it

  PageContext& context_;
  std::unique_ptr<ui::Label> label2_;
  std::unique_ptr<ui::Label> label3_;
  std::unique_ptr<ui::ScrollBar> vscroll1_;
  std::unique_ptr<ui::Button> command1_;
  std::unique_ptr<ui::Button> command2_;
  std::unique_ptr<ui::Button> command3_;
};

class DesktopPage : public Page {
 public:
  DesktopPage(PageContext& context, ui::Frame& frame);
  IconSize& icon_size() { return *icon_size_; }

 private:
  std::unique_ptr<IconSize> icon_size_;
};

}  // namespace vireo::main
