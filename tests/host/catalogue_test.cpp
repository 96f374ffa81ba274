// The settings catalogue as the host build sees it (generated from resources/strings.rc), the
// stand-in lookup over it, and the resource-script reader that generates it.
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

#include "../../tools/rc_parse.h"
#include "catalogue_ids.h"
#include "platform/host/catalogue_table.h"
#include "platform/host/table_strings.h"

namespace vireo {
namespace {

using namespace catalogue;

std::string Text(int id) {
  static platform::TableStrings strings;
  std::string text;
  EXPECT_TRUE(strings.Load(id, &text)) << "missing id " << id;
  return text;
}

std::vector<std::string> Split(const std::string& text) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (true) {
    const auto bar = text.find('|', start);
    parts.push_back(text.substr(start, bar - start));
    if (bar == std::string::npos) return parts;
    start = bar + 1;
  }
}

int CountIds(int first, int last) {
  return static_cast<int>(
      std::count_if(kCatalogueEntries, kCatalogueEntries + kCatalogueEntryCount,
                    [&](const CatalogueEntry& e) { return e.id >= first && e.id <= last; }));
}

TEST(Catalogue, KeepsTheTextsThatLookLikeMistakes) {
  // Quotation marks that belong to the caption itself.
  EXPECT_EQ(Text(kIdsRestrictionCaption + 10), "\"Удаленное администрирование\"");
  EXPECT_EQ(Text(kIdsRestrictionCaption + 8), "Вкладки \"Эффекты\" и \"Настройка\"");
  EXPECT_EQ(Text(kIdsCheckCaption + 5), "Отображать \"Сеть\" в \"My Network Places\"");
  // The second path of txt 1 has two backslashes after HKCR; the first path has one.
  const auto printers = Split(Text(kIdsTextPath + 1));
  ASSERT_EQ(printers.size(), 2u);
  EXPECT_EQ(printers[0],
            "HKLM\\Software\\Classes\\CLSID\\{2227A280-3AEA-1069-A2DE-08002B30309D}\\");
  EXPECT_EQ(printers[1], "HKCR\\\\CLSID\\{2227A280-3AEA-1069-A2DE-08002B30309D}\\");
  // Two spellings of the same key, as the system itself has them.
  EXPECT_EQ(Text(kIdsCheckKey + 15),
            "HKCR\\AllFilesystemObjects\\shellex\\ContextMenuHandlers\\Copy To\\");
  EXPECT_EQ(Text(kIdsCheckKey + 16),
            "HKCR\\AllFilesystemObjects\\shellex\\ContextMenuHandlers\\Move To\\");
  EXPECT_EQ(Text(kIdsCheckKey + 17),
            "HKCR\\AllFileSystemObjects\\shellex\\ContextMenuHandlers\\Send To\\");
  // Exactly one trailing blank.
  EXPECT_EQ(Text(kIdsCheckCaption + 17), "Пункт \"Отправить в...\" ");
  EXPECT_EQ(Text(kIdsCheckValues + 13), "-|msshrui.dll");
  EXPECT_EQ(Text(kIdsMyComputerKey + 2),
            "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\explorer\\MyComputer\\NameSpace\\"
            "{BDEADF00-C265-11d0-BCED-00A0C90AB50F}\\");
}

TEST(Catalogue, EachBlockHoldsOneEntryPerElementAndNothingElse) {
  auto holds = [](std::initializer_list<int> bases, int first, int count) {
    for (const int base : bases) {
      EXPECT_EQ(CountIds(base, base + 999), count) << base;
      EXPECT_EQ(CountIds(base + first, base + first + count - 1), count) << base;
    }
  };
  holds({kIdsRestrictionCaption, kIdsRestrictionPath}, 1, kRestrictionCount);
  holds({kIdsTextCaption, kIdsTextPath}, 0, kTextCount);
  holds({kIdsMyComputerCaption, kIdsMyComputerKey}, 0, kMyComputerCount);
  holds({kIdsChoiceCaption, kIdsChoiceValues, kIdsChoiceOptions, kIdsChoiceKey, kIdsChoiceType}, 0,
        kChoiceCount);
  holds({kIdsCheckKey, kIdsCheckValues, kIdsCheckDefault, kIdsCheckType, kIdsCheckCaption}, 0,
        kCheckCount);
  // The launch menus add their own entries later; none of them belongs here.
  EXPECT_EQ(CountIds(kIdsProgramsMenu, kIdsAppletsMenu + 999), 0);
}

TEST(Catalogue, RegistryPathsStartWithARootAbbreviation) {
  std::vector<std::string> paths;
  for (int i = 1; i <= kRestrictionCount; ++i) paths.push_back(Text(kIdsRestrictionPath + i));
  for (int i = 0; i < kTextCount; ++i) {
    const auto parts = Split(Text(kIdsTextPath + i));
    // Elements 0 to 4 rename a system folder under both of its class keys.
    EXPECT_EQ(parts.size(), i <= 4 ? 2u : 1u) << "txt " << i;
    paths.insert(paths.end(), parts.begin(), parts.end());
  }
  for (int i = 0; i < kMyComputerCount; ++i) {
    const auto key = Text(kIdsMyComputerKey + i);
    EXPECT_EQ(key.back(), '\\') << key;
    paths.push_back(key);
  }
  paths.push_back(Text(kIdsChoiceKey));
  for (int i = 0; i < kCheckCount; ++i) paths.push_back(Text(kIdsCheckKey + i));

  const std::string roots[] = {"HKCR\\", "HKCU\\", "HKLM\\", "HKU\\", "HKCC\\", "HKDD\\", "HKPD\\"};
  for (const auto& path : paths) {
    EXPECT_TRUE(std::any_of(std::begin(roots), std::end(roots), [&](const std::string& root) {
      return path.starts_with(root);
    })) << path;
  }
}

// Hexadecimal text of whole bytes, as binary entries must be.
bool IsUpperHex(const std::string& s) {
  return !s.empty() && s.size() % 2 == 0 && s.find_first_not_of("0123456789ABCDEF") == s.npos;
}

TEST(Catalogue, SettingEntriesAreWellFormed) {
  for (int i = 0; i < kCheckCount; ++i) {
    SCOPED_TRACE(i);
    const auto type = Text(kIdsCheckType + i);
    ASSERT_TRUE(type == "1" || type == "3" || type == "4") << type;
    const auto def = Text(kIdsCheckDefault + i);
    EXPECT_TRUE(def == "0" || def == "1") << def;
    const auto pair = Split(Text(kIdsCheckValues + i));
    ASSERT_EQ(pair.size(), 2u);
    EXPECT_NE(pair[0], pair[1]);
    for (const auto& entry : pair) {
      const bool number = entry.find_first_not_of("0123456789") == entry.npos;
      EXPECT_TRUE(entry == "-" || type == "1" || (type == "3" ? IsUpperHex(entry) : number))
          << entry;
    }
  }
  EXPECT_EQ(Text(kIdsChoiceType), "3");
  const auto values = Split(Text(kIdsChoiceValues));
  EXPECT_EQ(values.size(), Split(Text(kIdsChoiceOptions)).size());
  for (const auto& v : values) EXPECT_TRUE(IsUpperHex(v)) << v;
}

TEST(TableStrings, LooksUpChangesAndLosesEntries) {
  const CatalogueEntry entries[] = {{1, "one"}, {5, "five"}, {7, ""}};
  platform::TableStrings strings(entries);
  std::string text = "untouched";
  // An empty text is as good as missing, as in the compiled table.
  EXPECT_FALSE(strings.Load(2, &text));
  EXPECT_FALSE(strings.Load(7, &text));
  EXPECT_EQ(text, "untouched");
  strings.Set(5, "FIVE");
  strings.Remove(1);
  EXPECT_TRUE(strings.Load(5, &text));
  EXPECT_EQ(text, "FIVE");
  EXPECT_FALSE(strings.Load(1, &text));

  // The default is the program's catalogue; changing one stand-in leaves the others alone.
  platform::TableStrings program;
  program.Remove(kIdsCheckCaption);
  EXPECT_FALSE(program.Load(kIdsCheckCaption, &text));
  EXPECT_EQ(Text(kIdsCheckCaption), "Показывать всплывающие подсказки");
}

// The reader of resource scripts that produces the host table.

using rc::ParseStringTables;

std::string OnlyText(const std::string& quoted) {
  const auto result = ParseStringTables("STRINGTABLE\nBEGIN\n  1, " + quoted + "\nEND\n");
  EXPECT_TRUE(result.ok()) << result.error;
  return result.ok() && result.entries.size() == 1 ? result.entries[0].text : "<failed>";
}

TEST(RcParse, UnescapesAsTheResourceCompilerDoes) {
  EXPECT_EQ(OnlyText(R"("""quoted""")"), "\"quoted\"");
  EXPECT_EQ(OnlyText(R"("a ""b"" c")"), "a \"b\" c");
  EXPECT_EQ(OnlyText(R"("HKCR\\CLSID\\")"), "HKCR\\CLSID\\");
  EXPECT_EQ(OnlyText(R"("HKCR\\\\CLSID")"), "HKCR\\\\CLSID");
  EXPECT_EQ(OnlyText(R"("a\tb\nc\rd")"), "a\tb\nc\rd");
  EXPECT_EQ(OnlyText(R"("trailing ")"), "trailing ");
  EXPECT_EQ(OnlyText(R"("joined " "across" "")"), "joined across");
  EXPECT_EQ(OnlyText("\"Имя\""), "Имя");
}

TEST(RcParse, ReadsEveryFormOfEntry) {
  const auto result = ParseStringTables(
      "#pragma code_page(65001)\n"
      "#include \"other.rc\"\n"
      "// 9, \"commented out\"\n"
      "LANGUAGE 25, 1\n"
      "stringtable discardable\n"
      "{\n"
      "  1001, \"comma\" // trailing comment\n"
      "  1002 \"no comma\"\n"
      "  /* 1003, \"hidden\" */\n"
      "  1004,\n"
      "    \"next line\"\n"
      "}\n"
      "STRINGTABLE\r\nBEGIN\r\n  2, \"second table\"\r\nEND\r\n");
  ASSERT_TRUE(result.ok()) << result.error;
  ASSERT_EQ(result.entries.size(), 4u);
  EXPECT_EQ(result.entries[0].id, 1001);
  EXPECT_EQ(result.entries[1].text, "no comma");
  EXPECT_EQ(result.entries[2].id, 1004);
  EXPECT_EQ(result.entries[2].text, "next line");
  EXPECT_EQ(result.entries[2].line, 10);
  EXPECT_EQ(result.entries[3].text, "second table");
}

TEST(RcParse, RefusesWhatItCannotReadFaithfully) {
  const std::string head = "STRINGTABLE\nBEGIN\n";
  const struct {
    std::string script;
    std::string message;
  } cases[] = {
      {head + "1, \"a\\\"b\"\nEND\n", "line 3: use \"\""},
      {head + "1, \"\\x41\"\nEND\n", "unsupported escape"},
      {head + "1, \"open\nEND\n", "line 3: unterminated string"},
      {head + "1, \"a\"\n2, \"b\"\n1, \"c\"\nEND\n", "line 5: string id 1 already given on line 3"},
      {head + "1, \"a\"\n", "without END"},
      {"STRINGTABLE\n1, \"a\"\nEND\n", "without BEGIN"},
      {"STRNGTABLE\nBEGIN\nEND\n", "expected STRINGTABLE"},
      {head + "IDS_NAME, \"a\"\nEND\n", "expected a string id"},
      {head + "0x10, \"a\"\nEND\n", "bad string id"},
      {head + "65536, \"a\"\nEND\n", "out of range"},
      {head + "1,\nEND\n", "expected a quoted string"},
      {head + "1, \"\"\nEND\n", "empty string"},
      {"#if 0\n" + head + "END\n#endif\n", "line 1: unsupported preprocessor line"},
      {"#pragma code_page(1251)\n" + head + "END\n", "UTF-8"},
      {head + "1, \"\xD0\"\nEND\n", "not valid UTF-8"},
      {head + "/* 1, \"a\"\nEND\n", "unterminated /* comment"},
  };
  for (const auto& c : cases) {
    const auto result = ParseStringTables(c.script);
    EXPECT_FALSE(result.ok()) << c.script;
    EXPECT_NE(result.error.find(c.message), std::string::npos) << result.error;
  }
}

TEST(RcParse, WritesPlainAsciiLiteralsThatKeepEveryByte) {
  // Octal escapes are three digits long, so the digit after one stays a character of its own.
  EXPECT_EQ(rc::ToCppLiteral("\xD0\x98"
                             "1"),
            R"("\320\2301")");
  EXPECT_EQ(rc::ToCppLiteral("a\"b\\c?"
                             "?=d\te"),
            R"("a\"b\\c\?\?=d\011e")");
}

}  // namespace
}  // namespace vireo
