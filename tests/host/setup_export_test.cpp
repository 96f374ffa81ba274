// The user-setup export ("Setup.reg" from the list "savereg.dat") and its merge: the exact bytes
// of the file, what stays untouched when the export fails or the user says No, and how the file is
// handed to the registry editor.
#include <gtest/gtest.h>

#include "fixture.h"
#include "platform/host/regedit4.h"
#include "service/setup_export.h"
#include "user_actions.h"

namespace vireo {
namespace {

using platform::Answer;
using platform::MessageStyle;
using namespace std::string_literals;

// What the export of `list` gives: the text of the file, or "error N" and the text it was given.
std::string Exported(platform::Registry& registry, const std::string& list) {
  std::string text = "untouched";
  int error = 0;
  if (service::ExportText(registry, list, &text, &error)) return text;
  return "error " + std::to_string(error) + " " + text;
}

class SetupExportTest : public test::Fixture {
 protected:
  std::string Dir() { return system.ProgramDirectory(); }
  void WriteList(const std::string& text) { system.WriteFile(Dir() + "\\savereg.dat", text); }
  std::string SetupText() { return system.ReadFile(Dir() + "\\Setup.reg"); }
  // Export with the answer Yes.
  void Export() {
    messages.answers = {Answer::kYes};
    service::ExportSetup(platform, 7);
  }
  // The files of the program directory with their bytes, but the list.
  std::map<std::string, std::string> Files() {
    return test::FileTree(platform::HostPath(Dir()), service::kListFile);
  }
  std::string LastMessage() { return messages.shown.empty() ? "" : messages.shown.back().text; }
};

TEST_F(SetupExportTest, WorkedRecordsInListOrder) {
  memory.PutText(kCurrentUser, "Control Panel\\Desktop\\WindowMetrics", "Shell Icon Size", "32");
  memory.PutText(kClassesRoot, "Paint.Picture\\DefaultIcon", "", "C:\\PBRUSH.EXE,1");
  memory.Put(kCurrentUser, "Software\\Bin", "NoDrives", platform::kRegBinary, {0x01, 0xAB, 0x00});
  WriteList(
      "HKCU\\Control Panel\\Desktop\\WindowMetrics\\Shell Icon Size\r\n"
      "HKCR\\Paint.Picture\\DefaultIcon\\\r\n"
      "HKCU\\Software\\Bin\\NoDrives\r\n"
      "HKCU\\Software\\Bin\\Missing\r\n");
  Export();
  EXPECT_EQ(SetupText(),
            "REGEDIT4\r\n"
            "[HKEY_CURRENT_USER\\Control Panel\\Desktop\\WindowMetrics]\r\n"
            "\"Shell Icon Size\"=\"32\"\r\n"
            "[HKEY_CLASSES_ROOT\\Paint.Picture\\DefaultIcon]\r\n"
            "@=\"C:\\\\PBRUSH.EXE,1\"\r\n"
            "[HKEY_CURRENT_USER\\Software\\Bin]\r\n"
            "\"NoDrives\"=hex:01,AB,00\r\n"
            "[HKEY_CURRENT_USER\\Software\\Bin]\r\n"
            "\r\n\r\n");
  // The question came first, and nothing else was shown.
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].style, MessageStyle::kQuestionYesNo);
  EXPECT_EQ(messages.shown[0].owner, 7u);
  EXPECT_EQ(Writes(), 0u);
}

// Each case: what is stored under HKCU\T (name "v"), the list line, the records expected.
TEST(SetupExportRecords, ValuesRootsAndEdgeCases) {
  struct Case {
    std::uint32_t type;
    std::string data, line, records;
  };
  const Case cases[] = {
      {4, "\0\0\0\x80"s, "HKCU\\T\\v", "[HKEY_CURRENT_USER\\T]\r\n\"v\"=dword:80000000\r\n"},
      {4, "\0\0\0\0"s, "HKCU\\T\\v", "[HKEY_CURRENT_USER\\T]\r\n\"v\"=dword:00000000\r\n"},
      {1, "", "HKCU\\T\\v", "[HKEY_CURRENT_USER\\T]\r\n\"v\"=\"\"\r\n"},
      {3, "", "HKCU\\T\\v", "[HKEY_CURRENT_USER\\T]\r\n\"v\"=hex:\r\n"},
      // A string ends at its first NUL; control characters other than CR and LF stay as they are.
      {1, "a\\b\"c\td\0e"s, "HKCU\\T\\v", "[HKEY_CURRENT_USER\\T]\r\n\"v\"=\"a\\\\b\\\"c\td\"\r\n"},
      // Line breaks cannot stand on the value's line: the string goes as a string type in bytes.
      {1, "A\rB", "HKCU\\T\\v", "[HKEY_CURRENT_USER\\T]\r\n\"v\"=hex(1):41,0D,42,00\r\n"},
      {1, "\n", "HKCU\\T\\v", "[HKEY_CURRENT_USER\\T]\r\n\"v\"=hex(1):0A,00\r\n"},
      {2, "%windir%", "HKCU\\T\\v", "[HKEY_CURRENT_USER\\T]\r\n"},
      {7, "a\0b\0\0"s, "HKCU\\T\\v", "[HKEY_CURRENT_USER\\T]\r\n"},
      // Roots other than the seven short forms are written as they stand, and find nothing.
      {1, "x", "hkcu\\T\\v", "[hkcu\\T]\r\n"},
      {1, "x", "HKEY_CURRENT_USER\\T\\v", "[HKEY_CURRENT_USER\\T]\r\n"},
      {1, "x", "HKLM\\T\\v", "[HKEY_LOCAL_MACHINE\\T]\r\n"},
      {1, "x", "HKU\\T\\v", "[HKEY_USERS\\T]\r\n"},
      // The same key twice: two records, not merged.
      {1, "x", "HKCU\\T\\v\r\nHKCU\\T\\v",
       "[HKEY_CURRENT_USER\\T]\r\n\"v\"=\"x\"\r\n[HKEY_CURRENT_USER\\T]\r\n\"v\"=\"x\"\r\n"},
      // A last line without its line end still counts.
      {1, "x", "HKCU\\T\\v\r\nHKCU\\T\\w",
       "[HKEY_CURRENT_USER\\T]\r\n\"v\"=\"x\"\r\n[HKEY_CURRENT_USER\\T]\r\n"},
  };
  for (const Case& c : cases) {
    platform::MemoryRegistry memory;
    memory.Put(kCurrentUser, "T", "v", c.type, {c.data.begin(), c.data.end()});
    EXPECT_EQ(Exported(memory, c.line + "\r\n"), "REGEDIT4\r\n" + c.records + "\r\n\r\n") << c.line;
  }
}

TEST(SetupExportRecords, NamesAreEscapedLikeStrings) {
  platform::MemoryRegistry memory;
  memory.PutText(kCurrentUser, "T", "say \"hi\" \\o/", "1");
  memory.PutText(kCurrentUser, "T", "\xc8\xec\xff", "\xc4\xe0");  // code page 1251 letters
  // The name after the last backslash of a line cannot hold one itself.
  EXPECT_EQ(Exported(memory, "HKCU\\T\\say \"hi\" \\o/\r\nHKCU\\T\\\xc8\xec\xff\r\n"),
            "REGEDIT4\r\n[HKEY_CURRENT_USER\\T\\say \"hi\" ]\r\n"
            "[HKEY_CURRENT_USER\\T]\r\n\"\xc8\xec\xff\"=\"\xc4\xe0\"\r\n\r\n\r\n");
  // A name with a backslash or a line break, as the record writer gets it.
  const service::ListLine line{"HKCU", "T", "a\\b \"c\"\r\n"};
  EXPECT_EQ(service::Record(line, "\"1\""),
            "[HKEY_CURRENT_USER\\T]\r\n\"a\\\\b \\\"c\\\"\\r\\n\"=\"1\"\r\n");
}

// What the export writes, loaded by the strict REGEDIT4 reader, gives back the registry it was
// written from: quotes, backslashes and line breaks in names and strings, binary data with and
// without bytes, a number with the high bit set, code page 1251 letters, a key's default value,
// and a missing value's key line.
TEST(SetupExportRecords, TheStrictReaderLoadsBackEveryValue) {
  platform::MemoryRegistry memory, loaded;
  const std::string text = "x\\\"y\r\nz\0"s,
                    letters = "\xc4\xe0\r\0"s;  // as the reader stores them
  memory.Put(kCurrentUser, "T\\U", "a \"q\" \r b", platform::kRegSz, {text.begin(), text.end()});
  memory.Put(kCurrentUser, "T", "bin", 3, {0x00, 0xAB, 0x0D, 0xFF});
  memory.Put(kCurrentUser, "T", "none", 3, {});
  memory.PutNumber(platform::kLocalMachine, "", "n", -2);
  memory.Put(kClassesRoot, "\xc8", "", platform::kRegSz, {letters.begin(), letters.end()});
  const std::string exported =
      Exported(memory,
               "HKCU\\T\\U\\a \"q\" \r b\r\nHKCU\\T\\bin\nHKCU\\T\\none\r\nHKLM\\\\n\r\n"
               "HKCR\\\xc8\\\r\nHKCU\\T\\missing");
  std::string why;
  ASSERT_TRUE(platform::LoadRegedit4(loaded, exported, &why)) << why << "\n" << exported;
  EXPECT_EQ(loaded.Dump(), memory.Dump());
}

TEST(SetupExportRecords, EmptyListAndMalformedLines) {
  platform::MemoryRegistry memory;
  EXPECT_EQ(Exported(memory, ""), "REGEDIT4\r\n\r\n\r\n");
  for (const char* list : {"HKCU\\T\\v\r\n\r\nHKCU\\T\\w\r\n", "HKCU\\NoKey\r\n", "HKCU\r\n"}) {
    EXPECT_EQ(Exported(memory, list),
              "error " + std::to_string(service::kMalformedLine) + " untouched")
        << list;
  }
}

TEST_F(SetupExportTest, MissingListAndNoLeaveEveryFileAsItWas) {
  Export();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].style, MessageStyle::kCriticalOk);
  EXPECT_EQ(messages.shown[0].title, platform::kMessageTitle);
  EXPECT_EQ(LastMessage(), service::kMissingList);
  EXPECT_EQ(Files().count(service::kSetupFile), 0u);

  WriteList("HKCU\\T\\v\r\n");
  system.WriteFile(Dir() + "\\Setup.reg", "old");
  messages.answers = {Answer::kNo};
  service::ExportSetup(platform, 0);
  EXPECT_EQ(LastMessage(), service::kAskExport);
  EXPECT_EQ(SetupText(), "old");
}

TEST_F(SetupExportTest, FailuresKeepThePreviousFileWholeAndLeaveNoTemporaryFile) {
  system.WriteFile(Dir() + "\\Setup.reg", "REGEDIT4\r\nprevious\r\n");
  memory.PutText(kCurrentUser, "T", "v", "x");

  // A malformed line in the middle: the records before it are not written over the old file.
  WriteList("HKCU\\T\\v\r\n\r\nHKCU\\T\\v\r\n");
  auto before = Files();
  Export();
  EXPECT_EQ(LastMessage(), service::FailureText(service::kMalformedLine));
  EXPECT_EQ(messages.shown.back().style, MessageStyle::kCriticalOk);
  EXPECT_EQ(Files(), before);

  // The disk fills up while the new file is written.
  WriteList("HKCU\\T\\v\r\n");
  files.fail_after_bytes = 12;
  Export();
  EXPECT_EQ(LastMessage(), service::FailureText(service::kSetupUnwritable));
  EXPECT_EQ(Files(), before);

  // The list cannot be read.
  files.fail_after_bytes = -1;
  files.fail = true;
  Export();
  EXPECT_EQ(LastMessage(), service::FailureText(service::kListUnreadable));
  EXPECT_EQ(Files(), before);

  // Once it can be written, a second export replaces the file entirely.
  files.fail = false;
  const std::size_t shown = messages.shown.size();
  Export();
  EXPECT_EQ(messages.shown.size(), shown + 1);  // the question only
  before[service::kSetupFile] = "REGEDIT4\r\n[HKEY_CURRENT_USER\\T]\r\n\"v\"=\"x\"\r\n\r\n\r\n";
  EXPECT_EQ(Files(), before);
}

TEST_F(SetupExportTest, RestoreHandsTheFileOverAndFallsBackToTheRegistryEditor) {
  service::RestoreSetup(platform, 3);
  EXPECT_EQ(LastMessage(), service::kMissingSetup);
  EXPECT_TRUE(shell.calls.empty());

  system.WriteFile(Dir() + "\\Setup.reg", "REGEDIT4\r\n");
  messages.answers = {Answer::kNo};
  service::RestoreSetup(platform, 3);
  EXPECT_EQ(LastMessage(), service::kAskRestore);
  EXPECT_EQ(messages.shown.back().style, MessageStyle::kQuestionYesNo);
  EXPECT_TRUE(shell.calls.empty());

  const std::string setup = Dir() + "\\setup.reg", opened = "open open|" + setup + "|1";
  messages.answers = {Answer::kYes};
  service::RestoreSetup(platform, 3);
  EXPECT_EQ(ShellCalls(), std::vector<std::string>{opened});

  // No program opens registry files: the registry editor merges it, both paths quoted.
  shell.opens = false;
  messages.answers = {Answer::kYes};
  service::RestoreSetup(platform, 3);
  EXPECT_EQ(ShellCalls(), (std::vector<std::string>{opened, opened,
                                                    "start|\"" + system.WindowsDirectory() +
                                                        "\\regedit.exe\" \"" + setup + "\"|1"}));
  EXPECT_EQ(Writes(), 0u);
}

}  // namespace
}  // namespace vireo
