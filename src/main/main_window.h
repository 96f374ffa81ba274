// The main window (frmMain): the program's start-up window and its only long-lived one. It is the
// shell only: the title bar and menu, the left bar with the page buttons, the page frames with
// their titles, all made from the table of pages (page_table.h), and the ordered list of page
// parts that start-up loads and the refresh reads again. What is on a page belongs to the page
// (one file pair each).
#pragma once

#include <array>
#include <memory>
#include <stdexcept>
#include <vector>

#include "main/catalogue.h"
#include "main/page.h"
#include "main/page_table.h"
#include "main/setting_search.h"
#include "platform/platform.h"
#include "service/journal.h"
#include "service/launch_menus.h"
#include "service/service_menu.h"
#include "ui/toolkit.h"

namespace vireo::main {

inline constexpr char kPlatformMessage[] =
    "Vireo требует наличия установленной и запущенной ОС Windows 9x (95/98/Me). Продолжение "
    "работы невозможно.";

class MainWindow {
 public:
  // With a journal, "Сервис" offers its window ("Журнал изменений...").
  MainWindow(platform::Platform& platform, ui::Toolkit& toolkit,
             service::Journal* journal = nullptr);
  ~MainWindow();
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // The load handler: runs the start-up sequence. False when the program has to end (the
  // platform check refused); the main window is then never shown.
  bool Load();
  // Shows the window with the first page in front. Once it has been painted, while the
  // program is idle, the pages behind it get their windows a few at a time, then the New-menu
  // list is read.
  void Show();

  // A page button's click: brings that page to the front, and its controls read the registry
  // again; nothing is written.
  void ShowPage(PageId page);
  // "Обновить данные" (F5).
  void Refresh();
  // After an undo: every page's controls read the registry and the files again, start-up-only
  // lists included; nothing is written and no wait window shows.
  void RereadAll();
  // "Выход": ends the program at once.
  void Exit();
  // "Найти параметр..." (Ctrl+F): the search window; the setting chosen there is jumped to.
  void Find();
  // "Найти далее" (F3): the next setting that the last search's text finds, without the window;
  // the window when nothing was searched yet.
  void FindNext();
  // Every registry-bound control of the pages, with its page (see Binding).
  std::vector<Binding> Bindings();
  // Brings the page of finding `i` to the front (with the page switch's reading), makes a list's
  // item current, focuses the control and marks its caption for a moment. Writes nothing.
  void JumpTo(const SettingIndex& index, int i);

  ui::Window& window() { return *window_; }
  ui::Frame& page_frame(PageId p) { return *shells_[static_cast<int>(p)].frame; }
  ui::Button& page_button(PageId p) { return *shells_[static_cast<int>(p)].button; }
  Catalogue& catalogue() { return *catalogue_; }
  Page& page(PageId p) { return *pages_[static_cast<int>(p)]; }
  // The page of type P (window.page<FilesPage>()).
  template <class P>
  P& page() {
    for (const std::unique_ptr<Page>& p : pages_) {
      if (auto* found = dynamic_cast<P*>(p.get())) return *found;
    }
    throw std::logic_error("no such page");
  }

 private:
  // What the shell keeps of each page: its button, its frame and its title.
  struct PageShell {
    std::unique_ptr<ui::Button> button;
    std::unique_ptr<ui::Frame> frame;
    std::unique_ptr<ui::Label> title;
  };

  void CreateShell();
  void CreatePages();
  bool CheckPlatform(ui::NativeHandle owner);
  void DrawSeparator();
  void OnCommand(int command_id);
  // One slice of the idle work after the first paint; false when it is done.
  bool MakeAheadSlice();
  // The caption that JumpTo marked shows its own text again.
  void Unmark();

  platform::Platform& platform_;
  ui::Toolkit& toolkit_;
  service::Journal* journal_;
  std::unique_ptr<ui::Window> window_;
  std::unique_ptr<ui::Picture> picture1_;  // the left bar
  std::unique_ptr<ui::Button> cmd0_;       // "GUI Shell", no action
  std::unique_ptr<ui::Frame> fr_cmd_;      // holds the page buttons
  std::array<PageShell, kPageCount> shells_;
  std::unique_ptr<PageContext> context_;
  std::unique_ptr<service::LaunchMenus> launch_menus_;  // "Программы" and "Апплеты"
  std::unique_ptr<service::ServiceMenu> service_menu_;  // "Сервис" and "Справка"
  std::array<std::unique_ptr<Page>, kPageCount> pages_;
  std::unique_ptr<Catalogue> catalogue_;
  // The steps of the start-up sequence after the platform check and the separator, in order;
  // the refresh runs the same list.
  std::vector<PagePart*> parts_;
  // The pages' windows made ahead of their first showing, then the New-menu list read.
  std::unique_ptr<ui::IdleWork> ahead_;
  int ahead_page_ = 0;
  // The search: the text typed last and the finding jumped to last; the marked caption.
  std::string search_text_;
  int found_ = -1;
  std::unique_ptr<ui::Timer> mark_timer_;
  ui::Widget* marked_ = nullptr;
  std::string marked_text_;
};

}  // namespace vireo::main
