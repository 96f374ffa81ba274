// The fixture of the New-menu tests: the program started on the Files page, with helpers that act
// on the list and its editor as a user would.
#pragma once

#include <gtest/gtest.h>

#include <functional>

#include "fixture.h"
#include "main/files_page.h"
#include "main/new_menu.h"

namespace vireo::test {

using ui::headless::HOptionButton;

inline const std::string kClasses = "Software\\Classes\\";

class NewMenuTest : public MainWindowFixture {
 protected:
  // The program started and the Files page brought to the front, which fills the list.
  void Start() {
    MainWindowFixture::Start();
    window->ShowPage(main::PageId::kFiles);
  }
  // An extension with its class, the class's description and, at `entry` below the extension
  // key, a NullFile entry; none of the last two when empty.
  void Type(const std::string& ext, const std::string& cls, const std::string& description,
            const std::string& entry = "") {
    memory.PutText(kLocalMachine, kClasses + ext, "", cls);
    if (!description.empty()) memory.PutText(kLocalMachine, kClasses + cls, "", description);
    if (!entry.empty()) Value(ext + "\\" + entry, "NullFile");
  }
  // A value of an entry key, `key` below the classes key ("." + ext + "\ShellNew").
  void Value(const std::string& key, const std::string& name, const std::string& text = "") {
    memory.PutText(kLocalMachine, kClasses + key, name, text);
  }
  std::string Stored(const std::string& key, const std::string& name) {
    return MainWindowFixture::Stored(kLocalMachine, kClasses + key, name);
  }
  // The three values an entry key may hold, NullFile|FileName|Command.
  std::string Entry(const std::string& key) {
    return Stored(key, "NullFile") + "|" + Stored(key, "FileName") + "|" + Stored(key, "Command");
  }
  bool KeyExists(const std::string& key) { return memory.Exists(kLocalMachine, kClasses + key); }
  HDropDown& List() { return Get<HDropDown>(IDC_NEW_MENU_LIST); }
  std::vector<std::string> Items() { return test::Items(List()); }
  // What the user does in the editor the next time it opens.
  void InEditor(std::function<void(HWindow&)> act) {
    toolkit.on_modal = [act](HWindow& editor) { act(editor); };
  }
  template <class W>
  static W& In(HWindow& editor, int id) {
    W* widget = editor.Get<W>(id);
    EXPECT_NE(widget, nullptr) << "control " << id;
    return *widget;
  }
  static HOptionButton& Option(HWindow& editor, int i) {
    return In<HOptionButton>(editor, IDC_NEW_ENTRY_KIND_FIRST + i - 1);
  }
  // The options selected, then which of txtUse, cmdUse, txtCopy, cmdCopy, txtNow, txtCommand take
  // input: ".x... xx....".
  static std::string State(HWindow& editor) {
    std::string state;
    for (int i = 1; i <= 5; ++i) state += Option(editor, i).Checked() ? 'x' : '.';
    state += ' ';
    for (int id : {IDC_NEW_ENTRY_USE_FILE, IDC_NEW_ENTRY_USE_BROWSE, IDC_NEW_ENTRY_COPY_FILE,
                   IDC_NEW_ENTRY_COPY_BROWSE, IDC_NEW_ENTRY_TEXT, IDC_NEW_ENTRY_COMMAND}) {
      state += editor.FindId(id)->enabled() ? 'x' : '.';
    }
    return state;
  }
  // Opens "Добавить" with the type typed in, lets `act` fill the editor, then clicks "OK" unless
  // `act` has closed it.
  void Add(const std::string& type, std::function<void(HWindow&)> act) {
    InEditor([&](HWindow& editor) {
      In<HTextBox>(editor, IDC_NEW_ENTRY_EXTENSION).Type(type);
      act(editor);
      if (editor.open()) In<HButton>(editor, IDC_NEW_ENTRY_OK).Click();
    });
    Get<HButton>(IDC_NEW_MENU_ADD).Click();
    Settle();
  }
  // The same with option `option` (none for 0) selected and `text` in its box (the first has none).
  void Add(const std::string& type, int option, const std::string& text = "") {
    static constexpr int kBoxes[] = {IDC_NEW_ENTRY_USE_FILE, IDC_NEW_ENTRY_COPY_FILE,
                                     IDC_NEW_ENTRY_TEXT, IDC_NEW_ENTRY_COMMAND};
    Add(type, [&](HWindow& editor) {
      if (option) Option(editor, option).Click();
      if (option > 1) In<HTextBox>(editor, kBoxes[option - 2]).Replace(text);
    });
  }
  std::string ShellNewDir() { return system.WindowsDirectory() + "\\ShellNew"; }
};

}  // namespace vireo::test
