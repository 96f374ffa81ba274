// The Files page's controls bound to file-type keys by code of their own: the two boxes of the
// context menu of any file (Check2 quick view, Check3 open with) in Frame16, and the command and
// description of files of unknown type (txtO, txtD) in the frame "Неизвестные системе файлы".
#pragma once

#include <memory>

#include "main/page.h"

namespace vireo::main {

// Quick view for every file: the default value "*" of the key, which Check2 deletes whole.
inline constexpr char kQuickView[] = "HKCR\\*\\QuickView\\";
// The open-with verb of every file: its command, and its menu text in the verb key's default
// value; Check3 deletes the verb key with its command.
inline constexpr char kOpenWithCommand[] = "HKCR\\*\\Shell\\openas\\command\\";
inline constexpr char kOpenWithVerb[] = "HKCR\\*\\Shell\\openas\\";
inline constexpr char kOpenWithProgram[] = "rundll32.exe shell32.dll,OpenAs_RunDLL \"%1\"";
inline constexpr char kOpenWithText[] = "Открыть с помощью...";
// Files of unknown type: the command of their verb Open, that verb's key, their default verb
// and their description.
inline constexpr char kUnknownCommand[] = "HKCR\\Unknown\\Shell\\Open\\Command\\";
inline constexpr char kUnknownOpenVerb[] = "HKCR\\Unknown\\Shell\\Open\\";
inline constexpr char kUnknownDefaultVerb[] = "HKCR\\Unknown\\Shell\\";
inline constexpr char kUnknownDescription[] = "HKCR\\Unknown\\";

// Check2 "Пункт "Быстрый просмотр"" and Check3 "Пункт "Открыть с помощью..."", rows 0 and 1 of
// Frame16 (the catalogue's check settings take the rows below).
class AnyFileOptions : public PagePart {
 public:
  AnyFileOptions(PageContext& context, ui::Container& frame16);
  // ReadAnyFileOptions, at start-up, on every refresh and when the page comes to the front.
  void Load() override;
  void Refresh(Reading) override { Load(); }
  ui::CheckBox& check2() { return *check2_; }
  ui::CheckBox& check3() { return *check3_; }

 private:
  void ReadQuickView();
  void ReadOpenWith();
  void OnCheck2();  // Check2_Click
  void OnCheck3();  // Check3_Click

  PageContext& context_;
  std::unique_ptr<ui::CheckBox> check2_;
  std::unique_ptr<ui::CheckBox> check3_;
};

// txtO "Открытие:" and txtD "Описание:", written at every keystroke.
class UnknownFiles : public PagePart {
 public:
  UnknownFiles(PageContext& context, ui::Container& frame);
  // ReadUnknownFiles, at start-up, on every refresh and when the page comes to the front.
  void Load() override;
  void Refresh(Reading) override { Load(); }
  ui::TextBox& command() { return *txt_o_; }
  ui::TextBox& description() { return *txt_d_; }

 private:
  void ReadCommand();
  void ReadDescription();
  void OnCommandChange();      // txtO_Change
  void OnDescriptionChange();  // txtD_Change

  PageContext& context_;
  std::unique_ptr<ui::Label> lbl_o_;
  std::unique_ptr<ui::Label> lbl_d_;
  std::unique_ptr<ui::TextBox> txt_o_;
  std::unique_ptr<ui::TextBox> txt_d_;
};

}  // namespace vireo::main
