// Injected failures: start-up, the refresh, every page switch, every control's handler on every
// page, the "Сервис" commands, the New-menu editor, the export and "Отменить все", each run again
// and again on a lived-in registry and file tree with the N-th call to the registry, control.ini
// or the files failing (every N the operation reaches), with each status the system gives, once
// or from then on; the failing stand-ins sit under the journal, as the system does. After each run:
//  - every registry item and every file holds what it held before or what the run without failure
//    leaves: nothing the operation does not name is written, nothing is left half-done within one
//    value or file, no temporary file stays;
//  - no key handle stays open;
//  - with one failure, a refresh changes no control but the one a failed read left behind;
//  - a failed export says so.
// VIREO_FAULTS=full runs every status in both modes for every call; the default, which the test
// command runs, one status a call in turn.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <set>

#include "fixture.h"
#include "platform/host/faulty.h"
#include "prepared_state.h"
#include "user_actions.h"

namespace vireo {
namespace {

namespace fs = std::filesystem;
using namespace test;
using namespace ui::headless;
using platform::Answer;
using State = std::map<std::string, std::string>;

// The program on a lived-in registry and file tree, the failing stand-ins under the journal.
struct World {
  platform::MemoryRegistry memory;
  platform::StandIns standins;
  platform::FaultPlan plan;
  platform::FaultyRegistry faulty_registry{memory, plan};
  platform::FaultyProfile faulty_profile{standins.profile, plan};
  platform::FaultyFiles faulty_files{standins.files, plan};
  service::Journal journal{faulty_registry, faulty_profile, faulty_files};
  platform::Platform platform =
      standins.Bundle(journal.registry(), journal.profile(), journal.files());
  HeadlessToolkit toolkit;
  std::unique_ptr<main::MainWindow> window;

  World() {
    const test::PreparedState state = test::PrepareLivedIn(memory, standins.system);
    toolkit.loadable_pictures = {state.picture};
    const std::string windows = standins.system.WindowsDirectory();
    standins.system.WriteFile(state.picture, "BM");
    standins.system.WriteFile(windows + "\\ShellNew\\winword.doc", "template");
    standins.system.WriteFile(windows + "\\source.txt", "source");
    const std::string program = standins.system.ProgramDirectory();
    standins.system.WriteFile(program + "\\savereg.dat",
                              ReadWhole(fs::path(VIREO_SOURCE_DIR) / "resources/savereg.dat"));
    standins.system.WriteFile(program + "\\Setup.reg",
                              "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\old]\r\n");
    standins.chooser.next_choice = state.picture;
  }
  void Start() {
    window = std::make_unique<main::MainWindow>(platform, toolkit, &journal);
    window->Load();
    window->Show();
    toolkit.RunIdle();
  }
  void StartOn(main::PageId page) {
    Start();
    window->ShowPage(page);
  }
  HWindow& Main() { return *toolkit.FindWindow("Vireo"); }
  // The user answers Yes to whatever is asked.
  void AnswerYes() { standins.messages.answers.assign(8, Answer::kYes); }

  // The registry's keys and values, one item each. Paths into this world's own folder read
  // "<root>", so that worlds compare.
  State Registry() {
    std::string root = standins.system.WindowsDirectory();
    root.resize(root.find_last_of("\\/"));
    std::string hex_root;
    static const char kHex[] = "0123456789abcdef";
    for (const unsigned char c : root) hex_root += std::string(" ") + kHex[c >> 4] + kHex[c & 15];
    State items;
    std::istringstream lines(memory.Dump());
    for (std::string line; std::getline(lines, line);) {
      for (auto at = line.find(hex_root); at != std::string::npos; at = line.find(hex_root)) {
        line.replace(at, hex_root.size(), " <root>");
      }
      const auto bar = line.rfind(" | ");
      items[Lower(bar == std::string::npos ? line : line.substr(0, bar))] = line;
    }
    return items;
  }
  // Every file and directory below the stand-in directories but the journal's log, which grows
  // with every change made.
  State Files() {
    return FileTree(platform::HostPath(standins.system.WindowsDirectory()).parent_path(),
                    service::kLogFile);
  }
};

// What a user sees of every control of `top`: one line each.
void Controls(Node* node, State* out) {
  if (node->id() != 0 && node->kind() != Kind::kWindow) {
    std::string line = std::to_string(static_cast<int>(node->kind())) + " " + node->text() +
                       (node->visible() ? " v" : " h") + (node->enabled() ? "e" : "d");
    if (auto* box = dynamic_cast<HCheckBox*>(node)) line += " #" + std::to_string(box->Checked());
    if (auto* option = dynamic_cast<HOptionButton*>(node)) line += option->Checked() ? " (*)" : "";
    if (auto* bar = dynamic_cast<HScrollBar*>(node)) line += " =" + std::to_string(bar->Value());
    if (auto* picture = dynamic_cast<HPicture*>(node)) line += " [" + picture->picture() + "]";
    if (auto* list = dynamic_cast<HDropDown*>(node)) {
      for (int i = 0; i < list->Count(); ++i) line += " |" + list->Item(i);
      if (node->kind() == Kind::kDropDown) line += " @" + std::to_string(list->Selection());
    }
    if (auto* list = dynamic_cast<HCheckList*>(node)) {
      for (int i = 0; i < list->Count(); ++i) {
        line += std::string(list->ItemChecked(i) ? " |x " : " |_ ") + list->Item(i);
      }
    }
    (*out)[std::to_string(node->id())] = line;
  }
  for (Node* child : node->children()) Controls(child, out);
}

// The items of `after` that hold neither what they held before nor what a run without failure
// leaves, each with the three versions from a little before the first byte where it leaves the
// clean one (long files differ deep inside); `count` adds up how many.
std::string Stray(const State& before, const State& clean, const State& after,
                  int* count = nullptr) {
  std::set<std::string> keys;
  for (const State* state : {&before, &clean, &after}) {
    for (const auto& item : *state) keys.insert(item.first);
  }
  auto at = [](const State& state, const std::string& key) {
    const auto it = state.find(key);
    return it == state.end() ? std::string("<absent>") : it->second;
  };
  std::string report;
  for (const std::string& key : keys) {
    const std::string now = at(after, key), was = at(before, key), clean_now = at(clean, key);
    if (now == was || now == clean_now) continue;
    if (count) ++*count;
    const auto same = std::mismatch(now.begin(), now.end(), clean_now.begin(), clean_now.end());
    const std::size_t from = std::max<std::ptrdiff_t>(same.first - now.begin() - 80, 0);
    auto part = [from](const std::string& text) {
      return text.substr(std::min(from, text.size()), 200);
    };
    report += "  " + key + "\n    before: " + part(was) + "\n    clean:  " + part(clean_now) +
              "\n    now:    " + part(now) + "\n";
  }
  return report;
}

// Whether the failed call `what` (as the plan records it) was one that changes something.
bool Writes(const std::string& what) {
  for (const char* call :
       {"CreateKey", "SetValue", "DeleteKey", "DeleteValue", "WriteString", "DeleteProfileKey",
        "MakeDirectory", "Copy", "Replace", "Append", "Remove"}) {
    if (what.rfind(std::string(call) + " ", 0) == 0) return true;
  }
  return false;
}

struct Operation {
  std::string name;
  std::function<void(World&)> prepare;  // runs without failures
  std::function<void(World&)> act;      // runs with the plan armed
  bool export_file = false;             // Setup.reg is what it makes
};

// The editor opened with "Добавить", or on the first entry by double click, filled in by `fill`
// and closed with OK.
Operation Editor(const std::string& name, bool existing, std::function<void(HWindow&)> fill) {
  Operation op;
  op.name = "New-menu editor: " + name;
  op.prepare = [](World& w) { w.StartOn(main::PageId::kFiles); };
  op.act = [existing, fill](World& w) {
    w.toolkit.on_modal = [fill](HWindow& editor) {
      fill(editor);
      editor.Get<HButton>(IDC_NEW_ENTRY_OK)->Click();
    };
    if (existing) {
      w.Main().Get<HDropDown>(IDC_NEW_MENU_LIST)->DoubleClick(0);
    } else {
      w.Main().Get<HButton>(IDC_NEW_MENU_ADD)->Click();
    }
    w.toolkit.on_modal = nullptr;
  };
  return op;
}

std::vector<Operation> Fillers() {
  std::vector<Operation> ops;
  ops.push_back({"start-up", [](World&) {}, [](World& w) { w.Start(); }});
  ops.push_back({"refresh", [](World& w) { w.Start(); },
                 [](World& w) { w.Main().Command(IDM_FILE_REFRESH); }});
  for (int p = 0; p < main::kPageCount; ++p) {
    const auto page = static_cast<main::PageId>(p);
    ops.push_back({"show page " + std::to_string(p),
                   [page](World& w) {
                     w.StartOn(page == main::PageId::kFiles ? main::PageId::kExplorer
                                                            : main::PageId::kFiles);
                   },
                   [page](World& w) { w.window->ShowPage(page); }});
  }
  return ops;
}

std::vector<Operation> Handlers() {
  std::vector<Operation> ops;
  World reference;
  reference.Start();
  for (int p = 0; p < main::kPageCount; ++p) {
    const auto page = static_cast<main::PageId>(p);
    reference.window->ShowPage(page);
    std::vector<UserAction> actions;
    CollectUserActions(dynamic_cast<Node*>(&reference.window->page_frame(page)), &actions);
    for (const UserAction& action : actions) {
      ops.push_back({"page " + std::to_string(p) + " " + action.Name(),
                     [page](World& w) { w.StartOn(page); },
                     [action](World& w) {
                       w.AnswerYes();
                       action.Perform(w.Main());
                     }});
    }
  }
  return ops;
}

std::vector<Operation> Services() {
  std::vector<Operation> ops;
  auto option = [](HWindow& editor, int i) {
    editor.Get<HOptionButton>(IDC_NEW_ENTRY_KIND_FIRST + i)->Click();
  };
  ops.push_back(Editor("typed template", false, [option](HWindow& e) {
    e.Get<HTextBox>(IDC_NEW_ENTRY_EXTENSION)->Type("vtx");
    e.Get<HTextBox>(IDC_NEW_ENTRY_DESCRIPTION)->Type("Вирео");
    option(e, 3);
    e.Get<HTextBox>(IDC_NEW_ENTRY_TEXT)->Type("строка");
  }));
  ops.push_back(Editor("copied template", false, [option](HWindow& e) {
    e.Get<HTextBox>(IDC_NEW_ENTRY_EXTENSION)->Type("cpy");
    option(e, 2);
    e.Get<HTextBox>(IDC_NEW_ENTRY_COPY_FILE)->Replace("C:\\WINDOWS\\source.txt");
  }));
  ops.push_back(Editor("command", false, [option](HWindow& e) {
    e.Get<HTextBox>(IDC_NEW_ENTRY_EXTENSION)->Type("cmd");
    option(e, 4);
    e.Get<HTextBox>(IDC_NEW_ENTRY_COMMAND)->Type("notepad.exe");
  }));
  ops.push_back(Editor("entry made empty", true, [option](HWindow& e) { option(e, 0); }));
  ops.push_back({"New-menu entry deleted",
                 [](World& w) {
                   w.StartOn(main::PageId::kFiles);
                   w.Main().Get<HDropDown>(IDC_NEW_MENU_LIST)->Choose(0);
                 },
                 [](World& w) {
                   w.AnswerYes();
                   w.Main().Get<HButton>(IDC_NEW_MENU_DELETE)->Click();
                 }});
  ops.push_back({"export", [](World& w) { w.Start(); },
                 [](World& w) {
                   w.AnswerYes();
                   w.Main().Command(IDM_SERVICE_SETUP);
                 },
                 true});
  ops.push_back({"Свернуть все окна", [](World& w) { w.Start(); },
                 [](World& w) { w.Main().Command(IDM_SERVICE_TOGGLE); }});
  ops.push_back({"Отменить все",
                 [](World& w) {
                   w.Start();
                   w.Main().Get<HCheckBox>(IDC_QUICK_VIEW)->Click();
                   w.Main().Get<HTextBox>(IDC_TEXT_SETTING_FIRST + 0)->Type("Ко");
                   w.window->ShowPage(main::PageId::kControlPanel);
                   w.Main().Get<HCheckList>(IDC_APPLETS_LIST)->ToggleCheck(0);
                   w.window->ShowPage(main::PageId::kFiles);
                   w.Main().Get<HCheckList>(IDC_ICON_FILES_LIST)->ToggleCheck(0);
                 },
                 [](World& w) {
                   w.toolkit.on_modal = [&w](HWindow& journal) {
                     w.AnswerYes();
                     journal.Get<HButton>(IDC_JOURNAL_UNDO_ALL)->Click();
                   };
                   w.Main().Command(IDM_SERVICE_JOURNAL);
                   w.toolkit.on_modal = nullptr;
                 }});
  return ops;
}

// Runs `op` once without failures, then with each planned failure, and checks each run.
void Prove(const Operation& op, bool full, long* runs) {
  State before_registry, before_files, clean_registry, clean_files;
  std::vector<std::string> calls;
  {
    World w;
    op.prepare(w);
    before_registry = w.Registry();
    before_files = w.Files();
    w.plan.Arm(0, 0, false);
    op.act(w);
    w.toolkit.RunIdle();
    calls = w.plan.log;
    clean_registry = w.Registry();
    clean_files = w.Files();
  }
  for (long n = 1; n <= static_cast<long>(calls.size()); ++n) {
    // Every status the N-th call can give, once and from then on; or, in the short version, one
    // of them in turn, and from then on every third call.
    const std::vector<std::int32_t> statuses = platform::StatusesFor(calls[n - 1]);
    for (std::size_t s = 0; s < statuses.size(); ++s) {
      for (const bool from_then_on : {false, true}) {
        if (!full &&
            (s != static_cast<std::size_t>(n) % statuses.size() || from_then_on != (n % 3 == 0))) {
          continue;
        }
        World w;
        op.prepare(w);
        const std::size_t handles = w.memory.open_handles();
        const std::size_t shown = w.standins.messages.shown.size();
        w.plan.Arm(n, statuses[s], from_then_on);
        op.act(w);
        w.toolkit.RunIdle();
        w.plan.Disarm();
        if (w.plan.failed.empty()) continue;  // the call took another way and passed
        ++*runs;
        const std::string first = w.plan.failed.front();
        const std::string where = op.name + ", call " + std::to_string(n) + " of " +
                                  std::to_string(calls.size()) + " fails with " +
                                  std::to_string(statuses[s]) +
                                  (from_then_on ? " from then on" : " once") + " (" + first + ")";
        // A read told "not found" cannot know better: the program rightly goes on as if the value
        // or key were missing, and may then write what it writes for a missing one.
        // The export takes a handle gone bad for a root the system does not have, which gives
        // the same status on opening: it writes that line's key only.
        const bool told_missing =
            !Writes(first) && (statuses[s] == platform::kFileNotFound ||
                               (op.export_file && statuses[s] == platform::kInvalidHandle));
        const std::string registry =
            told_missing ? "" : Stray(before_registry, clean_registry, w.Registry());
        const std::string files = told_missing ? "" : Stray(before_files, clean_files, w.Files());
        EXPECT_EQ(registry, "") << where;
        EXPECT_EQ(files, "") << where;
        EXPECT_EQ(w.memory.open_handles(), handles) << where;
        if (op.export_file && !told_missing && w.Files() != clean_files) {
          // The export did not make its file: the user is told.
          const auto& messages = w.standins.messages.shown;
          EXPECT_TRUE(
              std::any_of(messages.begin() + static_cast<long>(shown), messages.end(),
                          [](const auto& m) { return m.text.find("ошибка") != std::string::npos; }))
              << where;
        }
        if (!from_then_on && w.window) {
          State now, stored;
          Controls(&w.Main(), &now);
          w.Main().Command(IDM_FILE_REFRESH);
          w.toolkit.RunIdle();
          Controls(&w.Main(), &stored);
          // A read that failed may leave the one control it was for behind until the next
          // refresh; after a write that failed every control shows what is stored.
          int differing = 0;
          const std::string report = Stray(now, now, stored, &differing);
          EXPECT_LE(differing, Writes(first) ? 0 : 1) << where << "\n" << report;
        }
      }
    }
  }
}

void ProveAll(const std::vector<Operation>& ops, const char* what) {
  const char* mode = std::getenv("VIREO_FAULTS");
  long runs = 0;
  for (const Operation& op : ops) {
    SCOPED_TRACE(op.name);
    Prove(op, mode && std::string(mode) == "full", &runs);
  }
  std::printf("%s: %zu operations, %ld runs with failures injected\n", what, ops.size(), runs);
}

TEST(InjectedFailures, StartUpRefreshAndPageSwitches) {
  ProveAll(Fillers(), "fillers");
}

TEST(InjectedFailures, EveryControlOnEveryPage) {
  ProveAll(Handlers(), "handlers");
}

TEST(InjectedFailures, EditorExportAndUndo) {
  ProveAll(Services(), "services");
}

// The New-menu editor once deleted the other values first: ".txt" holds NullFile and Command, and
// made a command whose new text cannot be stored, it must keep both.
TEST(InjectedFailureMends, AnEntryWhoseNewValueCannotBeWrittenKeepsItsOldOne) {
  World w;
  const Operation op = Editor("made a command", true, [](HWindow& e) {
    e.Get<HOptionButton>(IDC_NEW_ENTRY_KIND_FIRST + 4)->Click();
    e.Get<HTextBox>(IDC_NEW_ENTRY_COMMAND)->Replace("wordpad.exe");
  });
  op.prepare(w);
  w.memory.ProtectValue(kClassesRoot, ".txt\\ShellNew", "Command");
  op.act(w);
  w.toolkit.RunIdle();
  EXPECT_EQ(Stored(w.memory, kClassesRoot, ".txt\\ShellNew", "NullFile"), "");
  EXPECT_EQ(Stored(w.memory, kClassesRoot, ".txt\\ShellNew", "Command"), "notepad.exe");
  EXPECT_EQ(w.Main().Get<HDropDown>(IDC_NEW_MENU_LIST)->Item(0), "<Unknown> (.txt)");
}

}  // namespace
}  // namespace vireo
