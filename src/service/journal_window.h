// The window "Журнал изменений" (Сервис, "Журнал изменений..."): this session's changes, newest
// first, one line each: the time, the cause (the setting's caption or the command), the registry
// path or the file, and the state before and after. It is modal over the main window.
//
// - "Отменить" undoes the entries whose lines are ticked, newest first; with none ticked, the
//   selected line's entry.
// - "Отменить все" undoes every entry of the session, newest first.
// - Before undoing an entry whose target has changed since the program left it (another program
//   wrote there), the user is asked; "Нет" leaves that entry alone.
// - "Сохранить как..." writes the undo of the whole session as a REGEDIT4 file, which the
//   registry editor merges back to the registry as it was before the session.
// After an undo the window shows the journal again and `on_undone` lets the pages read anew.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "platform/platform.h"
#include "service/journal.h"
#include "ui/toolkit.h"

namespace vireo::service {

inline constexpr char kJournalTitle[] = "Журнал изменений";
inline constexpr char kChangedQuestion[] =
    "После этого изменения значение изменила другая программа.\r\n"
    "Всё равно вернуть прежнее состояние?";

// One line of the list for `entry`.
std::string EntryLine(const Entry& entry);

void RunJournalWindow(platform::Platform& platform, ui::Toolkit& toolkit, ui::Window& owner,
                      Journal& journal, std::function<void()> on_undone);

class JournalWindow {
 public:
  JournalWindow(platform::Platform& platform, ui::Toolkit& toolkit, Journal& journal,
                std::function<void()> on_undone);
  ~JournalWindow();
  JournalWindow(const JournalWindow&) = delete;
  JournalWindow& operator=(const JournalWindow&) = delete;

  ui::Window& window() { return *window_; }

 private:
  void Fill();
  bool Confirm(const Entry& entry);
  void UndoChosen();
  void UndoAll();
  void SaveAs();
  void OnCommand(int command_id);  // Escape closes the window

  platform::Platform& platform_;
  Journal& journal_;
  std::function<void()> on_undone_;
  std::unique_ptr<ui::Window> window_;
  std::unique_ptr<ui::CheckList> list_;
  std::unique_ptr<ui::Button> undo_;
  std::unique_ptr<ui::Button> undo_all_;
  std::unique_ptr<ui::Button> save_;
  std::unique_ptr<ui::Button> close_;
  std::vector<int> shown_;  // the entry number of each line
};

}  // namespace vireo::service
