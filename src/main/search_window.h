// The window "Поиск параметра" ("Файл", "Найти параметр...", Ctrl+F): a text box, the list of
// the settings that match what is typed, "Перейти" and "Закрыть". Every change of the text
// filters the list anew; each line shows the caption, the page and the registry entry. Enter,
// a double click or "Перейти" chooses the current line; Escape or "Закрыть" chooses nothing. It
// is modal over the main window, reads nothing but the index and writes nothing.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "main/setting_search.h"
#include "ui/toolkit.h"

namespace vireo::main {

inline constexpr char kSearchTitle[] = "Поиск параметра";

// Runs the window over `index`, the text box starting with `*query`; afterwards `*query` holds
// what was typed last. The finding chosen, or -1.
int RunSearchWindow(ui::Toolkit& toolkit, ui::Window& owner, const SettingIndex& index,
                    std::string* query);

class SearchWindow {
 public:
  SearchWindow(ui::Toolkit& toolkit, const SettingIndex& index, const std::string& query);
  ~SearchWindow();
  SearchWindow(const SearchWindow&) = delete;
  SearchWindow& operator=(const SearchWindow&) = delete;

  ui::Window& window() { return *window_; }
  std::string query() const { return text_->Text(); }
  int chosen() const { return chosen_; }

 private:
  void Filter();
  void Go();
  void OnCommand(int command_id);

  const SettingIndex& index_;
  std::unique_ptr<ui::Window> window_;
  std::unique_ptr<ui::Label> label_;
  std::unique_ptr<ui::TextBox> text_;
  std::unique_ptr<ui::ListControl> list_;
  std::unique_ptr<ui::Label> count_;
  std::unique_ptr<ui::Button> go_;
  std::unique_ptr<ui::Button> close_;
  std::vector<int> shown_;  // the finding of each line
  int chosen_ = -1;
};

}  // namespace vireo::main
