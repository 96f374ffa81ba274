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

using Lines = std::vector<std::string>;

platform::OsVersion Version(std::uint32_t major, std::uint32_t minor, std::uint32_t build,
                            const std::string& csd = "") {
  return {major, minor, build, platform::kPlatformWindows9x, csd};
}

TEST(ToolTexts, VersionRunningTimeAndMemory) {
  EXPECT_EQ(tools::OsVersionText(Version(4, 0, 950)), "Windows 95 v.4.0 Build 950");
  EXPECT_EQ(tools::OsVersionText(Version(4, 90, 3000)), "Windows Me v.4.90 Build 3000");
  EXPECT_EQ(tools::OsVersionText(Version(4, 10, 1998)), "Windows 98 v.4.10 Build 1998");
  // The build shown is the low half taken as a signed number.
  EXPECT_EQ(tools::OsVersionText(Version(4, 10, 0x0000FFFF)), "Windows Unknown v.4.10 Build -1");

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
  // Opens a window from "Справка", or with `button` a list from the system information window;
  // `user` acts while it is open, and the window must open for it.
  void OpenList(int button, std::function<void(HWindow&)> user) { Open(IDM_HELP_OS, user, button); }
  void Open(int command, std::function<void(HWindow&)> user, int button = 0) {
    bool shown = false;
    const std::function<void(HWindow&)> act = [&](HWindow& w) { shown = true, user(w); };
    toolkit.on_modal = act;
    if (button != 0) {
      toolkit.on_modal = [&](HWindow& info) {
        HButton* open = info.Get<HButton>(button);
        toolkit.on_modal = act;  // this handler goes with it: only locals from here on
        open->Click();
      };
    }
    Main().Command(command);
    EXPECT_TRUE(shown);
  }
  static std::string Caption(int count) {
    return std::string(tools::kProcessListTitle) + " (" + std::to_string(count) + ")";
  }
  static std::string Label(HWindow& w, int id) { return w.Get<HLabel>(id)->Text(); }
  // The labels from `first` to `last`; the process list's details from IDC_PROCS_VALUE_FIRST.
  static Lines Labels(HWindow& w, int first, int last) {
    Lines labels;
    for (int id = first; id <= last; ++id) labels.push_back(Label(w, id));
    return labels;
  }
  static Lines Details(HWindow& w) {
    return Labels(w, IDC_PROCS_VALUE_FIRST, IDC_PROCS_VALUE_FIRST + tools::kDetailRows - 1);
  }
  static platform::ProcessEntry Process(std::uint32_t id, const std::string& file) {
    return {.process_id = id, .exe_file = file};
  }
};

TEST_F(ToolsTest, SystemInformationShowsEveryFigureAndTheTimerRereadsOnlyTwo) {
  Open(IDM_HELP_OS, [&](HWindow& w) {
    // The version, the running time, the computer name, the processor and the memory.
    Lines labels = Labels(w, IDC_SYSINFO_OS_VERSION, IDC_SYSINFO_RAM);
    EXPECT_EQ(Lines(labels.begin(), labels.begin() + 3),
              (Lines{"Windows 98 SE v.4.10 Build 2222A", "Система в работе 4 ч 35 мин", "HOMEPC"}));
    EXPECT_EQ(
        labels[3],
        "CPU: 586\r\nProcessor mask: 1\r\nЧисло процессоров: 1\r\n"
        "Allocation Granularity: 65536\r\nOEM ID: 0\r\nРазмер страницы: 4096\r\n"
        "Maximum Application Address: 0x7FFEFFFF\r\nMinimum Application Address: 0x10000\r\n");
    // The user's decimal separator.
    EXPECT_NE(labels[4].find("65536 Кб всего; 16384 Кб доступно (25,00%)"), std::string::npos);
    // Up to the first empty entry.
    EXPECT_EQ(test::Items(*w.Get<HDropDown>(IDC_SYSINFO_ENV)),
              (Lines{"PATH=C:\\WINDOWS", "TEMP=C:\\TEMP"}));
    ui::headless::HTimer* timer = toolkit.TimerOf(w);
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->interval(), tools::kSystemInfoInterval);
    // Everything changes; a tick shows only the running time and the memory again.
    machine.tick_count = 90'000;
    machine.memory.available_physical = 32u << 20;
    machine.computer_name = "OTHER";
    machine.processor.processors = 2;
    system.version = Version(4, 90, 3000);
    timer->Fire();
    const Lines after = Labels(w, IDC_SYSINFO_OS_VERSION, IDC_SYSINFO_RAM);
    EXPECT_NE(after[4].find("32768 Кб доступно (50,00%)"), std::string::npos);
    labels[1] = "Система в работе 0 ч 2 мин";
    labels[4] = after[4];
    EXPECT_EQ(after, labels);
  });
  // Unloaded on closing, its timer with it.
  EXPECT_EQ(toolkit.FindWindow(tools::kSystemInfoTitle), nullptr);

  // Queries that fail leave their labels empty; the next opening reads afresh.
  machine.fails = true;
  Open(IDM_HELP_OS, [&](HWindow& w) {
    EXPECT_EQ(Label(w, IDC_SYSINFO_CPU) + Label(w, IDC_SYSINFO_COMPUTER_NAME), "");
  });
  machine.fails = false;
  Open(IDM_HELP_OS, [&](HWindow& w) { EXPECT_EQ(Label(w, IDC_SYSINFO_COMPUTER_NAME), "OTHER"); });
  EXPECT_EQ(Writes(), 0u);
}

TEST_F(ToolsTest, ProcessListShowsDetailsOnlyWhenTouchedEndsTheSelectedAndRefreshes) {
  // Usage, id, heap, module, threads, parent, priority, flags.
  const platform::ProcessEntry explorer{
      1, 26, 0x00530000, 0x1F, 12, 0x8000ABCD, -2, 0xFFFFFFFF, "C:\\WINDOWS\\EXPLORER.EXE"};
  processes.processes = {Process(0xFFF12345, "C:\\WINDOWS\\KERNEL32.DLL"), explorer,
                         Process(30, "C:\\VIREO\\VIREO.EXE")};
  processes.unopenable = {30};
  OpenList(IDC_SYSINFO_PROCESSES, [&](HWindow& w) {
    auto& list = *w.Get<HDropDown>(IDC_PROCS_LIST);
    const auto shows = [&](int count, int lines) {
      EXPECT_EQ(w.Text(), Caption(count));
      EXPECT_EQ(list.Count(), lines);
    };
    shows(3, 3);
    EXPECT_EQ(list.Selection(), 0);
    EXPECT_EQ(list.horizontal_extent(), (23 + 2) * 7);  // the longest line has 23 characters
    EXPECT_EQ(Details(w), Lines(tools::kDetailRows, ""));
    // The pointer moved over the list shows the line selected; a key or button released, the
    // line it selected.
    list.MouseMove();
    EXPECT_EQ(Details(w)[0], "FFF12345");
    list.Choose(1);
    list.KeyUp();
    EXPECT_EQ(Details(w),
              (Lines{"0000001A", "8000ABCD", "0000001F", "00530000", "1", "12", "-2", "-1"}));
    list.Choose(0);
    list.MouseUp();
    EXPECT_EQ(Details(w)[0], "FFF12345");
    // "Завершить" ends the second; the third cannot be opened and stays after the refresh.
    for (int line : {1, 1}) {
      list.Choose(line);
      w.Get<HButton>(IDC_PROCS_TERMINATE)->Click();
    }
    EXPECT_EQ(test::Items(list), (Lines{"C:\\WINDOWS\\KERNEL32.DLL", "C:\\VIREO\\VIREO.EXE"}));
    EXPECT_EQ(w.Text(), Caption(2));
    list.DoubleClick(1);

    // "Обновить": at most kProcessSlots lines, all of them counted.
    processes.processes.clear();
    for (std::uint32_t i = 0; i < 1005; ++i) {
      processes.processes.push_back(Process(i + 1, "C:\\P\\" + std::to_string(i) + ".EXE"));
    }
    w.Get<HButton>(IDC_PROCS_REFRESH)->Click();
    shows(1005, 1001);
    list.Choose(1000);
    list.KeyUp();
    EXPECT_EQ(Details(w)[0], "000003E9");
    // No snapshot: the window stays as it was.
    processes.snapshot_fails = true;
    w.Get<HButton>(IDC_PROCS_REFRESH)->Click();
    shows(1005, 1001);
    // An empty one empties the list and counts 0; nothing is left to end.
    processes.snapshot_fails = false;
    processes.processes.clear();
    w.Get<HButton>(IDC_PROCS_REFRESH)->Click();
    shows(0, 0);
    w.Get<HButton>(IDC_PROCS_TERMINATE)->Click();
  });
  EXPECT_EQ(processes.calls,
            (Lines{"open 26 2035711 1", "terminate 26 0", "close 26", "open 30 2035711 1"}));
  EXPECT_EQ(processes.slept, std::vector<int>(2, tools::kTerminateWait));
  EXPECT_EQ(ShellCalls(), Lines{"open open|C:\\VIREO|1"});  // the double click
}

TEST_F(ToolsTest, WindowListShowsTitledWindowsInOrderAndRefreshNeverDoubles) {
  top_windows.windows = {
      {1234, "Vireo"}, {0x2000, ""}, {65535, "Program Manager"}, {1311046, "Блокнот"}};
  OpenList(IDC_SYSINFO_WINDOWS, [&](HWindow& w) {
    auto& list = *w.Get<HDropDown>(IDC_WINDOWS_LIST);
    // Handles wider than five digits are shown whole.
    EXPECT_EQ(test::Items(list),
              (Lines{" 1234    Vireo", "65535    Program Manager", "1311046    Блокнот"}));
    top_windows.windows.erase(top_windows.windows.begin());
    w.Get<HButton>(IDC_WINDOWS_REFRESH)->Click();
    w.Get<HButton>(IDC_WINDOWS_REFRESH)->Click();
    EXPECT_EQ(test::Items(list), (Lines{"65535    Program Manager", "1311046    Блокнот"}));
  });
}

TEST_F(ToolsTest, AboutShowsTheVersionAndOpensTheLicence) {
  machine.version = {2, 5, 1, 0};
  Open(IDM_HELP_ABOUT, [&](HWindow& w) {
    EXPECT_EQ(Label(w, IDC_ABOUT_VERSION), "Версия 2.5.1");
    w.Get<HPicture>(IDC_ABOUT_LOGO)->Click();
    w.Get<HButton>(IDC_ABOUT_OK)->Click();
  });
  EXPECT_EQ(ShellCalls(), Lines{"open open|" + system.ProgramDirectory() + "\\license.txt|1"});
  EXPECT_EQ(toolkit.FindWindow(tools::kAboutTitle), nullptr);
}

}  // namespace
}  // namespace vireo
