#include "main/search_window.h"

#include <algorithm>

#include "resource.h"
#include "ui/trap.h"

namespace vireo::main {
namespace {

constexpr int kClientWidth = 680;
constexpr int kClientHeight = 300;
// Wide enough for the longest line of the index in the dialog font.
constexpr int kCharWidth = 6;

}  // namespace

int RunSearchWindow(ui::Toolkit& toolkit, ui::Window& owner, const SettingIndex& index,
                    std::string* query) {
  SearchWindow window(toolkit, index, *query);
  toolkit.RunModal(window.window(), owner);
  *query = window.query();
  return window.chosen();
}

SearchWindow::SearchWindow(ui::Toolkit& toolkit, const SettingIndex& index,
                           const std::string& query)
    : index_(index) {
  ui::WindowArgs args;
  args.kind = ui::WindowKind::kModal;
  args.title = kSearchTitle;
  args.client_width = kClientWidth;
  args.client_height = kClientHeight;
  window_ = toolkit.CreateTopWindow(args);
  ui::Window& w = *window_;
  // In the order of the Tab key: the text, the list, the buttons.
  label_ = toolkit.CreateLabel(w, {.rect = {8, 11, 110, 17}, .text = "Слово или путь:"});
  // Up and Down in the text move the current line of the list, so the hands stay on the keys.
  text_ = toolkit.CreateTextBox(
      w, {.id = IDC_SEARCH_TEXT, .rect = {120, 8, 552, 20}, .keys_to = IDC_SEARCH_LIST});
  list_ = toolkit.CreateListBox(
      w, {.id = IDC_SEARCH_LIST, .rect = {8, 36, 664, 222}, .steady_scroll_bars = true});
  count_ = toolkit.CreateLabel(w, {.id = IDC_SEARCH_COUNT, .rect = {8, 272, 300, 17}});
  go_ = toolkit.CreateButton(w,
                             {.id = IDC_SEARCH_GO, .rect = {474, 267, 96, 25}, .text = "&Перейти"});
  close_ = toolkit.CreateButton(
      w, {.id = IDC_SEARCH_CLOSE, .rect = {576, 267, 96, 25}, .text = "Закрыть"});

  text_->on_change = ui::Trapped(&SearchWindow::Filter, this);
  list_->on_double_click = ui::Trapped(&SearchWindow::Go, this);
  go_->on_click = ui::Trapped(&SearchWindow::Go, this);
  close_->on_click = ui::Trapped(&ui::Window::Close, window_.get());
  window_->on_command = ui::Trapped(&SearchWindow::OnCommand, this);
  // The sideways scrolling fits the longest line of the index, whatever the list shows: a scroll
  // bar that came and went with the lines would cost a keystroke more than the filtering.
  std::size_t longest = 0;
  for (int i = 0; i < index.size(); ++i) longest = std::max(longest, index.at(i).line.size());
  list_->SetHorizontalExtent(static_cast<int>(longest) * kCharWidth);
  text_->SetText(query);
  ui::Trap([this] { Filter(); });
  text_->Focus();
}

SearchWindow::~SearchWindow() = default;

// The list shows the findings of the text as it stands, the first one current, so that Enter
// goes to it.
// A keystroke that leaves the same findings leaves the list alone.
void SearchWindow::Filter() {
  std::vector<int> found = index_.Match(text_->Text());
  if (found != shown_ || list_->Count() != static_cast<int>(found.size())) {
    shown_ = std::move(found);
    std::vector<std::string> lines;
    for (int i : shown_) lines.push_back(index_.at(i).line);
    list_->SetItems(lines);
  }
  if (!shown_.empty()) list_->SetSelection(0);
  go_->SetEnabled(!shown_.empty());
  count_->SetText(shown_.empty() ? std::string("Ничего не найдено")
                                 : "Найдено: " + std::to_string(shown_.size()));
}

void SearchWindow::Go() {
  const int line = list_->Selection();
  if (line < 0 || line >= static_cast<int>(shown_.size())) return;
  chosen_ = shown_[static_cast<std::size_t>(line)];
  window_->Close();
}

void SearchWindow::OnCommand(int command_id) {
  if (command_id == ui::kCommandEnter) Go();
  if (command_id == ui::kCommandEscape) window_->Close();
}

}  // namespace vireo::main
