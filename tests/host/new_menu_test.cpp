// The New-menu entries of the Files page: lstNew and its three buttons, and the editor
// frmNewMenu with the registry values and template files it writes.
#include "new_menu_fixture.h"
#include "user_actions.h"

namespace vireo {
namespace {

using test::kClasses;
using test::NewMenuTest;

TEST_F(NewMenuTest, ListsTheEntriesThatHoldAValueWhereverTheirKeyIs) {
  Type(".txt", "txtfile", "Текстовый документ");
  Value(".txt\\ShellNew", "NullFile");
  Type(".doc", "Word.Document", "Word (old)");  // a "(" in the description
  Value(".doc\\Word.Document\\ShellNew", "FileName", "winword.doc");
  Type(".bmp", "Paint.Picture", "Рисунок");
  Value(".bmp\\ShellNew-", "NullFile");  // switched off
  Type(".zip", "zipfile", "ZIP");        // its ShellNew key holds no value
  memory.PutText(kLocalMachine, std::string(kClasses) + ".zip\\ShellNew\\Sub", "", "x");
  Value(".odd\\ShellNew", "Command", "make.exe");  // no class name
  Value("txtfile\\ShellNew", "NullFile");          // not an extension
  Start();
  EXPECT_EQ(Items(), (std::vector<std::string>{"Текстовый документ (.txt)", "Word (old) (.doc)",
                                               "Рисунок (.bmp)", "<Unknown> (.odd)"}));
  EXPECT_EQ(List().Selection(), 0);
  EXPECT_TRUE(Get<ui::headless::HFrame>(IDC_NEW_MENU_FRAME).enabled());
  EXPECT_EQ(Writes(), 0u);
  EXPECT_EQ(memory.open_handles(), 0u);

  // "Удалить" takes the type after the first "(": ".doc" is not found and stays. Switched-off
  // entries and entries without a class name go like the others, key and all.
  for (int row : {1, 2, 2, 0}) {
    List().Choose(row);
    Get<HButton>(IDC_NEW_MENU_DELETE).Click();
    Settle();
  }
  EXPECT_FALSE(KeyExists(".bmp\\ShellNew-"));
  EXPECT_FALSE(KeyExists(".odd\\ShellNew"));
  EXPECT_FALSE(KeyExists(".txt\\ShellNew"));
  EXPECT_TRUE(KeyExists("txtfile\\ShellNew"));
  EXPECT_EQ(Items(), std::vector<std::string>{"Word (old) (.doc)"});

  // With nothing selected it deletes nothing, and fills the list again all the same.
  memory.DeleteKey(kLocalMachine, std::string(kClasses) + ".doc");
  Refresh();
  ASSERT_EQ(List().Selection(), -1);
  Value(".new\\ShellNew", "NullFile");
  Get<HButton>(IDC_NEW_MENU_DELETE).Click();
  Settle();
  EXPECT_EQ(Items(), std::vector<std::string>{"<Unknown> (.new)"});

  // A classes key that cannot be read (its default value a number of five bytes) disables the
  // frame; the list keeps what it held.
  memory.Put(kLocalMachine, "Software\\Classes", "", platform::kRegDword, {1, 2, 3, 4, 5});
  Refresh();
  EXPECT_FALSE(Get<ui::headless::HFrame>(IDC_NEW_MENU_FRAME).enabled());
  EXPECT_EQ(Items(), std::vector<std::string>{"<Unknown> (.new)"});
}

TEST_F(NewMenuTest, UnusualClassNamesFindTheEntryThePlainLookupsFind) {
  // The list reads each class name once; whatever is not a short string goes as the two
  // lookups take it: a number as its digits for the entry, its bytes up to a NUL for the
  // description.
  memory.PutNumber(kLocalMachine, std::string(kClasses) + ".num", "", 7);
  Value(".num\\7\\ShellNew", "NullFile");
  memory.Put(kLocalMachine, std::string(kClasses) + ".bin", "", platform::kRegBinary,
             {'b', 'i', 'n', 'f'});
  memory.PutText(kLocalMachine, std::string(kClasses) + "binf", "", "Двоичный");
  Value(".bin\\binf\\ShellNew", "NullFile");
  const std::string long_name(600, 'L');
  Type(".long", long_name, "Длинный");
  Value(".long\\" + long_name + "\\ShellNew", "NullFile");
  memory.Put(kLocalMachine, std::string(kClasses) + ".nul", "", platform::kRegSz,
             {'n', 'u', 'l', 0, 'x'});
  memory.PutText(kLocalMachine, std::string(kClasses) + "nul", "", "С нулём");
  Value(".nul\\nul\\ShellNew-", "NullFile");
  Type(".path", "sub\\cls", "С путём");
  Value(".path\\sub\\cls\\ShellNew", "NullFile");
  Type(".empty", "", "");
  Value(".empty\\ShellNew", "Command", "make.exe");
  // The class-named key is found first, and holds no value: the entry is not listed.
  Type(".both", "BothFile", "Оба");
  memory.PutText(kLocalMachine, std::string(kClasses) + ".both\\bothfile\\ShellNew\\Sub", "", "x");
  Value(".both\\ShellNew", "NullFile");
  Type(".sub", "subfile", "Без записи");  // subkeys, none of them an entry
  Value(".sub\\subfile\\shell", "x");
  // The active key before the switched-off one, which holds no value.
  Type(".act", "actfile", "Активный");
  Value(".act\\actfile\\ShellNew", "NullFile");
  memory.PutText(kLocalMachine, std::string(kClasses) + ".act\\actfile\\ShellNew-\\Sub", "", "x");
  Start();
  EXPECT_EQ(Items(), (std::vector<std::string>{
                         "<Unknown> (.num)", "Двоичный (.bin)", "Длинный (.long)", "С нулём (.nul)",
                         "С путём (.path)", "<Unknown> (.empty)", "Активный (.act)"}));
  EXPECT_EQ(Writes(), 0u);
  EXPECT_EQ(memory.open_handles(), 0u);
}

TEST_F(NewMenuTest, ListsAtMostTheFirst101EntriesInEnumerationOrder) {
  for (int i = 0; i < 105; ++i) Value(".e" + std::to_string(i) + "\\ShellNew", "NullFile");
  Start();
  ASSERT_EQ(List().Count(), main::kNewMenuCapacity);
  EXPECT_EQ(List().Item(0), "<Unknown> (.e0)");
  EXPECT_EQ(List().Item(100), "<Unknown> (.e100)");
}

TEST_F(NewMenuTest, ChangeOpensOnTheEntryWithTheOptionsItHolds) {
  Type(".txt", "txtfile", "Текстовый документ");
  Value(".txt\\ShellNew", "NullFile");
  Value(".txt\\ShellNew", "Command", "notepad.exe");  // the later value wins
  Type(".doc", "Word.Document", "Документ");
  Value(".doc\\Word.Document\\ShellNew-", "FileName", "winword.doc");
  Start();
  // The type (read-only), the options selected, the boxes enabled, the command and the file.
  std::vector<std::string> opened;
  InEditor([&](HWindow& editor) {
    HTextBox& type = In<HTextBox>(editor, IDC_NEW_ENTRY_EXTENSION);
    opened.push_back(type.text() + (type.ReadOnly() ? " " : " writable ") + State(editor) + " " +
                     In<HTextBox>(editor, IDC_NEW_ENTRY_COMMAND).text() + "|" +
                     In<HTextBox>(editor, IDC_NEW_ENTRY_USE_FILE).text());
  });
  List().Choose(0);
  Get<HButton>(IDC_NEW_MENU_CHANGE).Click();
  List().DoubleClick(1);
  EXPECT_EQ(opened, (std::vector<std::string>{"txt ....x .....x notepad.exe|",
                                              "doc .x... xx.... |winword.doc"}));
  EXPECT_EQ(Writes(), 0u);  // closed without "OK": nothing written
}

TEST_F(NewMenuTest, AFreshEditorShowsTheTypedTypeOnItsNextRepaint) {
  Type(".txt", "txtfile", "Текстовый документ");
  Value(".txt\\ShellNew", "FileName", "template.txt");
  Start();
  InEditor([&](HWindow& editor) {
    EXPECT_EQ(State(editor), "..... .....x");
    HTextBox& type = In<HTextBox>(editor, IDC_NEW_ENTRY_EXTENSION);
    type.Type("txt");
    EXPECT_EQ(In<HTextBox>(editor, IDC_NEW_ENTRY_DESCRIPTION).text(), "Текстовый документ");
    EXPECT_FALSE(type.ReadOnly());
    editor.Paint();
    EXPECT_TRUE(type.ReadOnly());
    type.Backspace();
    EXPECT_EQ(type.text(), "txt");
    EXPECT_EQ(State(editor), ".x... xx....");
    EXPECT_EQ(In<HTextBox>(editor, IDC_NEW_ENTRY_USE_FILE).text(), "template.txt");
    // The user's choice of option moves the enabled boxes with it, and a later repaint (a
    // dialog closing over the window) keeps it and what the user typed.
    In<HTextBox>(editor, IDC_NEW_ENTRY_USE_FILE).Replace("mine.txt");
    Option(editor, 4).Click();
    editor.Paint();
    EXPECT_EQ(State(editor), "...x. ....x.");
    EXPECT_EQ(In<HTextBox>(editor, IDC_NEW_ENTRY_USE_FILE).text(), "mine.txt");
    editor.PressEscape();
  });
  Get<HButton>(IDC_NEW_MENU_ADD).Click();
  EXPECT_EQ(Writes(), 0u);
}

TEST_F(NewMenuTest, ApplyWritesTheSelectedOptionBesideTheEntryFoundAndDeletesTheOthers) {
  // Each case starts from an entry under the class key with all three values, and one under
  // the extension with all three.
  const struct {
    int option, box;  // option 0: none
    const char *text, *entry;
  } cases[] = {
      {0, 0, "", "<none>|<none>|<none>"},
      {1, 0, "", "|<none>|<none>"},
      {2, IDC_NEW_ENTRY_USE_FILE, "C:\\t.txt", "<none>|C:\\t.txt|<none>"},
      {5, IDC_NEW_ENTRY_COMMAND, "make %1", "<none>|<none>|make %1"},
  };
  Type(".txt", "txtfile", "Текст");
  Start();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.option);
    for (const char* key : {".txt\\ShellNew", "txtfile\\ShellNew"}) {
      Value(key, "NullFile");
      Value(key, "FileName", "old.txt");
      Value(key, "Command", "old.exe");
    }
    Add("txt", [&](HWindow& editor) {
      if (c.option) Option(editor, c.option).Click();
      if (c.box) In<HTextBox>(editor, c.box).Replace(c.text);
    });
    EXPECT_EQ(Entry(".txt\\ShellNew"), c.entry);
    EXPECT_EQ(Entry("txtfile\\ShellNew"), "<none>|<none>|<none>");
    EXPECT_TRUE(KeyExists("txtfile\\ShellNew"));
  }
  // "Добавить" fills the list again: the entry under the extension holds a value.
  EXPECT_EQ(Items(), std::vector<std::string>{"Текст (.txt)"});

  // A class named like the extension makes the two entries one key: the chosen value stays.
  for (const char* cls : {".abc", ".ABC"}) {
    SCOPED_TRACE(cls);
    Type(".abc", cls, "");
    Value(".abc\\ShellNew", "NullFile");
    Add("abc", [&](HWindow& editor) {
      Option(editor, 5).Click();
      In<HTextBox>(editor, IDC_NEW_ENTRY_COMMAND).Replace("make %1");
    });
    EXPECT_EQ(Entry(".abc\\ShellNew"), "<none>|<none>|make %1");
  }
  EXPECT_EQ(files.calls, 0);
}

TEST_F(NewMenuTest, ApplyDoesNothingForATypeThatCannotNameAnEntryOrATemplate) {
  // Extension keys exist for every type below, so only the type itself stops the writes.
  const char* const types[] = {
      "", "none", "..", "..\\..\\evil", "a/b", "c:", "t*", "q?", "a\"", "l<", "g>", "p|"};
  for (const char* type : types) {
    if (*type && std::string(type) != "none") Value(std::string(".") + type, "", "cls");
  }
  Start();
  for (const char* type : types) {
    for (int option : {1, 4, 5}) {
      SCOPED_TRACE(std::string(type) + " option " + std::to_string(option));
      Add(type, [&](HWindow& editor) {
        Option(editor, option).Click();
        In<HTextBox>(editor, IDC_NEW_ENTRY_TEXT).Type("x");
        In<HTextBox>(editor, IDC_NEW_ENTRY_COMMAND).Type("x");
      });
      EXPECT_EQ(Writes(), 0u);
      EXPECT_EQ(files.calls, 0);
    }
  }
  EXPECT_FALSE(std::filesystem::exists(platform::HostPath(ShellNewDir())));
}

TEST_F(NewMenuTest, TemplatesAreMadeInTheShellNewFolderAndNamedOnlyOnceTheyExist) {
  Type(".doc", "Word.Document", "Документ");
  const std::string source = system.WindowsDirectory() + "\\Мои\\a.doc";
  system.WriteFile(source, "DOC\r\nbody");
  Start();
  const std::string copied = ShellNewDir() + "\\a.doc.doc";
  const std::string typed = ShellNewDir() + "\\NewFile.doc";

  // "Копировать из файла": the folder is made first (a fresh prefix has none).
  Add("doc", [&](HWindow& editor) {
    Option(editor, 3).Click();
    chooser.next_choice = source;
    In<HButton>(editor, IDC_NEW_ENTRY_COPY_BROWSE).Click();
    EXPECT_EQ(In<HTextBox>(editor, IDC_NEW_ENTRY_COPY_FILE).text(), source);
  });
  EXPECT_EQ(system.ReadFile(copied), "DOC\r\nbody");
  EXPECT_EQ(Stored(".doc\\ShellNew", "FileName"), copied);

  // "Ввести сейчас:": the text as it stands, then CR LF.
  Add("doc", [&](HWindow& editor) {
    Option(editor, 4).Click();
    In<HTextBox>(editor, IDC_NEW_ENTRY_TEXT).Replace("первая\r\nвторая");
  });
  EXPECT_EQ(system.ReadFile(typed), "первая\r\nвторая\r\n");
  EXPECT_EQ(Stored(".doc\\ShellNew", "FileName"), typed);

  // A failed write keeps the previous template whole, and the entry still names it.
  files.fail_after_bytes = 3;
  Add("doc", [&](HWindow& editor) {
    Option(editor, 4).Click();
    In<HTextBox>(editor, IDC_NEW_ENTRY_TEXT).Replace("replacement");
  });
  EXPECT_EQ(Stored(".doc\\ShellNew", "FileName"), typed);
  EXPECT_EQ(test::FileTree(platform::HostPath(ShellNewDir())),  // no temporary file left behind
            (std::map<std::string, std::string>{{"a.doc.doc", "DOC\r\nbody"},
                                                {"NewFile.doc", "первая\r\nвторая\r\n"}}));
  files.fail_after_bytes = -1;

  // A copy that fails (a cancelled dialog empties the box) leaves the entry as it was.
  Value(".doc\\ShellNew", "FileName", "old");
  Add("doc", [&](HWindow& editor) {
    Option(editor, 3).Click();
    In<HTextBox>(editor, IDC_NEW_ENTRY_COPY_FILE).Replace(source);
    chooser.next_choice = "";
    In<HButton>(editor, IDC_NEW_ENTRY_COPY_BROWSE).Click();
    EXPECT_EQ(In<HTextBox>(editor, IDC_NEW_ENTRY_COPY_FILE).text(), "");
  });
  EXPECT_EQ(Stored(".doc\\ShellNew", "FileName"), "old");

  // Enter applies and closes, like OK.
  InEditor([&](HWindow& editor) {
    In<HTextBox>(editor, IDC_NEW_ENTRY_EXTENSION).Type("doc");
    Option(editor, 1).Click();
    editor.PressEnter();
    EXPECT_FALSE(editor.open());
  });
  Get<HButton>(IDC_NEW_MENU_ADD).Click();
  EXPECT_EQ(Stored(".doc\\ShellNew", "NullFile"), "");
}

}  // namespace
}  // namespace vireo
