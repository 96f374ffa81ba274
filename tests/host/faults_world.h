// The world of the injected-failure runs: the program on a lived-in registry and file tree with
// the failing stand-ins under its journal, what a user sees of its controls, how two states of the
// registry or the files compare, and an operation (what is prepared without failures, and what
// runs with them).
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "main/main_window.h"
#include "platform/host/faulty.h"
#include "platform/host/memory_registry.h"
#include "platform/host/standin_bundle.h"
#include "prepared_state.h"
#include "resource.h"
#include "service/journal.h"
#include "ui/headless/headless.h"
#include "user_actions.h"

namespace vireo::test {

namespace fs = std::filesystem;
using namespace ui::headless;
using platform::Answer;
using State = std::map<std::string, std::string>;

// The program on a lived-in registry and file tree, with the failing stand-ins under the journal,
// as the real program has the system under it.
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
    fs::create_directory(platform::HostPath(windows + "\\ShellNew"));
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
      std::string item = bar == std::string::npos ? line : line.substr(0, bar);
      for (char& c : item) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      items[item] = line;
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
inline void Controls(Node* node, State* out) {
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
// leaves, each with the three versions.
inline std::string Stray(const State& before, const State& clean, const State& after) {
  std::string report;
  auto at = [](const State& state, const std::string& key) {
    const auto it = state.find(key);
    return it == state.end() ? std::string("<absent>") : it->second;
  };
  std::set<std::string> keys;
  for (const State* state : {&before, &clean, &after}) {
    for (const auto& [key, value] : *state) keys.insert(key);
  }
  for (const std::string& key : keys) {
    const std::string now = at(after, key);
    if (now != at(before, key) && now != at(clean, key)) {
      // Long files differ deep inside: each version from a little before the first byte where
      // this one leaves the clean one.
      const std::string clean_now = at(clean, key);
      std::size_t from = 0;
      while (from < now.size() && from < clean_now.size() && now[from] == clean_now[from]) ++from;
      from = from > 80 ? from - 80 : 0;
      auto part = [from](const std::string& text) {
        return text.substr(std::min(from, text.size()), 200);
      };
      report += "  " + key + " (from byte " + std::to_string(from) +
                ")\n    before: " + part(at(before, key)) + "\n    clean:  " + part(clean_now) +
                "\n    now:    " + part(now) + "\n";
    }
  }
  return report;
}

inline int Differences(const State& a, const State& b, std::string* report) {
  int count = 0;
  for (const auto& [id, line] : a) {
    const auto it = b.find(id);
    if (it == b.end() || it->second != line) {
      ++count;
      *report += "  control " + id + "\n    shown: " + line.substr(0, 300) +
                 "\n    stored: " + (it == b.end() ? "<none>" : it->second.substr(0, 300)) + "\n";
    }
  }
  return count;
}

// Whether the failed call `what` (as the plan records it) was one that changes something.
inline bool Writes(const std::string& what) {
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
inline Operation Editor(const std::string& name, bool existing,
                        std::function<void(HWindow&)> fill) {
  Operation op;
  op.name = "New-menu editor: " + name;
  op.prepare = [](World& w) {
    w.Start();
    w.window->ShowPage(main::PageId::kFiles);
  };
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

}  // namespace vireo::test
