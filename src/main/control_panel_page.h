// The Control Panel page (Frame4): the restriction boxes of the system's property sheets, which
// the catalogue places in this page's five frames, and the applet list lstApplets, which mirrors
// the section "Don't Load" of control.ini in the Windows directory.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "main/page.h"

namespace vireo::main {

inline constexpr char kDontLoad[] = "Don't Load";

// The applets of the list, in its order: the caption shown and the key in "Don't Load".
struct Applet {
  const char* caption;
  const char* key;
};
inline constexpr int kAppletCount = 25;
extern const std::array<Applet, kAppletCount> kApplets;

// lstApplets: a ticked item is an applet the system loads; a cleared one has a non-empty value
// in "Don't Load". Read once, at start-up; afterwards the ticks follow the user.
class AppletList : public PagePart {
 public:
  AppletList(PageContext& context, ui::Container& parent);
  // FillAppletList.
  void Load() override;
  void Reload() override { Load(); }
  ui::CheckList& list() { return *list_; }

 private:
  // lstApplets_ItemCheck: writes the item's line, "no" when cleared, empty when ticked.
  void OnItemCheck(int item);
  std::string ControlIni();

  PageContext& context_;
  std::unique_ptr<ui::CheckList> list_;
};

class ControlPanelPage : public Page {
 public:
  ControlPanelPage(PageContext& context, ui::Frame& frame);
  AppletList& applets() { return *applets_; }

 private:
  std::unique_ptr<AppletList> applets_;
};

}  // namespace vireo::main
