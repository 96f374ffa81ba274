// The New-menu entries of the Files page: lstNew and its three buttons, and the editor
// frmNewMenu with the registry values and template files it writes.
#include "new_menu_fixture.h"
#include "user_actions.h"

namespace vireo {
namespace {

using test::kClasses;
using test::NewMenuTest;
using ui::headless::HFrame;

TEST_F(NewMenuTest, ListsTheEntriesThatHoldAValueWhereverTheirKeyIs) {
  Type(".txt", "txtfile", "Текстовый документ", "ShellNew");
  Type(".doc", "Word.Document", "Word (old)");  // a "(" in the description
  Value(".doc\\Word.Document\\ShellNew", "FileName", "winword.doc");
  Type(".bmp", "Paint.Picture", "Рисунок", "ShellNew-");  // switched off
  Type(".zip", "zipfile", "ZIP", "ShellNew\\Sub");        // its ShellNew key holds no value
  Value(".odd\\ShellNew", "Command", "make.exe");         // no class name
  Value("txtfile\\ShellNew", "NullFile");                 // not an extension
  Start();
  EXPECT_EQ(Items(), (std::vector<std::string>{"Текстовый документ (.txt)", "Word (old) (.doc)",
                                               "Рисунок (.bmp)", "<Unknown> (.odd)"}));
  EXPECT_EQ(List().Selection(), 0);
  EXPECT_TRUE(Get<HFrame>(IDC_NEW_MENU_FRAME).enabled());

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
  memory.DeleteKey(kLocalMachine, kClasses + ".doc");
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
  EXPECT_FALSE(Get<HFrame>(IDC_NEW_MENU_FRAME).enabled());
  EXPECT_EQ(Items(), std::vector<std::string>{"<Unknown> (.new)"});
}

TEST_F(NewMenuTest, UnusualClassNamesFindTheEntryThePlainLookupsFind) {
  // The list reads each class name once; whatever is not a short string goes as the two
  // lookups take it: a number as its digits for the entry, its bytes up to a NUL for the
  // description.
  Type(".num", "7", "", "7\\ShellNew");
  Type(".bin", "binf", "Двоичный", "binf\\ShellNew");
  Type(".nul", "nul", "С нулём", "nul\\ShellNew-");
  memory.PutNumber(kLocalMachine, kClasses + ".num", "", 7);
  memory.Put(kLocalMachine, kClasses + ".bin", "", platform::kRegBinary, {'b', 'i', 'n', 'f'});
  memory.Put(kLocalMachine, kClasses + ".nul", "", platform::kRegSz, {'n', 'u', 'l', 0, 'x'});
  const std::string long_name(600, 'L');
  Type(".long", long_name, "Длинный", long_name + "\\ShellNew");
  Type(".path", "sub\\cls", "С путём", "sub\\cls\\ShellNew");
  Type(".empty", "", "");
  Value(".empty\\ShellNew", "Command", "make.exe");
  // The class-named key is found first, and holds no value: the entry is not listed.
  Type(".both", "BothFile", "Оба", "bothfile\\ShellNew\\Sub");
  Value(".both\\ShellNew", "NullFile");
  Type(".sub", "subfile", "Без записи", "subfile\\shell");  // subkeys, none of them an entry
  // The active key before the switched-off one, which holds no value.
  Type(".act", "actfile", "Активный", "actfile\\ShellNew");
  Value(".act\\actfile\\ShellNew-\\Sub", "", "x");
  Start();
  EXPECT_EQ(Items(), (std::vector<std::string>{
                         "<Unknown> (.num)", "Двоичный (.bin)", "С нулём (.nul)", "Длинный (.long)",
                         "С путём (.path)", "<Unknown> (.empty)", "Активный (.act)"}));
  EXPECT_EQ(Writes(), 0u);
  EXPECT_EQ(memory.open_handles(), 0u);
}

TEST_F(NewMenuTest, ListsAtMostTheFirst101EntriesInEnumerationOrder) {
  for (int i = 0; i < 105; ++i) Value(".e" + std::to_string(i) + "\\ShellNew", "NullFile");
  Start();
  ASSERT_EQ(List().Count(), main::kNewMenuCapacity);
  EXPECT_EQ(List().Item(100), "<Unknown> (.e100)");
}

TEST_F(NewMenuTest, TheEditorShowsTheEntryOfItsTypeOnceThenWhatTheUserChooses) {
  Type(".txt", "txtfile", "Текстовый документ", "ShellNew");
  Value(".txt\\ShellNew", "Command", "notepad.exe");  // the later value wins
  Type(".doc", "Word.Document", "Документ");
  Value(".doc\\Word.Document\\ShellNew-", "FileName", "winword.doc");
  Start();
  // The type (and whether it takes input), the options selected, the boxes enabled, the command
  // and the file.
  std::vector<std::string> seen;
  const auto see = [&](HWindow& editor) {
    HTextBox& type = In<HTextBox>(editor, IDC_NEW_ENTRY_EXTENSION);
    seen.push_back(type.text() + (type.ReadOnly() ? " " : " writable ") + State(editor) + " " +
                   In<HTextBox>(editor, IDC_NEW_ENTRY_COMMAND).text() + "|" +
                   In<HTextBox>(editor, IDC_NEW_ENTRY_USE_FILE).text());
  };
  InEditor(see);
  List().Choose(0);
  Get<HButton>(IDC_NEW_MENU_CHANGE).Click();
  List().DoubleClick(1);
  // A fresh editor takes the type typed in on its next repaint; later repaints (a dialog closing
  // over the window) keep the option the user chose and what the user typed.
  InEditor([&](HWindow& editor) {
    see(editor);
    In<HTextBox>(editor, IDC_NEW_ENTRY_EXTENSION).Type("doc");
    EXPECT_EQ(In<HTextBox>(editor, IDC_NEW_ENTRY_DESCRIPTION).text(), "Документ");
    see(editor);
    editor.Paint();
    In<HTextBox>(editor, IDC_NEW_ENTRY_EXTENSION).Backspace();
    see(editor);
    In<HTextBox>(editor, IDC_NEW_ENTRY_USE_FILE).Replace("mine.doc");
    Option(editor, 4).Click();
    editor.Paint();
    see(editor);
    editor.PressEscape();
  });
  Get<HButton>(IDC_NEW_MENU_ADD).Click();
  EXPECT_EQ(seen, (std::vector<std::string>{
                      "txt ....x .....x notepad.exe|", "doc .x... xx.... |winword.doc",
                      " writable ..... .....x |", "doc writable ..... .....x |",
                      "doc .x... xx.... |winword.doc", "doc ...x. ....x. |mine.doc"}));
  EXPECT_EQ(Writes(), 0u);  // closed without "OK": nothing written
}

TEST_F(NewMenuTest, ApplyWritesTheSelectedOptionAndDeletesTheOthersOnlyForAUsableType) {
  // Each case starts from an entry under the class key with all three values, and one under
  // the extension with all three.
  const struct {
    int option;  // 0: none
    const char *text, *entry;
  } cases[] = {{0, "", "<none>|<none>|<none>"},
               {1, "", "|<none>|<none>"},
               {2, "C:\\t.txt", "<none>|C:\\t.txt|<none>"},
               {5, "make %1", "<none>|<none>|make %1"}};
  Type(".txt", "txtfile", "Текст");
  Start();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.option);
    for (const char* key : {".txt\\ShellNew", "txtfile\\ShellNew"}) {
      for (const char* name : {"NullFile", "FileName", "Command"}) Value(key, name, "old");
    }
    Add("txt", c.option, c.text);
    EXPECT_EQ(Entry(".txt\\ShellNew"), c.entry);
    EXPECT_EQ(Entry("txtfile\\ShellNew"), "<none>|<none>|<none>");
    EXPECT_TRUE(KeyExists("txtfile\\ShellNew"));
  }
  // "Добавить" fills the list again: the entry under the extension holds a value.
  EXPECT_EQ(Items(), std::vector<std::string>{"Текст (.txt)"});

  // A class named like the extension makes the two entries one key: the chosen value stays.
  for (const char* cls : {".abc", ".ABC"}) {
    SCOPED_TRACE(cls);
    Type(".abc", cls, "", "ShellNew");
    Add("abc", 5, "make %1");
    EXPECT_EQ(Entry(".abc\\ShellNew"), "<none>|<none>|make %1");
  }

  // A type that cannot name an entry or a template writes nothing, though extension keys exist
  // for all but "none".
  const char* const types[] = {
      "", "none", "..", "..\\..\\evil", "a/b", "c:", "t*", "q?", "a\"", "l<", "g>", "p|"};
  for (const char* type : types) {
    if (*type && std::string(type) != "none") Value(std::string(".") + type, "", "cls");
  }
  const std::size_t writes = Writes();
  for (const char* type : types) {
    for (int option : {1, 4, 5}) Add(type, option, "x");
  }
  EXPECT_EQ(Writes(), writes);
  EXPECT_EQ(files.calls, 0);  // no template or folder made either
}

TEST_F(NewMenuTest, TemplatesAreMadeInTheShellNewFolderAndNamedOnlyOnceTheyExist) {
  Type(".doc", "Word.Document", "Документ");
  const std::string source = system.WindowsDirectory() + "\\Мои\\a.doc";
  system.WriteFile(source, "DOC\r\nbody");
  Start();
  const std::string copied = ShellNewDir() + "\\a.doc.doc";
  const std::string typed = ShellNewDir() + "\\NewFile.doc";

  // "Копировать из файла": the folder is made first (a fresh prefix has none).
  Add("doc", 3, source);
  EXPECT_EQ(system.ReadFile(copied), "DOC\r\nbody");
  EXPECT_EQ(Stored(".doc\\ShellNew", "FileName"), copied);

  // "Ввести сейчас:": the text as it stands, then CR LF.
  Add("doc", 4, "первая\r\nвторая");
  EXPECT_EQ(system.ReadFile(typed), "первая\r\nвторая\r\n");
  EXPECT_EQ(Stored(".doc\\ShellNew", "FileName"), typed);

  // A failed write keeps the previous template whole, and the entry still names it.
  files.fail_after_bytes = 3;
  Add("doc", 4, "replacement");
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
  });
  EXPECT_EQ(Stored(".doc\\ShellNew", "FileName"), "old");

  // Enter applies and closes, like OK.
  Add("doc", [](HWindow& editor) {
    Option(editor, 1).Click();
    editor.PressEnter();
    EXPECT_FALSE(editor.open());
  });
  EXPECT_EQ(Stored(".doc\\ShellNew", "NullFile"), "");
}

}  // namespace
}  // namespace vireo
