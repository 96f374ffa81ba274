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
// The class keys read in one slice of idle time: about forty registry calls, a few milliseconds
// under Wine.
inline constexpr int kNewMenuKeysPerSlice = 16;

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
  ~NewMenuList() override;
  // The list walks every class key of the registry, hundreds on a machine in use: thousands of
  // calls, a second or more under Wine. So it is read while the program is idle, a few class keys
  // a slice, and the list shows what it held until the reading is whole. The main window starts
  // the first reading once it has been painted (or the Files page starts it, if it is shown
  // first); every refresh and "Добавить" and "Удалить" start it afresh, and so does an undo.
  // A later page switch does not: walking the class keys at every switch would cost far more than
  // the rest of the page. Reads only.
  void Load() override {}
  void Refresh(Reading reading) override {
    if (reading == Reading::kRefresh) {
      if (started_) Fill();
    } else {
      FillFirst();
    }
  }
  void Reload() override { Fill(); }
  // After the first paint, the first reading starts in idle time.
  void ReadAhead() override { FillFirst(); }
  // FillNewList: starts the reading afresh; a reading under way is dropped, so what the list
  // shows is never older than the last call.
  void Fill();
  // Starts the first reading, unless one was started already.
  void FillFirst() {
    if (!started_) Fill();
  }
  // Whether a reading is under way.
  bool Filling() const;
  ui::ListControl& list() { return *list_; }
  // A reading under way, which new_menu.cpp defines.
  struct Walk;

 private:
  // One slice of the reading; false once the list shows it whole.
  bool FillSlice();
  std::string ItemTip(int item);
  void OnAdd();     // Command7_Click
  void OnChange();  // Command8_Click, lstNew_DblClick
  void OnDelete();  // Command9_Click

  PageContext& context_;
  bool started_ = false;
  ui::Frame& frame_;
  std::unique_ptr<ui::ListControl> list_;
  std::unique_ptr<ui::Button> add_;
  std::unique_ptr<ui::Button> change_;
  std::unique_ptr<ui::Button> delete_;
  std::unique_ptr<Walk> walk_;
  std::unique_ptr<ui::IdleWork> filler_;
};

}  // namespace vireo::main
