// The main window (frmMain): the program's start-up window and its only long-lived one. It owns
// the frame and layout, the page buttons, the "Файл" menu and the start-up and refresh sequences;
// the pages' contents are added by their own parts, each at its marked place in the sequences.
#pragma once

#include <array>
#include <memory>

#include "main/catalogue.h"
#include "main/page_frames.h"
#include "platform/platform.h"
#include "ui/toolkit.h"

namespace vireo::main {

// The pages, in the order of their buttons from top to bottom.
enum class Page {
  kControlPanel,   // Command10, Frame4
  kExplorer,       // Command14, Frame11
  kActiveDesktop,  // Command13, Frame9
  kFolders,        // Command12, Frame22
  kFiles,          // Command11, Frame15
};
inline constexpr int kPageCount = 5;

inline constexpr char kPlatformMessage[] =
    "Vireo требует наличия установленной и запущенной ОС Windows 9x (95/98/Me). Продолжение "
    "работы невозможно.";

class MainWindow {
 public:
  MainWindow(platform::Platform& platform, ui::Toolkit& toolkit);
  ~MainWindow();
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // The load handler: runs the start-up sequence. False when the program has to end (the
  // platform check refused); the main window is then never shown.
  bool Load();
  // Shows the window with the Control Panel page in front.
  void Show();

  // A page button's click: brings that page to the front and changes nothing else.
  void ShowPage(Page page);
  // "Обновить данные" (F5).
  void Refresh();
  // "Выход": ends the program at once.
  void Exit();

  ui::Window& window() { return *window_; }
  ui::Frame& page(Page p) { return *pages_[static_cast<int>(p)].frame; }
  ui::Button& page_button(Page p) { return *pages_[static_cast<int>(p)].button; }
  PageFrames& frames() { return frames_; }
  Catalogue& catalogue() { return *catalogue_; }

 private:
  struct PageParts {
    std::unique_ptr<ui::Button> button;
    std::unique_ptr<ui::Frame> frame;
    std::unique_ptr<ui::Label> title;
  };

  void CreateControls();
  void CreatePageFrames();
  bool CheckPlatform(ui::NativeHandle owner);
  void DrawSeparator();
  void OnCommand(int command_id);

  platform::Platform& platform_;
  ui::Toolkit& toolkit_;
  std::unique_ptr<ui::Window> window_;
  std::unique_ptr<ui::Picture> picture1_;  // the left bar
  std::unique_ptr<ui::Button> cmd0_;       // "GUI Shell", no action
  std::unique_ptr<ui::Frame> fr_cmd_;      // holds the page buttons
  std::array<PageParts, kPageCount> pages_;
  PageFrames frames_;
  std::unique_ptr<ui::Label> frame1_note_;
  std::unique_ptr<Catalogue> catalogue_;
};

}  // namespace vireo::main
