// The tool windows: system information, the process and window lists, the About window, opened
// from "Справка" as the user opens them, and the texts they show.
#include <gtest/gtest.h>

#include <fstream>

#include "fixture.h"
#include "resource.h"
#include "tools/about.h"
#include "tools/process_list.h"
#include "tools/system_info.h"
#include "tools/tool_texts.h"
#include "tools/window_list.h"

namespace vireo {
namespace {

using ui::headless::HButton;
using ui::headless::HDropDown;
using ui::headless::HLabel;
using ui::headless::HPicture;
using ui::headless::HWindow;

platform::OsVersion Version(std::uint32_t major, std::uint32_t minor, std::uint32_t build,
                            const std::string& csd) {
  return {major, minor, build, platform::kPlatformWindows9x, csd};
}

TEST(ToolTexts, VersionLineNamesTheBuildFromTheTable) {
  EXPECT_EQ(tools::OsVersionText(Version(4, 10, 0x040A08AE, " A ")),
            "Windows 98 SE v.4.10 Build 2222A");
  EXPECT_EQ(tools::OsVersionText(Version(4, 0, 950, "")), "Windows 95 v.4.0 Build 950");
  EXPECT_EQ(tools::OsVersionText(Version(4, 90, 3000, "")), "Windows Me v.4.90 Build 3000");
  EXPECT_EQ(tools::OsVersionText(Version(4, 10, 1998, "")), "Windows 98 v.4.10 Build 1998");
  EXPECT_EQ(tools::OsVersionText(Version(4, 10, 2000, "")), "Windows Unknown v.4.10 Build 2000");
  // The build shown is the low half taken as a signed number.
  EXPECT_EQ(tools::OsVersionText(Version(4, 10, 0x0000FFFF, "")),
            "Windows Unknown v.4.10 Build -1");
}

TEST(ToolTexts, RunningTimeRoundsHalvesToEvenAndReadsTheCounterUnsigned) {
  EXPECT_EQ(tools::RunningTimeText(16'500'000), "Система в работе 4 ч 35 мин");
  EXPECT_EQ(tools::RunningTimeText(90'000), "Система в работе 0 ч 2 мин");   // 1.5 -> 2
  EXPECT_EQ(tools::RunningTimeText(150'000), "Система в работе 0 ч 2 мин");  // 2.5 -> 2
  EXPECT_EQ(tools::RunningTimeText(89'999), "Система в работе 0 ч 1 мин");
  // 25 days: beyond 2^31 ms, still the real running time.
  EXPECT_EQ(tools::RunningTimeText(2'160'000'000u), "Система в работе 600 ч 0 мин");
  EXPECT_EQ(tools::RunningTimeText(0xFFFFFFFFu), "Система в работе 1193 ч 3 мин");
}

TEST(ToolTexts, MemoryAndProcessorLines) {
  platform::MemoryStatus memory;
  memory.total_physical = 64u << 20;
  memory.available_physical = 16u << 20;
  memory.total_page_file = 3000;
  memory.available_page_file = 1000;
  memory.total_virtual = 2147352576;
  memory.available_virtual = 2147352576;
  EXPECT_EQ(tools::MemoryText(memory, "."),
            "   Оперативная память:\r\n"
            "   Физическая: 65536 Кб всего; 16384 Кб доступно (25.00%)\r\n"
            "   Страничная: 2 Кб всего; 0 Кб доступно (33.33%)\r\n"
            "   Виртуальная: 2097024 Кб всего; 2097024 Кб доступно (100.00%)");
  // The user's decimal separator.
  EXPECT_NE(tools::MemoryText(memory, ",").find("(25,00%)"), std::string::npos);
  memory.total_page_file = 0;  // no page file: no text at all
  EXPECT_EQ(tools::MemoryText(memory, "."), "");

  platform::ProcessorInfo cpu{586, 1, 1, 65536, 0, 4096, 0x7FFEFFFF, 0x10000};
  EXPECT_EQ(tools::ProcessorText(cpu),
            "CPU: 586\r\nProcessor mask: 1\r\nЧисло процессоров: 1\r\n"
            "Allocation Granularity: 65536\r\nOEM ID: 0\r\nРазмер страницы: 4096\r\n"
            "Maximum Application Address: 0x7FFEFFFF\r\nMinimum Application Address: 0x10000\r\n");
}

TEST(ToolTexts, HandlesIdsAndFolders) {
  EXPECT_EQ(tools::Hex8(26), "0000001A");
  EXPECT_EQ(tools::Hex8(0x8000ABCDu), "8000ABCD");
  EXPECT_EQ(tools::WindowLine(1234, "Vireo"), " 1234    Vireo");
  EXPECT_EQ(tools::WindowLine(65535, "Vireo"), "65535    Vireo");
  // Wider handles are shown whole, the field growing with them.
  EXPECT_EQ(tools::WindowLine(1311046, "Vireo"), "1311046    Vireo");
  EXPECT_EQ(tools::FolderOf("C:\\WINDOWS\\EXPLORER.EXE"), "C:\\WINDOWS");
  EXPECT_EQ(tools::FolderOf("EXPLORER.EXE"), "");
}

// The two "Справка" entries are no longer greyed out in the menu resource.
TEST(ToolTexts, HelpMenuOffersTheToolWindows) {
  std::ifstream rc(std::string(VIREO_SOURCE_DIR) + "/resources/vireo.rc");
  std::string line;
  int found = 0;
  while (std::getline(rc, line)) {
    if (line.find("IDM_HELP_ABOUT") == std::string::npos &&
        line.find("IDM_HELP_OS") == std::string::npos) {
      continue;
    }
    ++found;
    EXPECT_EQ(line.find("GRAYED"), std::string::npos) << line;
  }
  EXPECT_EQ(found, 2);
}

class ToolsTest : public test::MainWindowFixture {
 protected:
  void SetUp() override {
    machine.tick_count = 16'500'000;
    machine.computer_name = "HOMEPC";
    machine.processor = {586, 1, 1, 65536, 0, 4096, 0x7FFEFFFF, 0x10000};
    machine.memory = {64u << 20, 16u << 20, 128u << 20, 64u << 20, 2u << 30, 1u << 30};
    machine.decimal_separator = ",";
    machine.environment = {"PATH=C:\\WINDOWS", "TEMP=C:\\TEMP", "", "AFTER=EMPTY"};
    system.version = Version(4, 10, 0x040A08AE, " A ");
    Start();
  }
  // Opens a window from "Справка"; `user` acts while it is open.
  void Open(int command, std::function<void(HWindow&)> user) {
    toolkit.on_modal = [user](HWindow& w) { user(w); };
    Main().Command(command);
  }
  static std::string Label(HWindow& w, int id) { return w.Get<HLabel>(id)->Text(); }
  static std::vector<std::string> Items(HDropDown& list) {
    std::vector<std::string> items;
    for (int i = 0; i < list.Count(); ++i) items.push_back(list.Item(i));
    return items;
  }
  static platform::ProcessEntry Process(std::uint32_t id, const std::string& file) {
    platform::ProcessEntry p;
    p.process_id = id;
    p.exe_file = file;
    return p;
  }
};

TEST_F(ToolsTest, SystemInformationShowsEveryFigureAndTheTimerRereadsOnlyTwo) {
  std::map<int, std::string> before, after;
  const int ids[] = {IDC_SYSINFO_OS_VERSION, IDC_SYSINFO_WORK, IDC_SYSINFO_CN, IDC_SYSINFO_CPU,
                     IDC_SYSINFO_RAM};
  std::vector<std::string> environment;
  const std::string cpu = tools::ProcessorText(machine.processor);
  Open(IDM_HELP_OS, [&](HWindow& w) {
    for (int id : ids) before[id] = Label(w, id);
    environment = Items(*w.Get<HDropDown>(IDC_SYSINFO_ENV));
    ui::headless::HTimer* timer = toolkit.TimerOf(w);
    ASSERT_NE(timer, nullptr);
    EXPECT_TRUE(timer->running());
    EXPECT_EQ(timer->interval(), 500);
    // Everything changes; a tick shows only the running time and the memory again.
    machine.tick_count = 90'000;
    machine.memory.available_physical = 32u << 20;
    machine.computer_name = "OTHER";
    machine.processor.processors = 2;
    system.version = Version(4, 90, 3000, "");
    timer->Fire();
    for (int id : ids) after[id] = Label(w, id);
  });

  EXPECT_EQ(before[IDC_SYSINFO_OS_VERSION], "Windows 98 SE v.4.10 Build 2222A");
  EXPECT_EQ(before[IDC_SYSINFO_WORK], "Система в работе 4 ч 35 мин");
  EXPECT_EQ(before[IDC_SYSINFO_CN], "HOMEPC");
  EXPECT_EQ(before[IDC_SYSINFO_CPU], cpu);
  EXPECT_NE(before[IDC_SYSINFO_RAM].find("65536 Кб всего; 16384 Кб доступно (25,00%)"),
            std::string::npos);
  // Up to the first empty entry.
  EXPECT_EQ(environment, (std::vector<std::string>{"PATH=C:\\WINDOWS", "TEMP=C:\\TEMP"}));

  EXPECT_EQ(after[IDC_SYSINFO_WORK], "Система в работе 0 ч 2 мин");
  EXPECT_NE(after[IDC_SYSINFO_RAM].find("32768 Кб доступно (50,00%)"), std::string::npos);
  for (int id : {IDC_SYSINFO_OS_VERSION, IDC_SYSINFO_CN, IDC_SYSINFO_CPU}) {
    EXPECT_EQ(after[id], before[id]) << id;
  }

  ASSERT_EQ(toolkit.modal_runs.size(), 1u);
  EXPECT_EQ(toolkit.modal_runs[0].title, tools::kSystemInfoTitle);
  EXPECT_TRUE(toolkit.modal_runs[0].owner_disabled);
  // Unloaded on closing, its timer with it; the main window takes input again.
  EXPECT_EQ(toolkit.FindWindow(tools::kSystemInfoTitle), nullptr);
  EXPECT_TRUE(Main().Enabled());
  EXPECT_EQ(Writes(), 0u);
}

TEST_F(ToolsTest, SystemInformationOpensAfreshAndSurvivesFailingQueries) {
  machine.fails = true;
  std::string cpu, name, work;
  Open(IDM_HELP_OS, [&](HWindow& w) {
    cpu = Label(w, IDC_SYSINFO_CPU);
    name = Label(w, IDC_SYSINFO_CN);
    work = Label(w, IDC_SYSINFO_WORK);
    w.Get<HButton>(IDC_SYSINFO_OK)->Click();
    EXPECT_FALSE(w.open());
  });
  EXPECT_EQ(cpu, "");
  EXPECT_EQ(name, "");
  EXPECT_EQ(work, "Система в работе 4 ч 35 мин");
  machine.fails = false;
  Open(IDM_HELP_OS, [&](HWindow& w) { name = Label(w, IDC_SYSINFO_CN); });
  EXPECT_EQ(name, "HOMEPC");
  EXPECT_EQ(toolkit.CreatedCount(tools::kSystemInfoTitle), 2);
}

TEST_F(ToolsTest, ProcessListShowsPathsCountAndDetailsOnlyWhenTouched) {
  platform::ProcessEntry explorer = Process(26, "C:\\WINDOWS\\EXPLORER.EXE");
  explorer.parent_process_id = 0x8000ABCD;
  explorer.module_id = 0x1F;
  explorer.default_heap_id = 0x00530000;
  explorer.usage = 1;
  explorer.threads = 12;
  explorer.priority = -2;
  explorer.flags = 0xFFFFFFFF;
  processes.processes = {Process(0xFFF12345, "C:\\WINDOWS\\KERNEL32.DLL"), explorer};
  std::string caption, untouched;
  std::vector<std::string> lines, details;
  int selection = -2, extent = 0;
  Open(IDM_HELP_OS, [&](HWindow& info) {
    toolkit.on_modal = [&](HWindow& w) {
      caption = w.Text();
      auto& list = *w.Get<HDropDown>(IDC_PROCS_LIST);
      lines = Items(list);
      selection = list.Selection();
      extent = list.horizontal_extent();
      EXPECT_EQ(list.font().face, "Courier New");
      untouched = Label(w, IDC_PROCS_VALUE_FIRST);
      list.Choose(1);
      for (int i = 0; i < tools::kDetailRows; ++i)
        details.push_back(Label(w, IDC_PROCS_VALUE_FIRST + i));
      list.DoubleClick(1);
      w.Get<HButton>(IDC_PROCS_HELP)->Click();  // no command
    };
    info.Get<HButton>(IDC_SYSINFO_PROCESSES)->Click();
  });
  EXPECT_EQ(caption, "Список активных процессов (2)");
  EXPECT_EQ(lines,
            (std::vector<std::string>{"C:\\WINDOWS\\KERNEL32.DLL", "C:\\WINDOWS\\EXPLORER.EXE"}));
  EXPECT_EQ(selection, 0);
  EXPECT_EQ(extent, (23 + 2) * 7);  // the longest line has 23 characters
  EXPECT_EQ(untouched, "");
  EXPECT_EQ(details, (std::vector<std::string>{"0000001A", "8000ABCD", "0000001F", "00530000", "1",
                                               "12", "-2", "-1"}));
  ASSERT_EQ(shell.calls.size(), 1u);
  EXPECT_EQ(shell.calls[0].what, "open open");
  EXPECT_EQ(shell.calls[0].target, "C:\\WINDOWS");
  EXPECT_EQ(shell.calls[0].show, platform::kShowNormal);
  ASSERT_EQ(toolkit.modal_runs.size(), 2u);
  EXPECT_EQ(toolkit.modal_runs[0].title, tools::kProcessListTitle);
  EXPECT_TRUE(toolkit.modal_runs[0].owner_disabled);
}  // Opens the process list from the system information window; `user` acts in it.
class ProcessListTest : public ToolsTest {
 protected:
  void InProcessList(std::function<void(HWindow&)> user) {
    Open(IDM_HELP_OS, [&](HWindow& info) {
      toolkit.on_modal = [&](HWindow& w) { user(w); };
      info.Get<HButton>(IDC_SYSINFO_PROCESSES)->Click();
    });
  }
  static HDropDown& List(HWindow& w) { return *w.Get<HDropDown>(IDC_PROCS_LIST); }
};

TEST_F(ProcessListTest, TerminateEndsTheSelectedProcessClosesItsHandleAndRefreshes) {
  processes.processes = {Process(10, "C:\\WINDOWS\\EXPLORER.EXE"),
                         Process(26, "C:\\WINDOWS\\NOTEPAD.EXE"),
                         Process(30, "C:\\VIREO\\VIREO.EXE")};
  std::string caption;
  std::vector<std::string> lines;
  InProcessList([&](HWindow& w) {
    List(w).Choose(1);
    w.Get<HButton>(IDC_PROCS_TERMINATE)->Click();
    caption = w.Text();
    lines = Items(List(w));
  });
  EXPECT_EQ(processes.calls,
            (std::vector<std::string>{"open 26 2035711 1", "terminate 26 0", "close 26"}));
  EXPECT_EQ(processes.OpenHandles(), 0);
  EXPECT_EQ(processes.slept, (std::vector<int>{200}));
  EXPECT_EQ(processes.snapshots, 2);
  EXPECT_EQ(caption, "Список активных процессов (2)");
  EXPECT_EQ(lines, (std::vector<std::string>{"C:\\WINDOWS\\EXPLORER.EXE", "C:\\VIREO\\VIREO.EXE"}));
}

TEST_F(ProcessListTest, TerminateWithNothingToEndOrAProcessThatCannotBeOpened) {
  // An empty list: nothing is opened, nothing waited for.
  InProcessList([&](HWindow& w) { w.Get<HButton>(IDC_PROCS_TERMINATE)->Click(); });
  EXPECT_TRUE(processes.calls.empty());
  EXPECT_TRUE(processes.slept.empty());
  EXPECT_EQ(processes.snapshots, 1);

  // A process that cannot be opened stays in the list after the refresh.
  processes.processes = {Process(8, "C:\\WINDOWS\\SYSTEM\\KERNEL32.DLL")};
  processes.unopenable = {8};
  std::vector<std::string> lines;
  InProcessList([&](HWindow& w) {
    w.Get<HButton>(IDC_PROCS_TERMINATE)->Click();  // line 0, selected by the fill
    lines = Items(List(w));
  });
  EXPECT_EQ(processes.calls, (std::vector<std::string>{"open 8 2035711 1"}));
  EXPECT_EQ(processes.OpenHandles(), 0);
  EXPECT_EQ(lines, (std::vector<std::string>{"C:\\WINDOWS\\SYSTEM\\KERNEL32.DLL"}));
}

TEST_F(ProcessListTest, ManyProcessesFailedSnapshotsAndRefresh) {
  for (std::uint32_t i = 0; i < 1005; ++i) {
    processes.processes.push_back(Process(i + 1, "C:\\P\\" + std::to_string(i) + ".EXE"));
  }
  std::string caption, after_failure;
  int count = 0, after_refresh = 0, failed_count = 0;
  std::string last_detail;
  InProcessList([&](HWindow& w) {
    caption = w.Text();
    count = List(w).Count();
    List(w).Choose(1000);
    last_detail = Label(w, IDC_PROCS_VALUE_FIRST);
    w.Get<HButton>(IDC_PROCS_REFRESH)->Click();
    after_refresh = List(w).Count();
    // No snapshot: the window stays as it was.
    processes.snapshot_fails = true;
    w.Get<HButton>(IDC_PROCS_REFRESH)->Click();
    after_failure = w.Text();
    failed_count = List(w).Count();
  });
  EXPECT_EQ(caption, "Список активных процессов (1005)");
  EXPECT_EQ(count, 1001);
  EXPECT_EQ(last_detail, "000003E9");
  EXPECT_EQ(after_refresh, 1001);
  EXPECT_EQ(after_failure, "Список активных процессов (1005)");
  EXPECT_EQ(failed_count, 1001);

  // An empty snapshot empties the list and counts 0.
  processes.snapshot_fails = false;
  processes.processes.clear();
  InProcessList([&](HWindow& w) {
    caption = w.Text();
    count = List(w).Count();
    List(w).DoubleClick(0);
  });
  EXPECT_EQ(caption, "Список активных процессов (0)");
  EXPECT_EQ(count, 0);
  EXPECT_TRUE(shell.calls.empty());
}

TEST_F(ToolsTest, WindowListShowsTitledWindowsInOrderAndRefreshNeverDoubles) {
  top_windows.windows = {
      {1234, "Vireo"}, {0x2000, ""}, {65535, "Program Manager"}, {1311046, "Блокнот"}};
  std::vector<std::string> first, second;
  std::string heading1, heading2;
  Open(IDM_HELP_OS, [&](HWindow& info) {
    toolkit.on_modal = [&](HWindow& w) {
      auto& list = *w.Get<HDropDown>(IDC_WINDOWS_LIST);
      first = Items(list);
      EXPECT_EQ(list.font().face, "Courier New");
      heading1 = w.Get<HButton>(IDC_WINDOWS_HANDLE)->Text();
      heading2 = w.Get<HButton>(IDC_WINDOWS_TITLE)->Text();
      top_windows.windows.erase(top_windows.windows.begin());
      w.Get<HButton>(IDC_WINDOWS_REFRESH)->Click();
      w.Get<HButton>(IDC_WINDOWS_REFRESH)->Click();
      second = Items(list);
      w.Get<HButton>(IDC_WINDOWS_OK)->Click();
    };
    info.Get<HButton>(IDC_SYSINFO_WINDOWS)->Click();
  });
  EXPECT_EQ(first, (std::vector<std::string>{" 1234    Vireo", "65535    Program Manager",
                                             "1311046    Блокнот"}));
  EXPECT_EQ(second, (std::vector<std::string>{"65535    Program Manager", "1311046    Блокнот"}));
  EXPECT_EQ(heading1, "Handle");
  EXPECT_EQ(heading2, "Название окна");
  ASSERT_EQ(toolkit.modal_runs.size(), 2u);
  EXPECT_EQ(toolkit.modal_runs[0].title, tools::kWindowListTitle);
  EXPECT_EQ(toolkit.FindWindow(tools::kWindowListTitle), nullptr);
}

TEST_F(ToolsTest, AboutShowsNameVersionAndOpensTheLicence) {
  machine.version = {2, 5, 1, 0};
  std::string version, tip, description;
  Open(IDM_HELP_ABOUT, [&](HWindow& w) {
    auto* shadow = w.Get<HLabel>(IDC_ABOUT_NAME_FIRST);
    auto* name = w.Get<HLabel>(IDC_ABOUT_NAME_FIRST + 1);
    ASSERT_TRUE(shadow && name);
    EXPECT_EQ(shadow->Text(), "Vireo");
    EXPECT_EQ(name->Text(), "Vireo");
    EXPECT_EQ(name->font().face, "Verdana");
    EXPECT_EQ(name->font().tenths_of_point, 203);
    EXPECT_TRUE(name->font().bold);
    EXPECT_EQ(shadow->rect().x - name->rect().x, 3);
    EXPECT_EQ(shadow->rect().y - name->rect().y, 3);
    EXPECT_LT(name->ZIndex(), shadow->ZIndex());  // the name lies over its shadow
    version = Label(w, IDC_ABOUT_VERSION);
    description = Label(w, IDC_ABOUT_DESCRIPTION);
    auto* picture = w.Get<HPicture>(IDC_ABOUT_IMAGE1);
    tip = picture->TooltipText();
    picture->Click();
    w.Get<HButton>(IDC_ABOUT_OK)->Click();
  });
  EXPECT_EQ(version, "Версия 2.5.1");
  EXPECT_EQ(description, tools::kAboutDescription);
  EXPECT_EQ(tip, "Лицензионное соглашение");
  ASSERT_EQ(shell.calls.size(), 1u);
  EXPECT_EQ(shell.calls[0].target, system.ProgramDirectory() + "\\license.txt");
  EXPECT_EQ(shell.calls[0].show, platform::kShowNormal);
  ASSERT_EQ(toolkit.modal_runs.size(), 1u);
  EXPECT_EQ(toolkit.modal_runs[0].title, tools::kAboutTitle);
  EXPECT_TRUE(toolkit.modal_runs[0].owner_disabled);
  EXPECT_EQ(toolkit.FindWindow(tools::kAboutTitle), nullptr);
}

}  // namespace
}  // namespace vireo
