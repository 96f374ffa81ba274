// The New-menu entry editor (frmNewMenu, "Vireo: Меню "Создать""), shown modally over the main
// window. It edits the ShellNew key directly under an extension key: "Пустой" (NullFile),
// "Использовать файл" (FileName), "Копировать из файла" and "Ввести сейчас:" (a template file in
// the ShellNew folder of the Windows directory, named by FileName), "Создать командой:"
// (Command). Nothing is written outside that folder, and a template that could not be made is
// never named.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "main/page.h"

namespace vireo::main {

// The folder of the templates, below the Windows directory.
inline constexpr char kShellNewFolder[] = "ShellNew";

// True when `type` can name a file of the ShellNew folder: not empty, no path separator, drive
// colon, "..", or any other character that cannot stand in a file name.
bool UsableType(const std::string& type);

// Shows frmNewMenu modally over the main window and returns when it has closed. With a type,
// the editor opens on it: the type box holds it and the description box the class description
// lookup's text, then `description`.
void RunNewMenuEditor(PageContext& context, const std::string& type,
                      const std::string& description);

class NewMenuEditor {
 public:
  static constexpr int kOptionCount = 5;
  explicit NewMenuEditor(PageContext& context);
  ~NewMenuEditor();
  NewMenuEditor(const NewMenuEditor&) = delete;
  NewMenuEditor& operator=(const NewMenuEditor&) = delete;

  // Sets txtType as its change handler would see it, then txtDesc.
  void Open(const std::string& type, const std::string& description);
  ui::Window& window() { return *window_; }

 private:
  void CreateControls();
  void OnPaint();       // Form_Paint
  void OnTypeChange();  // txtType_Change
  void UpdateOptionControls();
  void Browse(ui::TextBox& box);   // cmdUse_Click, cmdCopy_Click
  void Apply();                    // cmdApply_Click
  void OnOk();                     // cmdOK_Click
  void OnCancel();                 // cmdCancel_Click
  void OnCommand(int command_id);  // Enter and Escape: OK and Cancel
  // The first selected option, 0 to 4, or -1.
  int SelectedOption() const;
  // Write FileName of the entry once the template is in place; false when either failed.
  bool CopyTemplate(const std::string& entry, const std::string& type);
  bool WriteTemplate(const std::string& entry, const std::string& type);

  PageContext& context_;
  std::string shown_type_;  // the type whose entry the window has shown
  std::unique_ptr<ui::Window> window_;
  std::unique_ptr<ui::Label> lbl_type_;
  std::unique_ptr<ui::Label> lbl_desc_;
  std::unique_ptr<ui::TextBox> txt_type_;
  std::unique_ptr<ui::TextBox> txt_desc_;
  std::unique_ptr<ui::Frame> contents_;
  std::array<std::unique_ptr<ui::OptionButton>, kOptionCount> options_;
  std::unique_ptr<ui::TextBox> txt_use_;
  std::unique_ptr<ui::Button> cmd_use_;
  std::unique_ptr<ui::TextBox> txt_copy_;
  std::unique_ptr<ui::Button> cmd_copy_;
  std::unique_ptr<ui::TextBox> txt_now_;
  std::unique_ptr<ui::TextBox> txt_command_;
  std::unique_ptr<ui::Button> cmd_ok_;
  std::unique_ptr<ui::Button> cmd_cancel_;
  std::unique_ptr<ui::Button> cmd_apply_;
};

}  // namespace vireo::main
