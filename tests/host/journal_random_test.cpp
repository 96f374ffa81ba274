// "Отменить все" after random user actions (on every page and in the New-menu editor, on the class
// registry of a machine in use) leaves the registry and every file as they were, without a
// question.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <random>

#include "fixture.h"
#include "platform/host/regedit4.h"
#include "service/journal_window.h"
#include "user_actions.h"

namespace vireo {
namespace {

using ui::headless::Node;

class JournalRandomTest : public test::MainWindowFixture {
 protected:
  // One user action, chosen at random, on `top`; returns what it did, for the failure report.
  // Texts of every kind are typed, and any item of a list is chosen or double-clicked.
  std::string Act(Node& top, bool in_editor) {
    std::vector<test::UserAction> actions;
    test::CollectUserActions(&top, &actions, !in_editor);
    if (actions.empty()) return "nothing to do";
    test::UserAction action = actions[random() % actions.size()];
    const int pick = static_cast<int>(random() % 1000);
    static const char* const kTexts[] = {"a", "Я", "x.txt", "C:\\W", "%1", "7"};
    action.text = kTexts[pick % 6];
    Node* node = top.FindId(action.id);
    auto* list = dynamic_cast<HDropDown*>(node);
    auto* check_list = dynamic_cast<HCheckList*>(node);
    const int count = list ? list->Count() : check_list ? check_list->Count() : 0;
    if (count > 0 && action.what != "step") action.index = pick % count;
    if (action.what == "choose" && pick % 4 == 0) action.what = "double";
    if (action.what == "type" && pick % 3 == 1) action.what = "replace";
    // The editor's buttons close it; the main window's may open it or ask.
    if (!in_editor) messages.answers = {pick % 2 ? platform::Answer::kYes : platform::Answer::kNo};
    action.Perform(top);
    return action.Name();
  }

  std::mt19937 random{20261207};
};

TEST_F(JournalRandomTest, AThousandSequencesUndoneLeaveEverythingAsItWas) {
  std::string error;
  ASSERT_TRUE(platform::LoadRegedit4(memory, test::ReadWhole(VIREO_CLASSES_REG), &error)) << error;
  const std::string windows = system.WindowsDirectory();
  system.WriteFile(windows + "\\control.ini",
                   "[don't load]\r\ntimedate.cpl=no\r\n\r\n[MMCPL]\r\nNumApps=12\r\n");
  system.WriteFile(windows + "\\ShellNew\\template.txt", "template");
  system.WriteFile(windows + "\\source.txt", "source");
  Start();
  const std::filesystem::path root = platform::HostPath(windows).parent_path();

  // In the New-menu editor the user acts a few times too, then it closes.
  std::vector<std::string> done;
  toolkit.on_modal = [&](HWindow& w) {
    if (w.args().title == service::kJournalTitle)
      return w.Get<HButton>(IDC_JOURNAL_UNDO_ALL)->Click();
    chooser.next_choice = random() % 2 ? windows + "\\source.txt" : "";
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
    const auto files_before = test::FileTree(root);
    journal.Forget();
    done.clear();
    chooser.next_choice.clear();
    for (int i = static_cast<int>(random() % 6); i >= 0; --i) done.push_back(Act(Main(), false));
    messages.answers.clear();
    if (sequence % 100 == 99) {
      Main().Command(IDM_SERVICE_JOURNAL);  // "Отменить все" in the window
    } else {
      journal.UndoAll([&](const service::Entry&) { return ++asked, true; });
    }
    std::string report = "sequence " + std::to_string(sequence) + "\n";
    for (const std::string& step : done) report += step + "\n";
    for (const service::Entry& entry : journal.entries()) report += EntryLine(entry) + "\n";
    // An undone deletion brings a value back under the name the program spells, which the
    // system matches without regard to letter case ("nevershowext" comes back "NeverShowExt").
    if (memory.Fingerprint() != registry_before) {
      ASSERT_EQ(test::Lower(memory.Dump()), test::Lower(start)) << report;
    }
    ASSERT_EQ(test::FileTree(root), files_before) << report;
    ASSERT_EQ(asked, 0) << report;
  }
}

}  // namespace
}  // namespace vireo
