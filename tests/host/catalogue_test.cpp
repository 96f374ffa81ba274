// The settings catalogue as the host build sees it (generated from resources/strings.rc), and the
// resource-script reader that generates it.
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

#include "../../tools/rc_parse.h"
#include "catalogue_ids.h"
#include "controls/setting_entries.h"
#include "platform/host/catalogue_table.h"
#include "platform/host/memory_registry.h"
#include "platform/host/table_strings.h"
#include "registry/reg_access.h"
#include "service/launch_menus.h"
#include "service/setup_export.h"
#include "user_actions.h"

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
  return controls::SplitEntries(text, 100);
}

// Every registry path a setting names: the restrictions', each of the text settings' (split at
// "|"), the My Computer keys, the choices' and the checks' keys.
std::vector<std::string> CataloguePaths() {
  std::vector<std::string> paths;
  auto add = [&](int first, int count) {
    for (int id = first; id < first + count; ++id) {
      const auto parts = Split(Text(id));
      paths.insert(paths.end(), parts.begin(), parts.end());
    }
  };
  add(kIdsRestrictionPath + 1, kRestrictionCount);
  add(kIdsTextPath, kTextCount);
  add(kIdsMyComputerKey, kMyComputerCount);
  add(kIdsChoiceKey, kChoiceCount);
  add(kIdsCheckKey, kCheckCount);
  return paths;
}

int CountIds(int first, int last) {
  return static_cast<int>(
      std::count_if(kCatalogueEntries, kCatalogueEntries + kCatalogueEntryCount,
                    [&](const CatalogueEntry& e) { return e.id >= first && e.id <= last; }));
}

bool IsUpperHex(const std::string& s) {
  return !s.empty() && s.size() % 2 == 0 && s.find_first_not_of("0123456789ABCDEF") == s.npos;
}

// The arrays take their sizes from the number of entries of each block (catalogue_ids.h); the
// entries are the elements' own, one after the other from the first element.
TEST(Catalogue, EachBlockHoldsOneEntryPerElementAndNothingElse) {
  auto holds = [](std::initializer_list<int> bases, int first, int count) {
    for (const int base : bases) {
      EXPECT_EQ(CountIds(base + first, base + first + count - 1), CountIds(base, base + 999))
          << base;
    }
  };
  holds({kIdsRestrictionCaption, kIdsRestrictionPath}, 1, kRestrictionCount);
  holds({kIdsTextCaption, kIdsTextPath}, 0, kTextCount);
  holds({kIdsMyComputerCaption, kIdsMyComputerKey}, 0, kMyComputerCount);
  holds({kIdsChoiceCaption, kIdsChoiceValues, kIdsChoiceOptions, kIdsChoiceKey, kIdsChoiceType}, 0,
        kChoiceCount);
  holds({kIdsCheckKey, kIdsCheckValues, kIdsCheckDefault, kIdsCheckType, kIdsCheckCaption}, 0,
        kCheckCount);
  holds({kIdsProgramsMenu}, 1, service::kProgramCount);
  holds({kIdsAppletsMenu}, 1, service::kAppletCount);
}

TEST(Catalogue, PathsStartWithARootAndEntriesAreWellFormed) {
  // Elements 0 to 4 of the text settings rename a system folder under both of its class keys.
  for (int i = 0; i < kTextCount; ++i) {
    EXPECT_EQ(Split(Text(kIdsTextPath + i)).size(), i <= 4 ? 2u : 1u) << "txt " << i;
  }
  for (int i = 0; i < kMyComputerCount; ++i) EXPECT_EQ(Text(kIdsMyComputerKey + i).back(), '\\');
  for (const auto& path : CataloguePaths()) {
    EXPECT_NE(registry::RootKey(path.substr(0, path.find('\\'))), 0u) << path;
  }

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

// The list installed beside the program is well formed and names every value that a catalogue
// setting changes.
TEST(SaveregList, NamesEveryCataloguePath) {
  const std::string list = test::ReadWhole(VIREO_SOURCE_DIR "/resources/savereg.dat");
  platform::MemoryRegistry memory;
  std::string text;
  int error = 0;
  EXPECT_TRUE(service::ExportText(memory, list, &text, &error)) << "a malformed line";
  EXPECT_TRUE(list.ends_with("\r\n"));
  const std::vector<std::string> lines = service::ListLines(list);
  for (const std::string& path : CataloguePaths()) {
    // A path with an empty key component names, through HKCR, a value the list already names
    // through its HKLM path; as a key line it would be a key with an empty name.
    if (path.find("\\\\") != std::string::npos) continue;
    EXPECT_NE(std::find(lines.begin(), lines.end(), path), lines.end()) << path;
  }
}

// The reader of resource scripts that produces the host table refuses what it cannot read.
TEST(RcParse, RefusesWhatItCannotReadFaithfully) {
  const std::string head = "STRINGTABLE\nBEGIN\n";
  const std::pair<std::string, std::string> cases[] = {
      {head + "1, \"a\\\"b\"\nEND\n", "line 3: use \"\""},
      {head + "1, \"\\x41\"\nEND\n", "unsupported escape"},
      {head + "1, \"a\"\n2, \"b\"\n1, \"c\"\nEND\n", "line 5: string id 1 already given on line 3"},
      {head + "1, \"a\"\n", "without END"},
      {head + "65536, \"a\"\nEND\n", "out of range"},
      {"#if 0\n" + head + "END\n#endif\n", "line 1: unsupported preprocessor line"},
      {"#pragma code_page(1251)\n" + head + "END\n", "UTF-8"},
      {head + "1, \"\xD0\"\nEND\n", "not valid UTF-8"},
  };
  for (const auto& [script, message] : cases) {
    const auto result = rc::ParseStringTables(script);
    EXPECT_FALSE(result.ok()) << script;
    EXPECT_NE(result.error.find(message), std::string::npos) << result.error;
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
