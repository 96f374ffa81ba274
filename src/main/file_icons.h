// The Files page's icon and extension controls: lstIco, which makes Explorer show the files of a
// class as their own icons (the class's DefaultIcon becomes "%1", the previous icon kept in a
// backup value), lstExt, which shows the extensions Explorer hides (the class's NeverShowExt
// value). The page's 3D icon buttons are in icon_library.h.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "main/page.h"

namespace vireo::main {

// The value whose presence in a class key makes Explorer hide the extension.
inline constexpr char kNeverShowExt[] = "NeverShowExt";
// The value next to a class's icon that keeps the icon it had before "%1".
inline constexpr char kIconBackup[] = "Vireo Backup";
// The icon of a class whose files are each their own icon.
inline constexpr char kOwnIcon[] = "%1";

inline constexpr int kExtensionCount = 13;
extern const std::array<const char*, kExtensionCount> kExtensions;  // lstExt's rows

// "Отображать расширения": lstExt. A row is ticked while its extension is shown: its class has
// no NeverShowExt value, or it has no class name at all.
class ExtensionList : public PagePart {
 public:
  ExtensionList(PageContext& context, ui::Container& parent);
  // FillExtList, at start-up, on every refresh and when the page comes to the front. The rows
  // are read first and then shown (ShowRows): the same items keep their places.
  void Load() override { Fill(Reading::kRefresh); }
  void Refresh(Reading reading) override { Fill(reading); }
  ui::CheckList& list() { return *list_; }

 private:
  void Fill(Reading reading);
  bool Shown(const std::string& class_name);
  std::string RowTip(int row);
  void OnItemCheck(int row);  // lstExt_ItemCheck

  PageContext& context_;
  std::unique_ptr<ui::CheckList> list_;
};

// "Отображать файлы как иконки": lstIco. A row is ticked while its class's icon is "%1".
class IconList : public PagePart {
 public:
  static constexpr int kCount = 13;
  IconList(PageContext& context, ui::Container& parent);
  // FillIconList, at start-up, on every refresh and when the page comes to the front; like
  // FillExtList it reads the rows first and then shows them.
  void Load() override { Fill(Reading::kRefresh); }
  void Refresh(Reading reading) override { Fill(reading); }
  ui::CheckList& list() { return *list_; }

 private:
  void Fill(Reading reading);
  // Appends the row of a three-letter code, ticked when its icon is "%1"; `row` is its index.
  void AddIconItem(const std::string& code, int row, std::vector<CheckRow>* rows);
  // Switches the class key `class_key` between each file's own icon and the icon kept in the
  // backup value; false when a write failed.
  bool SetShowAsIcon(bool ticked, const std::string& class_key);
  void OnItemCheck(int row);  // lstIco_ItemCheck

  PageContext& context_;
  std::unique_ptr<ui::CheckList> list_;
};

}  // namespace vireo::main
