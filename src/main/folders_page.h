// The Folders and shortcuts page (Frame22): the special folders with their paths, the path of
// the Windows distribution, the five installation paths and the folder icons; the catalogue
// places the system folder names in Frame1.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "main/icon_library.h"
#include "main/page.h"

namespace vireo::main {

inline constexpr char kShellFolders[] =
    "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders\\";
inline constexpr char kUserShellFolders[] =
    "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders\\";
inline constexpr char kSourcePath[] =
    "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Setup\\SourcePath";
inline constexpr char kInstallLocations[] = "HKCU\\InstallLocationsMRU\\";

inline constexpr int kSpecialFolderCount = 18;
extern const std::array<const char*, kSpecialFolderCount> kSpecialFolders;

// "Специальные каталоги": cmbFolder and txtPath, the path of the folder chosen.
class SpecialFolders : public PagePart {
 public:
  SpecialFolders(PageContext& context, ui::Container& parent);
  // Start-up selects the first folder; a refresh (or a page switch) keeps the selection and the
  // path.
  void Load() override;
  void Reload() override { ShowPath(); }
  ui::ListControl& folder() { return *cmb_folder_; }
  ui::TextBox& path() { return *txt_path_; }

 private:
  void ShowPath();      // cmbFolder_Click
  void OnPathChange();  // txtPath_Change: both names of the folder, every keystroke

  PageContext& context_;
  std::unique_ptr<ui::Label> folder_label_;
  std::unique_ptr<ui::Label> path_label_;
  std::unique_ptr<ui::ListControl> cmb_folder_;
  std::unique_ptr<ui::TextBox> txt_path_;
};

// "Путь к дистрибутиву Windows": txtWin.
class SourcePath : public PagePart {
 public:
  SourcePath(PageContext& context, ui::Container& parent);
  void Load() override;  // ReadSourcePath
  void Refresh(Reading) override { Load(); }
  ui::TextBox& text() { return *txt_win_; }

 private:
  void OnChange();
  PageContext& context_;
  std::unique_ptr<ui::TextBox> txt_win_;
};

// "Инсталляционные пути": txtIP(0) to txtIP(4), the values "a" to "e".
class InstallPaths : public PagePart {
 public:
  static constexpr int kCount = 5;
  InstallPaths(PageContext& context, ui::Container& parent);
  void Load() override;  // ReadInstallPaths
  void Refresh(Reading) override { Load(); }
  ui::TextBox& text(int i) { return *txt_ip_.at(i); }

 private:
  void Read(int i);
  void OnChange(int i);
  PageContext& context_;
  std::array<std::unique_ptr<ui::Label>, kCount> lbl_ip_;
  std::array<std::unique_ptr<ui::TextBox>, kCount> txt_ip_;
};

class FoldersPage : public Page {
 public:
  FoldersPage(PageContext& context, ui::Frame& frame);
  SpecialFolders& special_folders() { return *special_; }
  SourcePath& source_path() { return *source_; }
  InstallPaths& install_paths() { return *install_; }
  IconLibraryButtons& folder_icons() { return *icons_; }

 private:
  std::unique_ptr<SpecialFolders> special_;
  std::unique_ptr<SourcePath> source_;
  std::unique_ptr<InstallPaths> install_;
  std::unique_ptr<IconLibraryButtons> icons_;
};

}  // namespace vireo::main
