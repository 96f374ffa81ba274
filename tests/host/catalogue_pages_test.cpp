// The catalogue-bound arrays on the main window: what start-up and refresh show, and what the
// user's changes write.
#include <gtest/gtest.h>

#include "fixture.h"
#include "main/main_window.h"
#include "resource.h"

namespace vireo {
namespace {

using platform::kClassesRoot;
using platform::kCurrentUser;
using platform::kLocalMachine;
using ui::headless::HCheckBox;
using ui::headless::HDropDown;
using ui::headless::HTextBox;
using ui::headless::Kind;

constexpr char kSystemPolicies[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";
constexpr char kWebFolders[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\explorer\\MyComputer\\NameSpace\\"
    "{BDEADF00-C265-11d0-BCED-00A0C90AB50F}";
constexpr char kRecycleBin[] = "CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}";

class CataloguePagesTest : public test::Fixture {
 protected:
  void Start() {
    window = std::make_unique<main::MainWindow>(platform, toolkit);
    ASSERT_TRUE(window->Load());
    window->Show();
  }
  ui::headless::Node& Main() { return *toolkit.FindWindow("Vireo"); }
  HCheckBox& Box(const std::string& caption) {
    auto* node = Main().Find(Kind::kCheckBox, caption);
    EXPECT_NE(node, nullptr) << caption;
    return *dynamic_cast<HCheckBox*>(node);
  }
  // The text box of the text setting txt(i).
  HTextBox& Txt(int i) {
    auto* box = Main().Get<HTextBox>(IDC_TXT_FIRST + i);
    EXPECT_NE(box, nullptr) << i;
    return *box;
  }
  std::string TextValue(platform::HKey root, const std::string& key, const std::string& name) {
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
    if (!memory.Get(root, key, name, &type, &data)) return "<none>";
    return std::string(data.begin(), data.end());
  }

  std::unique_ptr<main::MainWindow> window;
};

TEST_F(CataloguePagesTest, StartUpAndRefreshOnlyRead) {
  // A registry on which a start-up that ran the handlers would write: a Default 1 setting
  // whose value matches neither entry, a present-but-not-1 restriction value, an existing My
  // Computer key with a default value, non-empty text settings, a matching choice.
  memory.PutNumber(kCurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Network",
                   "NoEntireNetwork", 7);
  memory.PutNumber(kCurrentUser, kSystemPolicies, "NoDevMgrPage", 0);
  memory.PutText(kLocalMachine, kWebFolders, "", "Web Folders");
  memory.PutText(kLocalMachine, std::string("Software\\Classes\\") + kRecycleBin, "", "Корзина");
  memory.Put(kClassesRoot, std::string(kRecycleBin) + "\\ShellFolder", "Attributes", 3,
             {0x60, 0x01, 0x00, 0x20});
  memory.PutText(kClassesRoot, "exefile", "", "Приложение");

  Start();
  EXPECT_EQ(Writes(), 0u);
  EXPECT_EQ(memory.open_handles(), 0u);

  EXPECT_EQ(Box("Отображать \"Сеть\" в \"My Network Places\"").Checked(), 1);
  EXPECT_EQ(Box("Вкладка \"Устройства\"").Checked(), 1);
  EXPECT_EQ(Box("Отображать \"Web Folders\"").Checked(), 1);
  EXPECT_EQ(Txt(0).Text(), "Корзина");
  EXPECT_EQ(Txt(14).Text(), "Приложение");
  auto* choice = Main().Get<HDropDown>(IDC_OPT_FIRST);
  ASSERT_NE(choice, nullptr);
  EXPECT_EQ(choice->Item(choice->Selection()), "Только удалить");

  const auto reads = counting.total();
  dynamic_cast<ui::headless::HWindow&>(Main()).Command(IDM_FILE_REFRESH);
  EXPECT_EQ(Writes(), 0u);
  EXPECT_GT(counting.total(), reads);
  EXPECT_EQ(TextValue(kLocalMachine, kWebFolders, ""), "Web Folders");
  EXPECT_EQ(TextValue(kClassesRoot, kRecycleBin, ""), "Корзина");  // HKCR is Software\\Classes
}

TEST_F(CataloguePagesTest, RestrictionBoxShowsAndWritesTheRestrictionValue) {
  const std::string caption = "Вкладка \"Устройства\"";
  // Absent: ticked. The number 1 or the text "1": cleared. Anything else: ticked.
  Start();
  EXPECT_EQ(Box(caption).Checked(), 1);
  struct Case {
    std::uint32_t type;
    std::vector<std::uint8_t> data;
    int shown;
  } cases[] = {
      {4, {1, 0, 0, 0}, 0}, {1, {'1'}, 0}, {4, {0, 0, 0, 0}, 1},
      {4, {2, 0, 0, 0}, 1}, {1, {'x'}, 1}, {3, {1, 0, 0, 0}, 1},
  };
  auto& main = dynamic_cast<ui::headless::HWindow&>(Main());
  for (const Case& c : cases) {
    memory.Put(kCurrentUser, kSystemPolicies, "NoDevMgrPage", c.type, c.data);
    main.Command(IDM_FILE_REFRESH);
    EXPECT_EQ(Box(caption).Checked(), c.shown) << c.type;
  }

  // Clearing writes the 32-bit number 1; ticking deletes the value.
  memory.Put(kCurrentUser, kSystemPolicies, "NoDevMgrPage", 4, {0, 0, 0, 0});
  main.Command(IDM_FILE_REFRESH);
  Box(caption).Click();
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;
  ASSERT_TRUE(memory.Get(kCurrentUser, kSystemPolicies, "NoDevMgrPage", &type, &data));
  EXPECT_EQ(type, 4u);
  EXPECT_EQ(data, (std::vector<std::uint8_t>{1, 0, 0, 0}));
  Box(caption).Click();
  EXPECT_FALSE(memory.Get(kCurrentUser, kSystemPolicies, "NoDevMgrPage", &type, &data));
  EXPECT_TRUE(memory.Exists(kCurrentUser, kSystemPolicies));
}

TEST_F(CataloguePagesTest, RefreshShowsAnOutsideWrite) {
  Start();
  EXPECT_EQ(Box("\"Смена паролей\"").Checked(), 1);
  memory.PutNumber(kCurrentUser, kSystemPolicies, "NoPwdPage", 1);
  EXPECT_EQ(Box("\"Смена паролей\"").Checked(), 1);
  dynamic_cast<ui::headless::HWindow&>(Main()).Command(IDM_FILE_REFRESH);
  EXPECT_EQ(Box("\"Смена паролей\"").Checked(), 0);
}

TEST_F(CataloguePagesTest, MyComputerBoxCreatesAndDeletesTheNameSpaceKey) {
  memory.PutText(kLocalMachine, std::string(kWebFolders) + "\\Sub", "x", "below");
  Start();
  HCheckBox& box = Box("Отображать \"Web Folders\"");
  EXPECT_EQ(box.Checked(), 1);
  box.Click();
  EXPECT_FALSE(memory.Exists(kLocalMachine, kWebFolders));
  box.Click();
  EXPECT_TRUE(memory.Exists(kLocalMachine, kWebFolders));
  EXPECT_EQ(TextValue(kLocalMachine, kWebFolders, ""), "");
  EXPECT_EQ(Box("Отображать \"Назначенные задачи\"").Checked(), 0);
}

TEST_F(CataloguePagesTest, TypingANameWritesBothPathsAtEveryKeystroke) {
  Start();
  HTextBox& name = Txt(0);
  EXPECT_EQ(name.Text(), "");
  const std::string classes = std::string("Software\\Classes\\") + kRecycleBin;

  name.Type("Ко");
  EXPECT_EQ(TextValue(kLocalMachine, classes, ""), "Ко");
  EXPECT_EQ(TextValue(kClassesRoot, kRecycleBin, ""), "Ко");
  // Two keystrokes, two writes to each of the two paths.
  EXPECT_EQ(counting.count(platform::CountingRegistry::kSet), 4u);
  name.Backspace();
  name.Backspace();
  // A cleared field writes the empty text; it deletes nothing.
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data{1};
  ASSERT_TRUE(memory.Get(kLocalMachine, classes, "", &type, &data));
  EXPECT_EQ(type, 1u);
  EXPECT_TRUE(data.empty());

  // A one-path entry writes only its path.
  HTextBox& tip = Txt(8);
  tip.Type("Мусор");
  EXPECT_EQ(TextValue(kLocalMachine, classes, "InfoTip"), "Мусор");
}

TEST_F(CataloguePagesTest, ArraysStandInTheirFramesWithTheirCaptions) {
  Start();
  auto count = [&](main::Group group, Kind kind) {
    int n = 0;
    auto* frame = Main().FindId(IDC_GROUP_FIRST + static_cast<int>(group));
    EXPECT_NE(frame, nullptr);
    for (auto* child : frame->children()) n += child->kind() == kind;
    return n;
  };
  EXPECT_EQ(count(main::Group::kSystemOption, Kind::kCheckBox), 4);
  EXPECT_EQ(count(main::Group::kScreenOption, Kind::kCheckBox), 5);
  EXPECT_EQ(count(main::Group::kFrame5, Kind::kCheckBox), 3);
  EXPECT_EQ(count(main::Group::kFrame8, Kind::kTextBox), 9);
  // Six check settings and the two-pane box.
  EXPECT_EQ(count(main::Group::kFrame13, Kind::kCheckBox), 7);
  EXPECT_EQ(window->catalogue().chk.size(), 25u);
  EXPECT_EQ(window->catalogue().chka.size(), 18u);
  EXPECT_EQ(window->catalogue().txt.size(), 17u);
  EXPECT_NE(Main().Find(Kind::kCheckBox, "Пункт \"Отправить в...\" "), nullptr);
  EXPECT_NE(Main().Find(Kind::kCheckBox, "Показывать всплывающие подсказки"), nullptr);

  // The template box stays out of sight and is never configured.
  auto& templ = dynamic_cast<HCheckBox&>(*window->catalogue().chk[0]);
  EXPECT_FALSE(templ.Shown());
  EXPECT_EQ(templ.Text(), "Check1");
  EXPECT_GE(templ.rect().y, 409);
}

TEST_F(CataloguePagesTest, AMissingCatalogueEntrySkipsOnlyItsAssignment) {
  strings.Remove(1001);   // the restriction path of "Вкладка "Устройства""
  strings.Remove(17000);  // the caption of the first check setting
  Start();
  EXPECT_EQ(Writes(), 0u);
  EXPECT_EQ(Box("Вкладка \"Устройства\"").Checked(), 0);  // never read, never set
  EXPECT_EQ(Box("Вкладка \"Профили оборудования\"").Checked(), 1);
  EXPECT_NE(Main().Find(Kind::kCheckBox, "Сохранять позиции иконок"), nullptr);
}

}  // namespace
}  // namespace vireo
