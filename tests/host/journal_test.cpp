// The change journal: its recorders, exact undo, the question before overwriting what another
// program changed, the log, the REGEDIT4 undo file, its window (whole sessions: journal_random).
#include <gtest/gtest.h>

#include <algorithm>

#include "catalogue_ids.h"
#include "fixture.h"
#include "service/journal.h"
#include "service/journal_text.h"
#include "service/journal_window.h"

namespace vireo {
namespace {

using service::Journal;
using service::Target;
using namespace std::string_literals;

class JournalTest : public test::Fixture {
 protected:
  // Sets values (name, type, bytes) of `path` through the recorded registry, as the program does.
  void Set(platform::HKey root, const std::string& path,
           std::initializer_list<std::tuple<std::string, std::uint32_t, std::string>> values) {
    platform::HKey key = 0;
    bool created = false;
    platform.registry.CreateKey(root, path, platform::kKeyAllAccess3F, &key, &created);
    for (const auto& [name, type, bytes] : values) {
      platform.registry.SetValue(key, name, type,
                                 reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                 static_cast<std::uint32_t>(bytes.size()));
    }
    platform.registry.CloseKey(key);
  }
  std::function<bool(const service::Entry&)> Answering(bool yes) {
    return [this, yes](const service::Entry&) { return ++asked, yes; };
  }
  int asked = 0;
};

TEST_F(JournalTest, AnEntryChangedSinceAsksBeforeOverwriting) {
  memory.PutText(kCurrentUser, "Software\\A", "v", "old");
  Set(kCurrentUser, "Software\\A", {{"v", platform::kRegSz, "new\0"s}});
  memory.PutText(kCurrentUser, "Software\\A", "v", "theirs");  // another program, meanwhile
  const int number = journal.entries().back().number;
  EXPECT_EQ(journal.Undo(number, Answering(false)), Journal::UndoResult::kDeclined);
  EXPECT_EQ(Stored(kCurrentUser, "Software\\A", "v"), "theirs");
  EXPECT_EQ(journal.Undo(number, Answering(true)), Journal::UndoResult::kUndone);
  EXPECT_EQ(asked, 2);
  EXPECT_EQ(Stored(kCurrentUser, "Software\\A", "v"), "old");
  EXPECT_EQ(service::BeforeText(journal.entries().back().change), "\"theirs\"");  // read at undo
  // An entry left as the program left it is undone without a question (declined if asked).
  EXPECT_EQ(journal.Undo(journal.entries().back().number, Answering(false)),
            Journal::UndoResult::kUndone);

  // The system gives a text back with a NUL: that is no change; another text is.
  Set(kCurrentUser, "Software", {{"s", platform::kRegSz, "abc"}});
  memory.PutText(kCurrentUser, "Software", "s", "abc\0"s);
  EXPECT_TRUE(journal.Unchanged(journal.entries().back()));
  memory.PutText(kCurrentUser, "Software", "s", "abd\0"s);
  EXPECT_FALSE(journal.Unchanged(journal.entries().back()));
  // So is a key the program made that has a value inside now.
  Set(kCurrentUser, "Software\\K", {});
  memory.PutText(kCurrentUser, "Software\\K", "w", "theirs");
  EXPECT_FALSE(journal.Unchanged(journal.entries().back()));
}

TEST_F(JournalTest, TheLogTheUndoFileAndAnUndoGivingBackTypesAndBytes) {
  journal.log_path = system.ProgramDirectory() + "\\" + service::kLogFile;
  journal.clock = [] { return std::string("2026-01-02 03:04:05"); };
  memory.Put(kCurrentUser, "Software\\S", "bin", platform::kRegBinary, {0xAB, 0x00});
  memory.Put(kCurrentUser, "Software\\S", "text", platform::kRegSz, {'a', '"', 'b', 0});
  memory.Put(kCurrentUser, "Software\\S\\Gone", "n", platform::kRegDword, {0xAB, 2, 3, 4});
  memory.Put(kCurrentUser, "Software\\S\\Gone", "cr", platform::kRegSz, {'a', '\r', 0});
  memory.Put(kCurrentUser, "Software\\S\\Gone\\Sub", "x", platform::kRegSz, {'y', 0});
  const std::string start = memory.Dump();
  // Two levels that did not exist: the entry names the upper one.
  Set(kCurrentUser, "Software\\Fresh\\Deep", {{"", platform::kRegSz, "x\0"s}});
  Set(kCurrentUser, "Software\\S",
      {{"bin", platform::kRegDword, "\0\0\0\0"s},
       {"text", platform::kRegSz, "z\0"s},
       {"made", platform::kRegSz, "m\0"s}});
  // Writing what is there already changes nothing and is not recorded.
  Set(kCurrentUser, "Software\\S", {{"made", platform::kRegSz, "m\0"s}});
  platform::HKey key = 0;
  platform.registry.OpenKey(kCurrentUser, "Software\\S", platform::kKeyAllAccess3F, &key);
  EXPECT_EQ(platform.registry.DeleteKey(key, "Gone"), platform::kSuccess);
  platform.registry.CloseKey(key);

  const std::string log = system.ReadFile(journal.log_path);
  EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 6);  // a line per change, as it is made
  EXPECT_EQ(log.substr(0, log.find('\n') + 1),
            "2026-01-02 03:04:05\t\tHKEY_CURRENT_USER\\Software\\Fresh\t(нет раздела) -> раздел "
            "(параметров: 0, подразделов: 1)\r\n");
  EXPECT_NE(log.find("HKEY_CURRENT_USER\\Software\\S : bin\thex:AB,00 -> 0x00000000 (0)\r\n"),
            std::string::npos)
      << log;
  ASSERT_EQ(journal.entries().size(), 6u);  // the log itself is no change of the program's
  // The default value of a new key was never set: absent, not the empty text.
  EXPECT_FALSE(journal.entries()[1].change.before.present);
  EXPECT_EQ(service::UndoFileText(journal.entries()),
            "REGEDIT4\r\n\r\n"
            "[HKEY_CURRENT_USER\\Software\\S\\Gone]\r\n\"n\"=dword:040302AB\r\n"
            "\"cr\"=hex(1):61,0D,00\r\n\r\n"
            "[HKEY_CURRENT_USER\\Software\\S\\Gone\\Sub]\r\n\"x\"=\"y\"\r\n\r\n"
            "[HKEY_CURRENT_USER\\Software\\S]\r\n\"made\"=-\r\n\r\n"
            "[HKEY_CURRENT_USER\\Software\\S]\r\n\"text\"=\"a\\\"b\"\r\n\r\n"
            "[HKEY_CURRENT_USER\\Software\\S]\r\n\"bin\"=hex:AB,00\r\n\r\n"
            "[HKEY_CURRENT_USER\\Software\\Fresh\\Deep]\r\n@=-\r\n\r\n"
            "[-HKEY_CURRENT_USER\\Software\\Fresh]\r\n\r\n");
  EXPECT_EQ(journal.UndoAll(Answering(false)), 6);  // a question would be declined
  EXPECT_EQ(memory.Dump(), start);
}

// The journal on the main window: what the user does is recorded under the control's caption.
class JournalWindowTest : public test::MainWindowFixture {};

TEST_F(JournalWindowTest, RecordsTheUsersChangesUndoesTheTickedLinesSavesAndUndoesAll) {
  const std::string start = memory.Dump();
  Start();
  auto& box = Get<HCheckBox>(IDC_RESTRICTION_FIRST + 1);
  const int shown = box.Checked();
  box.Click();
  const std::size_t clicked = journal.entries().size();
  ASSERT_GE(clicked, 1u);
  auto& text = Get<HTextBox>(IDC_TEXT_SETTING_FIRST + 5);
  text.Type("Привет");
  text.Backspace();
  std::string caption;
  strings.Load(catalogue::kIdsTextCaption + 5, &caption);
  std::vector<std::string> targets;
  for (std::size_t i = clicked; i < journal.entries().size(); ++i) {
    const service::Entry& entry = journal.entries()[i];
    EXPECT_EQ(entry.cause, caption);
    if (entry.change.target == Target::kValue) targets.push_back(service::TargetText(entry.change));
  }
  // One entry per value however many keystrokes, holding the last text.
  std::sort(targets.begin(), targets.end());
  EXPECT_EQ(std::unique(targets.begin(), targets.end()), targets.end());
  EXPECT_NE(service::AfterText(journal.entries().back().change).find("Приве"), std::string::npos);

  const std::size_t made = journal.entries().size();
  std::vector<std::string> lines;
  toolkit.on_modal = [&](HWindow& w) {
    auto& list = *w.Get<HCheckList>(IDC_JOURNAL_LIST);
    lines = test::Items(list);
    for (int i = 0; i < list.Count(); ++i) {
      if (list.Item(i).find(box.Text()) != std::string::npos) list.ToggleCheck(i);
    }
    list.Choose(0);  // only the ticked lines go, not the selected one
    w.Get<HButton>(IDC_JOURNAL_UNDO)->Click();
  };
  Main().Command(IDM_SERVICE_JOURNAL);
  ASSERT_EQ(lines.size(), made);
  // Newest first: the typing comes before the click.
  EXPECT_NE(lines.back().find(box.Text()), std::string::npos);
  EXPECT_EQ(lines.front().find(box.Text()), std::string::npos);
  EXPECT_EQ(box.Checked(), shown);
  EXPECT_TRUE(messages.shown.empty());
  for (const service::Entry& entry : journal.entries()) {
    if (entry.typing && entry.change.target == Target::kValue) {
      EXPECT_TRUE(journal.Unchanged(entry)) << service::EntryLine(entry);  // not undone
    }
  }

  // The file saved is the user's, not a change of the session; "Отменить все" undoes the undo
  // too, and leaves no trace.
  const std::vector<service::Entry> before = journal.entries();
  const std::string saved = system.ProgramDirectory() + "\\undo.reg";
  chooser.next_choice = saved;
  toolkit.on_modal = [&](HWindow& w) {
    w.Get<HButton>(IDC_JOURNAL_SAVE)->Click();
    w.Get<HButton>(IDC_JOURNAL_UNDO_ALL)->Click();
    EXPECT_EQ(w.Get<HCheckList>(IDC_JOURNAL_LIST)->Count(), static_cast<int>(2 * before.size()));
  };
  Main().Command(IDM_SERVICE_JOURNAL);
  EXPECT_EQ(memory.Dump(), start);
  EXPECT_EQ(journal.entries().size(), 2 * before.size());
  EXPECT_EQ(system.ReadFile(saved), service::UndoFileText(before));
}

}  // namespace
}  // namespace vireo
