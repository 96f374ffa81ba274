#include "service/journal_window.h"

#include <algorithm>

#include "platform/open_file.h"
#include "resource.h"
#include "service/journal_text.h"
#include "ui/trap.h"

namespace vireo::service {
namespace {

constexpr int kClientWidth = 620;
constexpr int kClientHeight = 330;

}  // namespace

std::string EntryLine(const Entry& entry) {
  const std::string time = entry.time.size() > 11 ? entry.time.substr(11) : entry.time;
  return time + "  " + (entry.cause.empty() ? std::string("-") : entry.cause) + "  " +
         TargetText(entry.change) + "  " + BeforeText(entry.change) + " -> " +
         AfterText(entry.change);
}

void RunJournalWindow(platform::Platform& platform, ui::Toolkit& toolkit, ui::Window& owner,
                      Journal& journal, std::function<void()> on_undone) {
  JournalWindow window(platform, toolkit, journal, std::move(on_undone));
  toolkit.RunModal(window.window(), owner);
}

JournalWindow::JournalWindow(platform::Platform& platform, ui::Toolkit& toolkit, Journal& journal,
                             std::function<void()> on_undone)
    : platform_(platform), journal_(journal), on_undone_(std::move(on_undone)) {
  ui::WindowArgs args;
  args.kind = ui::WindowKind::kModal;
  args.title = kJournalTitle;
  args.client_width = kClientWidth;
  args.client_height = kClientHeight;
  window_ = toolkit.CreateTopWindow(args);
  list_ = toolkit.CreateCheckList(*window_, {.id = IDC_JOURNAL_LIST, .rect = {8, 8, 604, 276}});
  undo_ = toolkit.CreateButton(
      *window_, {.id = IDC_JOURNAL_UNDO, .rect = {8, 296, 110, 25}, .text = "Отменить"});
  undo_all_ = toolkit.CreateButton(
      *window_, {.id = IDC_JOURNAL_UNDO_ALL, .rect = {126, 296, 110, 25}, .text = "Отменить все"});
  save_ = toolkit.CreateButton(
      *window_, {.id = IDC_JOURNAL_SAVE, .rect = {244, 296, 130, 25}, .text = "Сохранить как..."});
  close_ = toolkit.CreateButton(
      *window_, {.id = IDC_JOURNAL_CLOSE, .rect = {502, 296, 110, 25}, .text = "Закрыть"});
  undo_->on_click = ui::Trapped(&JournalWindow::UndoChosen, this);
  undo_all_->on_click = ui::Trapped(&JournalWindow::UndoAll, this);
  save_->on_click = ui::Trapped(&JournalWindow::SaveAs, this);
  close_->on_click = ui::Trapped(&ui::Window::Close, window_.get());
  window_->on_command = ui::Trapped(&JournalWindow::OnCommand, this);
  Fill();
}

JournalWindow::~JournalWindow() = default;

void JournalWindow::Fill() {
  list_->Clear();
  shown_.clear();
  const std::vector<Entry>& entries = journal_.entries();
  for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
    list_->AddItem(EntryLine(*it));
    shown_.push_back(it->number);
  }
  const bool any = !entries.empty();
  undo_->SetEnabled(any);
  undo_all_->SetEnabled(any);
  save_->SetEnabled(any);
}

bool JournalWindow::Confirm(const Entry& entry) {
  const std::string question = std::string(kChangedQuestion) + "\r\n\r\n" + EntryLine(entry);
  return platform_.messages.Show(window_->Handle(), question, platform::kMessageTitle,
                                 platform::MessageStyle::kQuestionYesNo) == platform::Answer::kYes;
}

void JournalWindow::UndoChosen() {
  std::vector<int> chosen;  // newest first, as the lines are
  for (int i = 0; i < list_->Count(); ++i) {
    if (list_->ItemChecked(i)) chosen.push_back(shown_[static_cast<std::size_t>(i)]);
  }
  const int selected = list_->Selection();
  if (chosen.empty() && selected >= 0 && selected < static_cast<int>(shown_.size())) {
    chosen.push_back(shown_[static_cast<std::size_t>(selected)]);
  }
  if (chosen.empty()) return;
  for (int number : chosen) {
    ui::Trap([&] { journal_.Undo(number, [this](const Entry& e) { return Confirm(e); }); });
  }
  Fill();
  if (on_undone_) on_undone_();
}

void JournalWindow::OnCommand(int command_id) {
  if (command_id == ui::kCommandEscape) window_->Close();
}

void JournalWindow::UndoAll() {
  journal_.UndoAll([this](const Entry& e) { return Confirm(e); });
  Fill();
  if (on_undone_) on_undone_();
}

void JournalWindow::SaveAs() {
  const std::string path = platform_.open_file.chooser().ChooseFileToSave(
      window_->Handle(), platform::MakeFilterList("Файлы реестра (*.reg)|*.reg"), "Сохранить как",
      "reg");
  if (path.empty()) return;
  // The saved file is the user's own: writing it is not a change to record.
  if (!journal_.real_files().Replace(path, UndoFileText(journal_.entries()))) {
    platform_.messages.Show(window_->Handle(), "Не удалось записать файл " + path + ".",
                            platform::kMessageTitle, platform::MessageStyle::kCriticalOk);
  }
}

}  // namespace vireo::service
