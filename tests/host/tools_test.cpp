// The tool windows: system information, the process and window lists, the About window, opened
// from "Справка" as the user opens them, and the texts they show.
#include <gtest/gtest.h>

#include <functional>

#include "fixture.h"
#include "tools/about.h"
#include "tools/process_list.h"
#include "tools/system_info.h"
#include "tools/tool_texts.h"
#include "tools/window_list.h"

namespace vireo {
namespace {

platform::OsVersion Version(std::uint32_t major, std::uint32_t minor, std::uint32_t build,
                            const std::string& csd) {
  return {major, minor, build, platform::kPlatformWindows9x, csd};
}

TEST(ToolTexts, VersionRunningTimeAndMemory) {
  EXPECT_EQ(tools::OsVersionText(Version(4, 0, 950, "")), "Windows 95 v.4.0 Build 950");
  EXPECT_EQ(tools::OsVersionText(Version(4, 90, 3000, "")), "Windows Me v.4.90 Build 3000");
  EXPECT_EQ(tools::OsVersionText(Version(4, 10, 1998, "")), "Windows 98 v.4.10 Build 1998");
  // The build shown is the low half taken as a signed number.
  EXPECT_EQ(tools::OsVersionText(Version(4, 10, 0x0000FFFF, "")),
            "Windows Unknown v.4.10 Build -1");

  // Halves round to even; the counter is unsigned (25 days is beyond 2^31 ms).
  EXPECT_EQ(tools::RunningTimeText(150'000), "Система в работе 0 ч 2 мин");
  EXPECT_EQ(tools::RunningTimeText(89'999), "Система в работе 0 ч 1 мин");
  EXPECT_EQ(tools::RunningTimeText(2'160'000'000u), "Система в работе 600 ч 0 мин");
  EXPECT_EQ(tools::RunningTimeText(0xFFFFFFFFu), "Система в работе 1193 ч 3 мин");

  platform::MemoryStatus memory{64u << 20, 16u << 20, 3000, 1000, 2147352576, 2147352576};
  EXPECT_EQ(tools::MemoryText(memory, "."),
            "   Оперативная память:\r\n"
            "   Физическая: 65536 Кб всего; 16384 Кб доступно (25.00%)\r\n"
            "   Страничная: 2 Кб всего; 0 Кб доступно (33.33%)\r\n"
            "   Виртуальная: 2097024 Кб всего; 2097024 Кб доступно (100.00%)");
  memory.total_page_file = 0;  // no page file: no text at all
  EXPECT_EQ(tools::MemoryText(memory, "."), "");
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
  // Opens a list (process or window) from the system information window.
  void OpenList(int button, std::function<void(HWindow&)> user) {
    Open(IDM_HELP_OS, [this, button, user](HWindow& info) {
      HButton* open = info.Get<HButton>(button);
      toolkit.on_modal = user;  // this window's handler goes with it: only locals from here on
      open->Click();
    });
  }
  static std::string Caption(int count) {
    return std::string(tools::kProcessListTitle) + " (" + std::to_string(count) + ")";
  }
  static std::string Label(HWindow& w, int id) { return w.Get<HLabel>(id)->Text(); }
  static platform::ProcessEntry Process(std::uint32_t id, const std::string& file) {
    platform::ProcessEntry p;
    p.process_id = id;
    p.exe_file = file;
    return p;
  }
};

TEST_F(ToolsTest, SystemInformationShowsEveryFigureAndTheTimerRereadsOnlyTwo) {
  std::map<int, std::string> before, after;
  const int ids[] = {IDC_SYSINFO_OS_VERSION, IDC_SYSINFO_RUNNING_TIME, IDC_SYSINFO_COMPUTER_NAME,
                     IDC_SYSINFO_CPU, IDC_SYSINFO_RAM};
  std::vector<std::string> environment;
  Open(IDM_HELP_OS, [&](HWindow& w) {
    for (int id : ids) before[id] = Label(w, id);
    environment = test::Items(*w.Get<HDropDown>(IDC_SYSINFO_ENV));
    ui::headless::HTimer* timer = toolkit.TimerOf(w);
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->interval(), tools::kSystemInfoInterval);
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
  EXPECT_EQ(before[IDC_SYSINFO_RUNNING_TIME], "Система в работе 4 ч 35 мин");
  EXPECT_EQ(before[IDC_SYSINFO_COMPUTER_NAME], "HOMEPC");
  EXPECT_EQ(before[IDC_SYSINFO_CPU],
            "CPU: 586\r\nProcessor mask: 1\r\nЧисло процессоров: 1\r\n"
            "Allocation Granularity: 65536\r\nOEM ID: 0\r\nРазмер страницы: 4096\r\n"
            "Maximum Application Address: 0x7FFEFFFF\r\nMinimum Application Address: 0x10000\r\n");
  // The user's decimal separator.
  EXPECT_NE(before[IDC_SYSINFO_RAM].find("65536 Кб всего; 16384 Кб доступно (25,00%)"),
            std::string::npos);
  // Up to the first empty entry.
  EXPECT_EQ(environment, (std::vector<std::string>{"PATH=C:\\WINDOWS", "TEMP=C:\\TEMP"}));
  EXPECT_EQ(after[IDC_SYSINFO_RUNNING_TIME], "Система в работе 0 ч 2 мин");
  EXPECT_NE(after[IDC_SYSINFO_RAM].find("32768 Кб доступно (50,00%)"), std::string::npos);
  for (int id : {IDC_SYSINFO_OS_VERSION, IDC_SYSINFO_COMPUTER_NAME, IDC_SYSINFO_CPU}) {
    EXPECT_EQ(after[id], before[id]) << id;
  }
  // Unloaded on closing, its timer with it.
  EXPECT_EQ(toolkit.FindWindow(tools::kSystemInfoTitle), nullptr);

  // Queries that fail leave their labels empty; the next opening reads afresh.
  machine.fails = true;
  Open(IDM_HELP_OS, [&](HWindow& w) {
    EXPECT_EQ(Label(w, IDC_SYSINFO_CPU), "");
    EXPECT_EQ(Label(w, IDC_SYSINFO_COMPUTER_NAME), "");
  });
  machine.fails = false;
  Open(IDM_HELP_OS, [&](HWindow& w) { EXPECT_EQ(Label(w, IDC_SYSINFO_COMPUTER_NAME), "OTHER"); });
  EXPECT_EQ(Writes(), 0u);
}

TEST_F(ToolsTest, ProcessListShowsPathsCountAndDetailsOnlyWhenTouched) {
  // Usage, id, heap, module, threads, parent, priority, flags.
  const platform::ProcessEntry explorer{
      1, 26, 0x00530000, 0x1F, 12, 0x8000ABCD, -2, 0xFFFFFFFF, "C:\\WINDOWS\\EXPLORER.EXE"};
  processes.processes = {Process(0xFFF12345, "C:\\WINDOWS\\KERNEL32.DLL"), explorer};
  std::string caption, untouched;
  std::vector<std::string> lines, details, first;
  int selection = -2, extent = 0;
  OpenList(IDC_SYSINFO_PROCESSES, [&](HWindow& w) {
    caption = w.Text();
    auto& list = *w.Get<HDropDown>(IDC_PROCS_LIST);
    lines = test::Items(list);
    selection = list.Selection();
    extent = list.horizontal_extent();
    untouched = Label(w, IDC_PROCS_VALUE_FIRST);
    // The pointer moved over the list shows the line selected; a key or button released, the
    // line it selected.
    list.MouseMove();
    first.push_back(Label(w, IDC_PROCS_VALUE_FIRST));
    list.Choose(1);
    list.KeyUp();
    first.push_back(Label(w, IDC_PROCS_VALUE_FIRST));
    list.Choose(0);
    list.MouseUp();
    first.push_back(Label(w, IDC_PROCS_VALUE_FIRST));
    list.Choose(1);
    list.MouseUp();
    for (int i = 0; i < tools::kDetailRows; ++i) {
      details.push_back(Label(w, IDC_PROCS_VALUE_FIRST + i));
    }
    list.DoubleClick(1);
  });
  EXPECT_EQ(caption, Caption(2));
  EXPECT_EQ(lines,
            (std::vector<std::string>{"C:\\WINDOWS\\KERNEL32.DLL", "C:\\WINDOWS\\EXPLORER.EXE"}));
  EXPECT_EQ(selection, 0);
  EXPECT_EQ(extent, (23 + 2) * 7);  // the longest line has 23 characters
  EXPECT_EQ(untouched, "");
  EXPECT_EQ(first, (std::vector<std::string>{"FFF12345", "0000001A", "FFF12345"}));
  EXPECT_EQ(details, (std::vector<std::string>{"0000001A", "8000ABCD", "0000001F", "00530000", "1",
                                               "12", "-2", "-1"}));
  EXPECT_EQ(ShellCalls(), std::vector<std::string>{"open open|C:\\WINDOWS|1"});  // the double click
}

TEST_F(ToolsTest, TerminateEndsTheSelectedProcessClosesItsHandleAndRefreshes) {
  processes.processes = {Process(10, "C:\\WINDOWS\\EXPLORER.EXE"),
                         Process(26, "C:\\WINDOWS\\NOTEPAD.EXE"),
                         Process(30, "C:\\VIREO\\VIREO.EXE")};
  processes.unopenable = {10};
  std::vector<std::string> lines;
  OpenList(IDC_SYSINFO_PROCESSES, [&](HWindow& w) {
    w.Get<HDropDown>(IDC_PROCS_LIST)->Choose(1);
    w.Get<HButton>(IDC_PROCS_TERMINATE)->Click();
    // One that cannot be opened stays after the refresh.
    w.Get<HDropDown>(IDC_PROCS_LIST)->Choose(0);
    w.Get<HButton>(IDC_PROCS_TERMINATE)->Click();
    lines = test::Items(*w.Get<HDropDown>(IDC_PROCS_LIST));
  });
  EXPECT_EQ(processes.calls, (std::vector<std::string>{"open 26 2035711 1", "terminate 26 0",
                                                       "close 26", "open 10 2035711 1"}));
  EXPECT_EQ(processes.OpenHandles(), 0);
  EXPECT_EQ(processes.slept, std::vector<int>(2, tools::kTerminateWait));
  EXPECT_EQ(lines, (std::vector<std::string>{"C:\\WINDOWS\\EXPLORER.EXE", "C:\\VIREO\\VIREO.EXE"}));
}

TEST_F(ToolsTest, ManyProcessesFailedSnapshotsAndRefresh) {
  for (std::uint32_t i = 0; i < 1005; ++i) {
    processes.processes.push_back(Process(i + 1, "C:\\P\\" + std::to_string(i) + ".EXE"));
  }
  OpenList(IDC_SYSINFO_PROCESSES, [&](HWindow& w) {
    auto& list = *w.Get<HDropDown>(IDC_PROCS_LIST);
    EXPECT_EQ(w.Text(), Caption(1005));
    EXPECT_EQ(list.Count(), 1001);
    list.Choose(1000);
    list.KeyUp();
    EXPECT_EQ(Label(w, IDC_PROCS_VALUE_FIRST), "000003E9");
    // No snapshot: the window stays as it was.
    processes.snapshot_fails = true;
    w.Get<HButton>(IDC_PROCS_REFRESH)->Click();
    EXPECT_EQ(w.Text(), Caption(1005));
    EXPECT_EQ(list.Count(), 1001);
    // An empty one empties the list and counts 0; nothing is left to end.
    processes.snapshot_fails = false;
    processes.processes.clear();
    w.Get<HButton>(IDC_PROCS_REFRESH)->Click();
    EXPECT_EQ(w.Text(), Caption(0));
    EXPECT_EQ(list.Count(), 0);
    w.Get<HButton>(IDC_PROCS_TERMINATE)->Click();
  });
  EXPECT_TRUE(processes.calls.empty());
  EXPECT_TRUE(processes.slept.empty());
}

TEST_F(ToolsTest, WindowListShowsTitledWindowsInOrderAndRefreshNeverDoubles) {
  top_windows.windows = {
      {1234, "Vireo"}, {0x2000, ""}, {65535, "Program Manager"}, {1311046, "Блокнот"}};
  std::vector<std::string> first, second;
  OpenList(IDC_SYSINFO_WINDOWS, [&](HWindow& w) {
    auto& list = *w.Get<HDropDown>(IDC_WINDOWS_LIST);
    first = test::Items(list);
    top_windows.windows.erase(top_windows.windows.begin());
    w.Get<HButton>(IDC_WINDOWS_REFRESH)->Click();
    w.Get<HButton>(IDC_WINDOWS_REFRESH)->Click();
    second = test::Items(list);
  });
  // Handles wider than five digits are shown whole.
  EXPECT_EQ(first, (std::vector<std::string>{" 1234    Vireo", "65535    Program Manager",
                                             "1311046    Блокнот"}));
  EXPECT_EQ(second, (std::vector<std::string>{"65535    Program Manager", "1311046    Блокнот"}));
}

TEST_F(ToolsTest, AboutShowsTheVersionAndOpensTheLicence) {
  machine.version = {2, 5, 1, 0};
  Open(IDM_HELP_ABOUT, [&](HWindow& w) {
    EXPECT_EQ(Label(w, IDC_ABOUT_VERSION), "Версия 2.5.1");
    w.Get<HPicture>(IDC_ABOUT_LOGO)->Click();
    w.Get<HButton>(IDC_ABOUT_OK)->Click();
  });
  EXPECT_EQ(ShellCalls(),
            std::vector<std::string>{"open open|" + system.ProgramDirectory() + "\\license.txt|1"});
  EXPECT_EQ(toolkit.FindWindow(tools::kAboutTitle), nullptr);
}

}  // namespace
}  // namespace vireo
