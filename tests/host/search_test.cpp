// "Найти параметр...": what a query finds (every word, letter case folded in code page 1251, a
// path with either form of its root), that every control with a tooltip can be found, and that
// a jump brings the page, the item and the focus without writing anything.
#include <gtest/gtest.h>

#include <set>

#include "fixture.h"
#include "main/control_panel_page.h"
#include "main/search_window.h"
#include "main/setting_search.h"

namespace vireo {
namespace {

class SearchTest : public test::MainWindowFixture {
 protected:
  // The controls (by id) of the findings of `query`, one per finding.
  std::vector<int> Found(const std::string& query) {
    const main::SettingIndex index(window->Bindings());
    std::vector<int> ids;
    for (int i : index.Match(query)) {
      const auto& binding = index.binding(index.at(i));
      ids.push_back(dynamic_cast<ui::headless::Node*>(binding.control)->id());
    }
    return ids;
  }
  // The user opens the search, types `text`, presses Down `down` times and then Enter.
  void Search(const std::string& text, int down = 0) {
    toolkit.on_modal = [text, down](HWindow& w) {
      auto* box = w.Get<HTextBox>(IDC_SEARCH_TEXT);
      box->Replace(text);
      for (int i = 0; i < down; ++i) box->Arrow(1);
      w.PressEnter();
    };
    Main().Command(IDM_FILE_FIND);
  }
};

TEST(SettingSearch, EveryWordMatchesWithoutRegardToCase) {
  ui::headless::HeadlessToolkit toolkit;
  auto window = toolkit.CreateTopWindow({});
  auto frame = toolkit.CreateFrame(*window, {.text = "\xd0\xe0\xe1\xee\xf7\xe8\xe9"});  // Рабочий
  auto box = toolkit.CreateCheckBox(*window, {.text = "\xd1\xea\xf0\xfb\xf2\xfc \xc4\xe8\xf1\xea"});
  const std::string path = "HKCU\\Software\\Policies\\Explorer\\NoDrives";
  main::SettingIndex index({{.control = box.get(),
                             .caption = box.get(),
                             .frame = frame.get(),
                             .paths = [path](int) { return std::vector<std::string>{path}; },
                             .page = 0}});
  const std::pair<const char*, bool> queries[] = {
      {"\xd1\xca\xd0\xdb\xd2\xdc", true},                // СКРЫТЬ: the caption
      {"\xe4\xc8\xf1\xca  \xf0\xe0\xc1\xce\xd7", true},  // дИсК рАБОЧ: caption and frame
      {"\xe4\xe8\xf1\xea \xf4\xe0\xe9\xeb", false},      // диск файл: one word missing
      {"hkey_current_user\\software\\policies\\explorer\\nodrives", true},
      {"HKCU\\SOFTWARE\\POLICIES", true},
      {"HKEY_LOCAL_MACHINE\\Software\\Policies", false},
      {"", true},
  };
  for (const auto& [query, found] : queries) {
    EXPECT_EQ(index.Match(query).size(), found ? 1u : 0u) << query;
  }
}

TEST_F(SearchTest, EveryControlWithATooltipIsFoundAndPathsFindTheirControl) {
  Start();
  Settle();
  std::set<int> indexed;
  for (int id : Found("")) indexed.insert(id);
  std::vector<ui::headless::Node*> walk = {&Main()};
  int with_tooltip = 0;
  while (!walk.empty()) {
    ui::headless::Node* node = walk.back();
    walk.pop_back();
    walk.insert(walk.end(), node->children().begin(), node->children().end());
    if (!node->HasTooltip()) continue;
    ++with_tooltip;
    EXPECT_TRUE(indexed.count(node->id())) << "control " << node->id() << " cannot be found";
  }
  EXPECT_GT(with_tooltip, 80);
  // A list is found item by item; a path finds its control in either root form.
  const std::vector<int> applets(main::kAppletCount, IDC_APPLETS_LIST);
  EXPECT_EQ(Found("control.ini Don't"), applets);
  const std::string devices = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";
  EXPECT_EQ(Found("HKCU" + devices + "\\NoDevMgrPage"), std::vector{IDC_RESTRICTION_FIRST + 1});
  EXPECT_EQ(Found("HKEY_CURRENT_USER" + devices + "\\NoDevMgrPage"),
            std::vector{IDC_RESTRICTION_FIRST + 1});
  EXPECT_EQ(Found("HKCR\\.lnk NeverShowExt").size(), 1u);
  // Words only the help's text gives: its section tells of the controls its heading names.
  // (The second box is found by its caption's other letter case there, which only code page
  // 1251 folds: here the texts are UTF-8.)
  EXPECT_EQ(Found("OpenAs_RunDLL"), std::vector{IDC_QUICK_VIEW});
  const std::vector<int> pictures = Found("Paint.Picture курсоры");
  EXPECT_EQ(pictures, std::vector<int>(pictures.size(), IDC_ICON_FILES_LIST));
  EXPECT_GT(pictures.size(), 1u);
  // The applets' section names every applet's file: the item that is the file comes alone.
  EXPECT_EQ(Found("JOY.CPL"), std::vector{IDC_APPLETS_LIST});
}

TEST_F(SearchTest, AJumpBringsThePageTheItemAndTheFocusAndWritesNothing) {
  Start();
  Settle();
  const std::uint64_t before = memory.Fingerprint();
  Search("HKEY_CLASSES_ROOT\\dllfile\\DefaultIcon");
  auto& icons = Get<HCheckList>(IDC_ICON_FILES_LIST);
  EXPECT_EQ(Main().FindId(IDC_PAGE_FIRST + static_cast<int>(main::PageId::kFiles))->ZIndex(), 0);
  EXPECT_EQ(icons.Selection(), 2);  // DLL
  EXPECT_TRUE(icons.focused());
  auto* frame = Main().FindId(IDC_ICON_FILES_LIST)->parent();
  const std::string caption = frame->text();
  EXPECT_EQ(caption.rfind("» ", 0), 0u) << caption;
  toolkit.TimerOf(Main())->Fire();
  EXPECT_EQ(frame->text().find("»"), std::string::npos);
  // Down in the text moves the list's current line; F3 goes on to the next drive.
  Search("NoDrives", 2);
  auto& drives = Get<HCheckList>(IDC_DRIVES_LIST);
  EXPECT_EQ(drives.Selection(), 2);
  Main().Command(IDM_FILE_FIND_NEXT);
  EXPECT_EQ(drives.Selection(), 3);
  EXPECT_TRUE(drives.focused());
  EXPECT_EQ(memory.Fingerprint(), before);
  EXPECT_EQ(Writes(), 0u);
}

}  // namespace
}  // namespace vireo
