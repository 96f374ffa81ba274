// The change journal: what its recorders keep of each change, that an undo gives back exactly the
// earlier state (type and bytes, whole subtrees, files, control.ini lines), that it asks before
// overwriting what another program changed, its window and its menu entry, the log, and the
// REGEDIT4 undo file.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "catalogue_ids.h"
#include "fixture.h"
#include "journal_support.h"
#include "service/journal.h"
#include "service/journal_text.h"
#include "service/journal_window.h"

namespace vireo {
namespace {

using platform::Answer;
using platform::kCurrentUser;
using platform::kLocalMachine;
using service::Journal;
using service::Target;

std::vector<std::uint8_t> Bytes(const std::string& text) {
  return {text.begin(), text.end()};
}

class JournalTest : public test::Fixture {
 protected:
  platform::Registry& registry() { return platform.registry; }

  // Opens or creates `path` below `root` through the recorded registry.
  platform::HKey Create(platform::HKey root, const std::string& path) {
    platform::HKey key = 0;
    bool created = false;
    EXPECT_EQ(registry().CreateKey(root, path, platform::kKeyAllAccess3F, &key, &created),
              platform::kSuccess);
    return key;
  }
  void Set(platform::HKey key, const std::string& name, std::uint32_t type,
           const std::string& bytes) {
    EXPECT_EQ(
        registry().SetValue(key, name, type, reinterpret_cast<const std::uint8_t*>(bytes.data()),
                            static_cast<std::uint32_t>(bytes.size())),
        platform::kSuccess);
  }
  std::function<bool(const service::Entry&)> Answering(bool yes) {
    return [this, yes](const service::Entry&) {
      ++asked;
      return yes;
    };
  }
  int asked = 0;
};

TEST_F(JournalTest, UndoGivesBackTypeAndBytesAndRemovesWhatItCreated) {
  memory.Put(kCurrentUser, "Control Panel\\Desktop", "Wallpaper", platform::kRegBinary,
             {0x01, 0x00, 0xFF});
  memory.PutNumber(kCurrentUser, "Software", "There", 1);
  const std::string start = test::Dump(memory);

  const platform::HKey desktop = Create(kCurrentUser, "Control Panel\\Desktop");
  Set(desktop, "Wallpaper", platform::kRegSz, std::string("a.bmp\0", 6));
  Set(desktop, "New", platform::kRegDword, std::string("\x07\0\0\0", 4));
  registry().CloseKey(desktop);
  // Two levels that did not exist: the entry names the upper one.
  const platform::HKey deep = Create(kCurrentUser, "Software\\Vireo Test\\Deep");
  Set(deep, "", platform::kRegSz, std::string("x\0", 2));
  registry().CloseKey(deep);
  // Writing what is there already changes nothing and is not recorded.
  const platform::HKey again = Create(kCurrentUser, "Control Panel\\Desktop");
  Set(again, "New", platform::kRegDword, std::string("\x07\0\0\0", 4));
  registry().CloseKey(again);

  const auto& entries = journal.entries();
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_EQ(entries[0].change.target, Target::kValue);
  EXPECT_EQ(entries[0].change.key, "Control Panel\\Desktop");
  EXPECT_EQ(entries[0].change.before.type, platform::kRegBinary);
  EXPECT_EQ(entries[0].change.before.bytes, std::string("\x01\x00\xFF", 3));
  EXPECT_FALSE(entries[1].change.before.present);
  EXPECT_EQ(entries[2].change.target, Target::kKey);
  EXPECT_EQ(entries[2].change.key, "Software\\Vireo Test");
  EXPECT_FALSE(entries[2].change.before.present);
  // The default value of a new key was never set: absent, not the empty text.
  EXPECT_FALSE(entries[3].change.before.present);

  EXPECT_EQ(journal.UndoAll(Answering(false)), 4);
  EXPECT_EQ(asked, 0);
  EXPECT_EQ(test::Dump(memory), start);
  EXPECT_FALSE(memory.Exists(kCurrentUser, "Software\\Vireo Test"));
  // Each undo is itself an entry.
  EXPECT_EQ(journal.entries().size(), 8u);
}

TEST_F(JournalTest, KeyDeletionComesBackWithEverythingBelowIt) {
  memory.PutText(kLocalMachine, "Software\\Classes\\.abc\\ShellNew", "NullFile", "");
  memory.Put(kLocalMachine, "Software\\Classes\\.abc\\ShellNew\\Sub", "Raw", 0x2A, {0, 1, 2, 0});
  memory.PutNumber(kLocalMachine, "Software\\Classes\\.abc", "Flags", -2);
  const std::string start = test::Dump(memory);

  const platform::HKey classes = Create(platform::kClassesRoot, ".abc");
  EXPECT_EQ(registry().DeleteKey(classes, "ShellNew\\"), platform::kSuccess);
  EXPECT_EQ(registry().DeleteValue(classes, "Flags"), platform::kSuccess);
  registry().CloseKey(classes);
  ASSERT_EQ(journal.entries().size(), 2u);
  const service::Change& deletion = journal.entries()[0].change;
  EXPECT_EQ(deletion.target, Target::kKey);
  // HKCR is HKLM\Software\Classes under another name: the entry names the one key.
  EXPECT_EQ(deletion.root, kLocalMachine);
  EXPECT_EQ(deletion.key, "Software\\Classes\\.abc\\ShellNew");
  ASSERT_EQ(deletion.tree_before.subkeys.size(), 1u);
  EXPECT_EQ(deletion.tree_before.subkeys[0].values[0].second.type, 0x2Au);

  journal.UndoAll(Answering(false));
  EXPECT_EQ(test::Dump(memory), start);
  EXPECT_EQ(memory.open_handles(), 0u);
}

TEST_F(JournalTest, AnEntryChangedSinceAsksBeforeOverwriting) {
  memory.PutText(kCurrentUser, "Software\\A", "v", "old");
  const platform::HKey key = Create(kCurrentUser, "Software\\A");
  Set(key, "v", platform::kRegSz, std::string("new\0", 4));
  registry().CloseKey(key);
  // Another program writes there meanwhile.
  memory.PutText(kCurrentUser, "Software\\A", "v", "theirs");
  const int number = journal.entries().back().number;

  EXPECT_EQ(journal.Undo(number, Answering(false)), Journal::UndoResult::kDeclined);
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(test::Dump(memory).find("old"), std::string::npos);
  EXPECT_EQ(journal.entries().size(), 1u);

  EXPECT_EQ(journal.Undo(number, Answering(true)), Journal::UndoResult::kUndone);
  EXPECT_EQ(asked, 2);
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;
  ASSERT_TRUE(memory.Get(kCurrentUser, "Software\\A", "v", &type, &data));
  EXPECT_EQ(data, Bytes("old"));  // as it was: PutText stores no NUL
  // An entry left as the program left it is undone without a question.
  const int undo = journal.entries().back().number;
  EXPECT_EQ(journal.Undo(undo, Answering(false)), Journal::UndoResult::kUndone);
  EXPECT_EQ(asked, 2);
}

TEST_F(JournalTest, AStringGivenBackWithItsClosingNulIsNoChange) {
  const platform::HKey key = Create(kCurrentUser, "Software");
  Set(key, "s", platform::kRegSz, "abc");
  registry().CloseKey(key);
  // The system gives the text back with a NUL; another text would be a change.
  memory.PutText(kCurrentUser, "Software", "s", std::string("abc\0", 4));
  EXPECT_TRUE(journal.Unchanged(journal.entries().back()));
  memory.PutText(kCurrentUser, "Software", "s", std::string("abd\0", 4));
  EXPECT_FALSE(journal.Unchanged(journal.entries().back()));
  // Writing the text over the same text stored with its NUL changes bytes: an entry that keeps
  // them exactly, and is left as the program left it.
  const std::size_t entries = journal.entries().size();
  const platform::HKey again = Create(kCurrentUser, "Software");
  Set(again, "s", platform::kRegSz, "abd");
  registry().CloseKey(again);
  ASSERT_EQ(journal.entries().size(), entries + 1);
  EXPECT_EQ(journal.entries().back().change.before.bytes, std::string("abd\0", 4));
  EXPECT_TRUE(journal.Unchanged(journal.entries().back()));
}

TEST_F(JournalTest, FilesDirectoriesAndProfileLinesComeBackByteForByte) {
  const std::string ini = system.WindowsDirectory() + "\\control.ini";
  system.WriteFile(ini, "[don't load]\r\nkeep=no\r\n\r\n[other]\r\nx=1\r\n");
  const std::string old_template = system.WindowsDirectory() + "\\old.txt";
  system.WriteFile(old_template, "old contents");
  const std::string before_ini = system.ReadFile(ini);

  platform::Profile& recorded_profile = platform.profile;
  platform::Files& recorded_files = platform.files;
  EXPECT_TRUE(recorded_profile.WriteString("don't load", "added.cpl", "no", ini));
  EXPECT_TRUE(recorded_profile.WriteString("don't load", "keep", "", ini));
  const std::string folder = system.WindowsDirectory() + "\\ShellNew";
  EXPECT_TRUE(recorded_files.MakeDirectory(folder));
  EXPECT_TRUE(recorded_files.Replace(folder + "\\new.txt", "made"));
  EXPECT_TRUE(recorded_files.Replace(old_template, "replaced"));
  ASSERT_EQ(journal.entries().size(), 5u);
  EXPECT_EQ(journal.entries()[0].change.target, Target::kProfile);
  EXPECT_FALSE(journal.entries()[0].change.before.present);
  EXPECT_EQ(journal.entries()[1].change.before.bytes, "no");

  journal.UndoAll(Answering(false));
  EXPECT_EQ(system.ReadFile(ini), before_ini);
  EXPECT_EQ(system.ReadFile(old_template), "old contents");
  EXPECT_FALSE(std::filesystem::exists(platform::HostPath(folder)));
}

TEST_F(JournalTest, TheLogGetsALinePerChangeAsItIsMade) {
  journal.log_path = system.ProgramDirectory() + "\\" + service::kLogFile;
  journal.clock = [] { return std::string("2026-01-02 03:04:05"); };
  memory.PutNumber(kCurrentUser, "Software", "There", 1);
  const platform::HKey key = Create(kCurrentUser, "Software\\Logged");
  Set(key, "a", platform::kRegDword, std::string("\x01\0\0\0", 4));
  registry().CloseKey(key);
  const std::string log = system.ReadFile(journal.log_path);
  EXPECT_EQ(log,
            "2026-01-02 03:04:05\t\tHKEY_CURRENT_USER\\Software\\Logged\t(нет раздела) -> раздел "
            "(параметров: 0, подразделов: 0)\r\n"
            "2026-01-02 03:04:05\t\tHKEY_CURRENT_USER\\Software\\Logged : a\t(нет значения) -> "
            "0x00000001 (1)\r\n");
  // The log itself is no change of the program's.
  EXPECT_EQ(journal.entries().size(), 2u);
}

TEST_F(JournalTest, TheUndoFileDeletesWhatTheSessionMadeAndWritesBackTheRest) {
  memory.Put(kCurrentUser, "Software\\S", "bin", platform::kRegBinary, {0xAB, 0x00});
  memory.Put(kCurrentUser, "Software\\S", "text", platform::kRegSz,
             Bytes(std::string("a\"b\0", 4)));
  memory.Put(kCurrentUser, "Software\\S\\Gone", "n", platform::kRegDword, {1, 2, 3, 4});
  const platform::HKey key = Create(kCurrentUser, "Software\\S");
  Set(key, "bin", platform::kRegDword, std::string("\0\0\0\0", 4));
  Set(key, "text", platform::kRegSz, std::string("z\0", 2));
  Set(key, "made", platform::kRegSz, std::string("m\0", 2));
  EXPECT_EQ(registry().DeleteKey(key, "Gone"), platform::kSuccess);
  registry().CloseKey(key);
  const platform::HKey fresh = Create(kCurrentUser, "Software\\Fresh");
  registry().CloseKey(fresh);

  EXPECT_EQ(service::UndoFileText(journal.entries()),
            "REGEDIT4\r\n\r\n"
            "[-HKEY_CURRENT_USER\\Software\\Fresh]\r\n\r\n"
            "[HKEY_CURRENT_USER\\Software\\S\\Gone]\r\n\"n\"=dword:04030201\r\n\r\n"
            "[HKEY_CURRENT_USER\\Software\\S]\r\n\"made\"=-\r\n\r\n"
            "[HKEY_CURRENT_USER\\Software\\S]\r\n\"text\"=\"a\\\"b\"\r\n\r\n"
            "[HKEY_CURRENT_USER\\Software\\S]\r\n\"bin\"=hex:AB,00\r\n\r\n");
}

// The journal on the main window: what the user does is recorded under the control's caption;
// start-up, refresh and page switches record nothing.
class JournalWindowTest : public test::MainWindowFixture {};

TEST_F(JournalWindowTest, StartUpRefreshAndPageSwitchesRecordNothing) {
  Start();
  Refresh();
  for (int i = 0; i < main::kPageCount; ++i) {
    Get<ui::headless::HButton>(IDC_PAGE_BUTTON_FIRST + i).Click();
  }
  Refresh();
  EXPECT_TRUE(journal.entries().empty());
  EXPECT_EQ(Writes(), 0u);
}

TEST_F(JournalWindowTest, TypingIntoATextSettingMakesOneEntryPerValue) {
  Start();
  auto& box = Get<ui::headless::HTextBox>(IDC_TXT_FIRST + 5);
  box.Type("Привет");
  box.Backspace();
  ASSERT_FALSE(journal.entries().empty());
  std::string caption;
  strings.Load(catalogue::kIdsTextCaption + 5, &caption);
  std::vector<std::string> targets;
  for (const service::Entry& entry : journal.entries()) {
    EXPECT_EQ(entry.cause, caption);
    if (entry.change.target == Target::kValue) targets.push_back(service::TargetText(entry.change));
  }
  // One entry per value however many keystrokes.
  auto sorted = targets;
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ(std::unique(sorted.begin(), sorted.end()), sorted.end());
  EXPECT_NE(service::AfterText(journal.entries().back().change).find("Приве"), std::string::npos);
}

TEST_F(JournalWindowTest, TheMenuEntryOpensTheJournalAndItsUndoShowsAtOnce) {
  Start();
  auto& box = Get<ui::headless::HCheckBox>(IDC_CHK_FIRST + 1);
  const int shown = box.Checked();
  box.Click();
  Get<ui::headless::HTextBox>(IDC_TXT_FIRST + 5).Type("x");
  ASSERT_GE(journal.entries().size(), 2u);
  const std::string dump = test::Dump(memory);

  std::vector<std::string> lines;
  toolkit.on_modal = [&](ui::headless::HWindow& w) {
    auto& list = *w.Get<ui::headless::HCheckList>(IDC_JOURNAL_LIST);
    for (int i = 0; i < list.Count(); ++i) lines.push_back(list.Item(i));
    // Tick the check box's lines and undo only those.
    for (int i = 0; i < list.Count(); ++i) {
      if (list.Item(i).find(box.Text()) != std::string::npos) list.ToggleCheck(i);
    }
    w.Get<ui::headless::HButton>(IDC_JOURNAL_UNDO)->Click();
  };
  Main().Command(IDM_SERVICE_JOURNAL);
  ASSERT_EQ(toolkit.modal_runs.size(), 1u);
  EXPECT_EQ(toolkit.modal_runs[0].title, service::kJournalTitle);
  EXPECT_TRUE(toolkit.modal_runs[0].owner_disabled);
  EXPECT_TRUE(messages.shown.empty());
  const std::size_t undone =
      static_cast<std::size_t>(std::count_if(lines.begin(), lines.end(), [&](const std::string& l) {
        return l.find(box.Text()) != std::string::npos;
      }));
  ASSERT_GE(undone, 1u);
  ASSERT_EQ(lines.size(), journal.entries().size() - undone);
  // Newest first: the typing comes before the click.
  EXPECT_NE(lines.front().find(service::TargetText(journal.entries()[lines.size() - 1].change)),
            std::string::npos);
  EXPECT_NE(lines.back().find(box.Text()), std::string::npos);
  // The box shows the undone state at once; the typed value is still there.
  EXPECT_EQ(box.Checked(), shown);
  EXPECT_NE(test::Dump(memory), dump);
  for (const service::Entry& entry : journal.entries()) {
    if (entry.typing && entry.change.target == Target::kValue) {
      EXPECT_TRUE(journal.Unchanged(entry)) << service::EntryLine(entry);
    }
  }
}

TEST_F(JournalWindowTest, UndoAllAndTheSavedFileLeaveNoTrace) {
  const std::string start = test::Dump(memory);
  Start();
  Get<ui::headless::HCheckBox>(IDC_CHK_FIRST + 1).Click();
  Get<ui::headless::HCheckBox>(IDC_CHK_FIRST + 2).Click();
  Get<ui::headless::HTextBox>(IDC_TXT_FIRST + 5).Type("abc");
  const std::size_t made = journal.entries().size();
  ASSERT_GE(made, 3u);
  const std::string saved = system.ProgramDirectory() + "\\undo.reg";
  chooser.next_choice = saved;
  toolkit.on_modal = [&](ui::headless::HWindow& w) {
    w.Get<ui::headless::HButton>(IDC_JOURNAL_SAVE)->Click();
    w.Get<ui::headless::HButton>(IDC_JOURNAL_UNDO_ALL)->Click();
    EXPECT_EQ(w.Get<ui::headless::HCheckList>(IDC_JOURNAL_LIST)->Count(),
              static_cast<int>(2 * made));
  };
  Main().Command(IDM_SERVICE_JOURNAL);
  EXPECT_EQ(test::Dump(memory), start);
  // The saved file is the user's, not a change of the session.
  EXPECT_EQ(journal.entries().size(), 2 * made);
  EXPECT_EQ(system.ReadFile(saved),
            service::UndoFileText(std::vector<service::Entry>(
                journal.entries().begin(), journal.entries().begin() + static_cast<long>(made))));
  EXPECT_EQ(chooser.requests.back().title, "Сохранить как|reg");
}

}  // namespace
}  // namespace vireo
