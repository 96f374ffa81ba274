// Prints what the change journal adds to the registry traffic of the user's changes: the calls
// the program makes (counted in front of the journal) against the calls that reach the registry
// (counted behind it), over every catalogue check box clicked twice, a text setting typed into
// and every Control Panel applet ticked twice. Under Wine each call is a round trip to the
// registry server, so the difference per change is what recording costs the user.
//
//   journal_calls
#include <cstdio>
#include <string>

#include "main/main_window.h"
#include "platform/counting_registry.h"
#include "platform/host/memory_registry.h"
#include "platform/host/standin_bundle.h"
#include "platform/host/standins.h"
#include "platform/host/table_strings.h"
#include "resource.h"
#include "service/journal.h"
#include "ui/headless/headless.h"

int main() {
  using namespace vireo;
  using Op = platform::CountingRegistry::Operation;
  platform::MemoryRegistry memory;
  platform::CountingRegistry behind(memory);
  platform::StandIns standins;
  service::Journal journal(behind, standins.profile, standins.files);
  platform::CountingRegistry in_front(journal.registry());
  platform::Platform services = standins.Bundle(in_front, journal.profile(), journal.files());
  ui::headless::HeadlessToolkit toolkit;

  main::MainWindow window(services, toolkit, &journal);
  if (!window.Load()) return 1;
  window.Show();
  behind.Reset();
  in_front.Reset();
  ui::headless::HWindow& main_window = *toolkit.FindWindow("Vireo");

  std::size_t clicks = 0;
  for (int id = IDC_RESTRICTION_FIRST; id < IDC_RESTRICTION_FIRST + 64; ++id) {
    auto* box = main_window.Get<ui::headless::HCheckBox>(id);
    if (box == nullptr) continue;
    box->Click();
    box->Click();
    clicks += 2;
  }
  if (auto* text = main_window.Get<ui::headless::HTextBox>(IDC_TEXT_SETTING_FIRST + 5))
    text->Type("Vireo");
  if (auto* applets = main_window.Get<ui::headless::HCheckList>(IDC_APPLETS_LIST)) {
    for (int i = 0; i < applets->Count(); ++i) {
      applets->ToggleCheck(i);
      applets->ToggleCheck(i);
    }
  }

  const std::size_t changes = in_front.count(Op::kSet) + in_front.count(Op::kDeleteValue) +
                              in_front.count(Op::kDeleteKey) + in_front.count(Op::kCreate);
  const std::size_t added = behind.total() - in_front.total();
  std::printf("user actions: %zu check box clicks, 5 keystrokes, applet ticks\n", clicks);
  std::printf("program's changing registry calls: %zu; all its registry calls: %zu\n", changes,
              in_front.total());
  std::printf("calls reaching the registry with the journal: %zu (query %zu, open %zu, enum %zu)\n",
              behind.total(), behind.count(Op::kQuery), behind.count(Op::kOpen),
              behind.count(Op::kEnumKey) + behind.count(Op::kEnumValue));
  static const char* const kNames[] = {"open",     "create",     "query",
                                       "set",      "delete key", "delete value",
                                       "enum key", "enum value", "close"};
  for (int op = 0; op < platform::CountingRegistry::kOperationCount; ++op) {
    const auto o = static_cast<Op>(op);
    std::printf("  %-12s program %4zu, registry %4zu\n", kNames[op], in_front.count(o),
                behind.count(o));
  }
  const std::size_t value_changes = in_front.count(Op::kSet) + in_front.count(Op::kDeleteValue);
  std::printf("value changes: %zu; reads before them (query): %zu, %.2f per value change\n",
              value_changes, behind.count(Op::kQuery) - in_front.count(Op::kQuery),
              value_changes ? double(behind.count(Op::kQuery) - in_front.count(Op::kQuery)) /
                                  double(value_changes)
                            : 0.0);
  std::printf("added by the journal: %zu, %.2f per changing call; journal entries: %zu\n", added,
              changes ? double(added) / double(changes) : 0.0, journal.entries().size());
  return 0;
}
