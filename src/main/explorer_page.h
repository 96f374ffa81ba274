// The Explorer page (Frame11): the desktop, network and Explorer check settings, which the
// catalogue places in this page's frames, and the controls of its own: the drive list lstDrives
// (the policy value "NoDrives"), the two-pane box Check1 (the command the shell sends when a
// folder is opened) and the toolbar background group Frame14.
#pragma once

#include <memory>

#include "main/page.h"

namespace vireo::main {

inline constexpr char kNoDrives[] =
    "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\NoDrives";
inline constexpr char kFolderOpenCommand[] = "HKCR\\Folder\\Shell\\Open\\ddeexec\\";
inline constexpr char kTwoPaneCommand[] = "[ExploreFolder(\"%l\", %I, %S)]";
inline constexpr char kOnePaneCommand[] = "[ViewFolder(\"%l\", %I, %S)]";
inline constexpr char kToolbarBackground[] =
    "HKCU\\Software\\Microsoft\\Internet Explorer\\Toolbar\\BackBitmapShell";

// lstDrives: item i is drive letter A + i; a ticked drive is shown (its bit of the mask clear).
class DriveList : public PagePart {
 public:
  DriveList(PageContext& context, ui::Container& parent);
  // FillDriveList, at start-up and on every refresh; a page switch keeps the current item.
  void Load() override { Fill(Reading::kRefresh); }
  void Refresh(Reading reading) override { Fill(reading); }
  ui::CheckList& list() { return *list_; }

 private:
  void Fill(Reading reading);
  // lstDrives_ItemCheck: whichever item changed, the whole mask is built again from the list.
  void OnItemCheck(int item);

  PageContext& context_;
  std::unique_ptr<ui::CheckList> list_;
};

// Check1 and the toolbar background group: Text1, "Обзор...", "Просмотр" and the preview Image1.
class ExplorerView : public PagePart {
 public:
  ExplorerView(PageContext& context, ui::Container& frame13);
  // Start-up: the two-pane state, the background path and its preview.
  void Load() override;
  // The refresh (and a page switch) can tick the box but never clears it, and leaves the preview
  // alone.
  void Refresh(Reading reading) override;
  // After an undo both are read as the start-up reads them, without the preview.
  void Reload() override;

  ui::CheckBox& check1() { return *check1_; }
  ui::TextBox& text1() { return *text1_; }
  ui::Picture& image1() { return *image1_; }

 private:
  bool StoredTwoPane();
  void ReadBackground();
  void OnCheck1();   // Check1_Click
  void OnText1();    // Text1_Change
  void OnBrowse();   // Command5_Click, "Обзор..."
  void OnPreview();  // Command6_Click, "Просмотр"

  PageContext& context_;
  std::unique_ptr<ui::CheckBox> check1_;
  std::unique_ptr<ui::Frame> frame14_;
  std::unique_ptr<ui::TextBox> text1_;
  std::unique_ptr<ui::Button> command5_;
  std::unique_ptr<ui::Button> command6_;
  std::unique_ptr<ui::Picture> image1_;
};

class ExplorerPage : public Page {
 public:
  ExplorerPage(PageContext& context, ui::Frame& frame);
  DriveList& drives() { return *drives_; }
  ExplorerView& view() { return *view_; }

 private:
  std::unique_ptr<DriveList> drives_;
  std::unique_ptr<ExplorerView> view_;
};

}  // namespace vireo::main
