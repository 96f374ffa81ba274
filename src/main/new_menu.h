// The Files page's New-menu entries (frNewMenu): lstNew lists the file types whose extension
// carries a ShellNew key with at least one value, which Explorer offers in its "Создать" menu;
// Command7 "Добавить" and Command8 "Изменить" (or a double click on lstNew) open the editor
// frmNewMenu, Command9 "Удалить" deletes the entry's key. Each item reads
// description + " (" + extension + ")", and the item text is all that the buttons go by.
#pragma once

#include <memory>
#include <string>

#include "main/page.h"

namespace vireo::main {

// The entries listed at most: the first ones in the order the registry enumerates them.
inline constexpr int kNewMenuCapacity = 101;

// What an item of lstNew gives back: the type (the extension without its dot) from after the
// first "(" up to the closing parenthesis, and the description before " (". Both are empty for
// a text without "(".
struct NewMenuItem {
  std::string type;
  std::string description;
};
NewMenuItem ParseNewMenuItem(const std::string& item);

class NewMenuList : public PagePart {
 public:
  NewMenuList(PageContext& context, ui::Frame& frame);
  // The list walks every class key of the registry, hundreds on a machine in use, so it is
  // filled when the Files page is first brought to the front rather than at start-up, which the
  // Files page is not part of; then again on every refresh and after "Добавить" and "Удалить".
  // Start-up and later page switches do not read it: walking the class keys at every switch would
  // cost far more than the rest of the page. Reads only.
  void Load() override {}
  void Refresh(Reading reading) override {
    if (reading == Reading::kRefresh ? filled_ : !filled_) Fill();
  }
  void Reload() override { Fill(); }
  // FillNewList.
  void Fill();
  ui::ListControl& list() { return *list_; }

 private:
  std::string ItemTip(int item);
  void OnAdd();     // Command7_Click
  void OnChange();  // Command8_Click, lstNew_DblClick
  void OnDelete();  // Command9_Click

  PageContext& context_;
  bool filled_ = false;
  ui::Frame& frame_;
  std::unique_ptr<ui::ListControl> list_;
  std::unique_ptr<ui::Button> add_;
  std::unique_ptr<ui::Button> change_;
  std::unique_ptr<ui::Button> delete_;
};

}  // namespace vireo::main
