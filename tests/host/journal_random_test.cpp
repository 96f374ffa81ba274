// "Отменить все" after random user actions: on the class registry of a machine in use, a thousand
// random sequences of clicks, keystrokes, choices and scroll steps across every page and the
// New-menu editor, each followed by undoing the whole session, leave the registry, control.ini
// and every file exactly as they were, and no undo asks (nothing else changed anything).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>

#include "fixture.h"
#include "platform/host/regedit4.h"
#include "service/journal_window.h"

namespace vireo {
namespace {

namespace fs = std::filesystem;
using ui::headless::Kind;
using ui::headless::Node;

std::string ReadWhole(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Every file and directory below `root` with its contents.
std::map<std::string, std::string> Files(const fs::path& root) {
  std::map<std::string, std::string> files;
  for (const auto& item : fs::recursive_directory_iterator(root)) {
    files[item.path().string()] = item.is_directory() ? "<dir>" : ReadWhole(item.path());
  }
  return files;
}

void Collect(Node* node, std::vector<Node*>* out) {
  switch (node->kind()) {
    case Kind::kCheckBox:
    case Kind::kOptionButton:
    case Kind::kTextBox:
    case Kind::kDropDown:
    case Kind::kListBox:
    case Kind::kCheckList:
    case Kind::kScrollBar:
    case Kind::kButton:
      out->push_back(node);
      break;
    default:
      break;
  }
  for (Node* child : node->children()) Collect(child, out);
}

class JournalRandomTest : public test::MainWindowFixture {
 protected:
  // One user action on a random control of `window`; returns what it did, for the failure report.
  std::string Act(Node& top, bool in_editor) {
    std::vector<Node*> controls;
    Collect(&top, &controls);
    Node* node = controls[random() % controls.size()];
    std::string what = std::to_string(node->id()) + " ";
    const int pick = static_cast<int>(random() % 1000);
    switch (node->kind()) {
      case Kind::kCheckBox:
        dynamic_cast<ui::headless::HCheckBox*>(node)->Click();
        return what + "click";
      case Kind::kOptionButton:
        dynamic_cast<ui::headless::HOptionButton*>(node)->Click();
        return what + "option";
      case Kind::kTextBox: {
        auto* box = dynamic_cast<ui::headless::HTextBox*>(node);
        static const char* const kTexts[] = {"a", "Я", "x.txt", "C:\\W", "%1", "7"};
        if (pick % 3 == 0) {
          box->Backspace();
          return what + "backspace";
        }
        const std::string text = kTexts[pick % 6];
        if (pick % 3 == 1) {
          box->Replace(text);
          return what + "replace " + text;
        }
        box->Type(text);
        return what + "type " + text;
      }
      case Kind::kDropDown:
      case Kind::kListBox: {
        auto* list = dynamic_cast<ui::headless::HDropDown*>(node);
        if (list->Count() == 0) return what + "empty list";
        const int index = pick % list->Count();
        if (pick % 4 == 0) {
          list->DoubleClick(index);
          return what + "double " + std::to_string(index);
        }
        list->Choose(index);
        return what + "choose " + std::to_string(index);
      }
      case Kind::kCheckList: {
        auto* list = dynamic_cast<ui::headless::HCheckList*>(node);
        if (list->Count() == 0) return what + "empty list";
        const int index = pick % list->Count();
        list->Choose(index);
        list->ToggleCheck(index);
        return what + "toggle " + std::to_string(index);
      }
      case Kind::kScrollBar:
        dynamic_cast<ui::headless::HScrollBar*>(node)->Step(pick % 2 ? 1 : -1);
        return what + "step";
      case Kind::kButton:
        // The editor's buttons close it; the main window's may open it or ask.
        if (!in_editor)
          messages.answers = {pick % 2 ? platform::Answer::kYes : platform::Answer::kNo};
        dynamic_cast<ui::headless::HButton*>(node)->Click();
        return what + "button";
      default:
        return what;
    }
  }

  std::mt19937 random{20261207};
};

TEST_F(JournalRandomTest, AThousandSequencesUndoneLeaveEverythingAsItWas) {
  std::ifstream in(VIREO_CLASSES_REG, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  std::string error;
  ASSERT_TRUE(platform::LoadRegedit4(memory, text.str(), &error)) << error;
  system.WriteFile(system.WindowsDirectory() + "\\control.ini",
                   "[don't load]\r\ntimedate.cpl=no\r\n\r\n[MMCPL]\r\nNumApps=12\r\n");
  fs::create_directory(platform::HostPath(system.WindowsDirectory() + "\\ShellNew"));
  system.WriteFile(system.WindowsDirectory() + "\\ShellNew\\template.txt", "template");
  system.WriteFile(system.WindowsDirectory() + "\\source.txt", "source");
  Start();
  const fs::path root = platform::HostPath(system.WindowsDirectory()).parent_path();

  // In the New-menu editor the user acts a few times too, then it closes.
  std::vector<std::string> done;
  toolkit.on_modal = [&](ui::headless::HWindow& w) {
    if (w.args().title == service::kJournalTitle) {
      w.Get<ui::headless::HButton>(IDC_JOURNAL_UNDO_ALL)->Click();
      return;
    }
    chooser.next_choice = random() % 2 ? system.WindowsDirectory() + "\\source.txt" : "";
    for (int i = static_cast<int>(random() % 4); i >= 0 && w.open(); --i) {
      done.push_back("  editor " + Act(w, true));
    }
  };

  const std::string start = memory.Dump();
  int asked = 0;
  const char* count = std::getenv("VIREO_JOURNAL_SEQUENCES");
  const int sequences = count ? std::atoi(count) : 1000;
  for (int sequence = 0; sequence < sequences; ++sequence) {
    const std::uint64_t registry_before = memory.Fingerprint();
    const auto files_before = Files(root);
    journal.Forget();
    done.clear();
    chooser.next_choice.clear();
    for (int i = static_cast<int>(random() % 6); i >= 0; --i) done.push_back(Act(Main(), false));
    messages.answers.clear();
    if (sequence % 100 == 99) {
      Main().Command(IDM_SERVICE_JOURNAL);  // "Отменить все" in the window
    } else {
      journal.UndoAll([&](const service::Entry&) {
        ++asked;
        return true;
      });
    }
    std::string report;
    for (const std::string& step : done) report += step + "\n";
    for (const service::Entry& entry : journal.entries()) {
      report += service::EntryLine(entry) + "\n";
    }
    ASSERT_EQ(memory.Fingerprint(), registry_before) << "sequence " << sequence << "\n" << report;
    ASSERT_EQ(Files(root), files_before) << "sequence " << sequence << "\n" << report;
    ASSERT_EQ(asked, 0) << "sequence " << sequence << "\n" << report;
  }
  EXPECT_EQ(memory.Dump(), start);
}

}  // namespace
}  // namespace vireo
