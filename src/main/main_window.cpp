#include "main/main_window.h"

#include "main/splash.h"
#include "main/trap.h"
#include "resource.h"

namespace vireo::main {
namespace {

struct PageLayout {
  const char* caption;  // the button's caption
  int top;              // the button's top inside frCmd
  int icon_id;
  const char* title;  // the page's title label
};

constexpr std::array<PageLayout, kPageCount> kPageLayout = {{
    {"Панель управления", 8, IDI_PAGE_CONTROL_PANEL, " Панель управления"},
    {"Explorer", 80, IDI_PAGE_EXPLORER, " Explorer"},
    {"Active Desktop", 152, IDI_PAGE_ACTIVE_DESKTOP, " Системные иконки, Active Desktop"},
    {"Папки и ярлыки", 224, IDI_PAGE_FOLDERS, " Папки и ярлыки"},
    {"Файлы", 296, IDI_PAGE_FILES, " Файлы"},
}};

// The design stacking order, back to front: Explorer at the back, then Active Desktop, Folders
// and shortcuts, Files, and the Control Panel page in front.
constexpr std::array<Page, kPageCount> kBackToFront = {
    Page::kExplorer, Page::kActiveDesktop, Page::kFolders, Page::kFiles, Page::kControlPanel};

constexpr int kClientWidth = 750;
constexpr int kClientHeight = 409;

}  // namespace

MainWindow::MainWindow(platform::Platform& platform, ui::Toolkit& toolkit)
    : platform_(platform), toolkit_(toolkit) {
  CreateControls();
}

MainWindow::~MainWindow() = default;

void MainWindow::CreateControls() {
  ui::WindowArgs args;
  args.kind = ui::WindowKind::kMain;
  args.title = "Vireo";
  args.client_width = kClientWidth;
  args.client_height = kClientHeight;
  args.icon_id = IDI_VIREO;
  args.menu_id = IDR_MAIN_MENU;
  args.accelerators_id = IDR_MAIN_ACCEL;
  window_ = toolkit_.CreateTopWindow(args);
  window_->on_command = [this](int id) { Trap([&] { OnCommand(id); }); };
  window_->on_close = [this] { toolkit_.Quit(0); };

  ui::ControlArgs bar;
  bar.rect = {8, 6, 93, 395};
  bar.border = true;
  picture1_ = toolkit_.CreatePicture(*window_, bar);

  ui::ControlArgs header;
  header.rect = {0, 0, 89, 17};
  header.text = "GUI Shell";
  header.font.bold = true;
  cmd0_ = toolkit_.CreateButton(*picture1_, header);

  ui::ControlArgs holder;
  holder.rect = {0, 16, 81, 369};
  fr_cmd_ = toolkit_.CreateFrame(*picture1_, holder);

  for (int i = 0; i < kPageCount; ++i) {
    const PageLayout& layout = kPageLayout[i];
    PageParts& parts = pages_[i];

    ui::ControlArgs button;
    button.rect = {8, layout.top, 73, 73};
    button.text = layout.caption;
    button.icon_id = layout.icon_id;
    parts.button = toolkit_.CreateButton(*fr_cmd_, button);
    const Page page = static_cast<Page>(i);
    parts.button->on_click = [this, page] { Trap([&] { ShowPage(page); }); };

    ui::ControlArgs frame;
    frame.rect = {109, 2, 633, 400};
    // The pages behind the Control Panel page get their controls' windows when first shown.
    frame.defer_contents = page != Page::kControlPanel;
    parts.frame = toolkit_.CreateFrame(*window_, frame);

    ui::ControlArgs title;
    title.rect = {8, 10, 617, 20};
    title.text = layout.title;
    title.font.bold = true;
    title.header = true;
    parts.title = toolkit_.CreateLabel(*parts.frame, title);
  }
  for (Page page : kBackToFront) pages_[static_cast<int>(page)].frame->BringToFront();

  CreatePageFrames();
  catalogue_ = std::make_unique<Catalogue>(platform_, toolkit_, *window_, frames_);
}

void MainWindow::CreatePageFrames() {
  struct FrameLayout {
    std::unique_ptr<ui::Frame> PageFrames::*member;
    Page page;
    const char* caption;
    ui::Rect rect;
  };
  // Two columns on every page: x = 8 and x = 320, each 305 wide, below the title bar.
  static constexpr FrameLayout kLayout[] = {
      {&PageFrames::SystemOption,
       Page::kControlPanel,
       "Отображать в \"Свойства: Система\"",
       {8, 38, 305, 96}},
      {&PageFrames::ScreenOption,
       Page::kControlPanel,
       "Отображать в \"Свойства: Экран\"",
       {8, 138, 305, 114}},
      {&PageFrames::PasswordOption,
       Page::kControlPanel,
       "Отображать в \"Пароли\"",
       {320, 38, 305, 78}},
      {&PageFrames::PrinterOption,
       Page::kControlPanel,
       "Отображать в \"Принтеры\"",
       {320, 120, 305, 78}},
      {&PageFrames::NetworkOption,
       Page::kControlPanel,
       "Отображать в \"Свойства: Сеть\"",
       {320, 202, 305, 78}},
      {&PageFrames::Frame10, Page::kExplorer, "Параметры Рабочего Стола", {8, 38, 305, 96}},
      {&PageFrames::Frame12,
       Page::kExplorer,
       "Настройки безопасности работы в сети",
       {8, 138, 305, 114}},
      {&PageFrames::Frame13, Page::kExplorer, "Настройки Explorer'а", {320, 38, 305, 354}},
      {&PageFrames::Frame2,
       Page::kActiveDesktop,
       "Отображаемые элементы в Active Desktop",
       {8, 38, 305, 96}},
      {&PageFrames::Frame3,
       Page::kActiveDesktop,
       "Настройки панели инструментов Active Desktop",
       {8, 138, 305, 60}},
      {&PageFrames::Frame7, Page::kActiveDesktop, "Параметры Корзины", {8, 202, 305, 49}},
      {&PageFrames::Frame5,
       Page::kActiveDesktop,
       "Свойства \"Мой компьютер\"",
       {320, 38, 305, 100}},
      {&PageFrames::Frame8, Page::kActiveDesktop, "Всплывающие подсказки", {320, 142, 305, 220}},
      {&PageFrames::Frame1, Page::kFolders, "Названия системных папок", {8, 38, 305, 146}},
      {&PageFrames::Frame16,
       Page::kFiles,
       "Контекстное меню для любого файла",
       {320, 38, 305, 114}},
      {&PageFrames::Frame20, Page::kFiles, "Специальные описания файлов", {320, 156, 305, 88}},
  };
  for (const FrameLayout& layout : kLayout) {
    ui::ControlArgs args;
    args.rect = layout.rect;
    args.text = layout.caption;
    frames_.*layout.member = toolkit_.CreateFrame(page(layout.page), args);
  }

  ui::ControlArgs note;
  note.rect = {kFrameRowLeft, kFrameRowTop + 4 * kTextRowStep + 4, 285, 28};
  note.text =
      "Здесь можно внести изменения в названия системных  папок, которые вступят в силу при их "
      "следующем открытии.";
  frame1_note_ = toolkit_.CreateLabel(*frames_.Frame1, note);
}

bool MainWindow::Load() {
  // 1. The splash window stays up, painted, while the rest runs without an event loop.
  Splash splash(toolkit_, platform_.regions);
  splash.Show();

  // 2. From here on every step runs under its own trap.
  // 3. The platform check: only the Windows 95/98/Me family is supported.
  if (!CheckPlatform(splash.window().Handle())) return false;

  // 4. The etched separator under the menu bar.
  Trap([&] { DrawSeparator(); });

  // 5. Configure the catalogue controls and read their states.
  Trap([&] { catalogue_->Configure(); });
  // 6. Read the two-pane Explorer state and the toolbar background.
  // 7. The menu builders and page fillers, in this order: the Applets and Programs menus,
  //    FillAppletList, ReadIconSize, FillNewList, ReadAnyFileOptions, ReadUnknownFiles,
  //    FillDriveList, FillExtList, FillIconList, CheckIconSet, ReadSourcePath,
  //    ReadInstallPaths.
  // 8. The 3-D icon availability test.
  // 9. Select the first special folder.

  // 10. The splash window unloads as it goes out of scope.
  return true;
}

void MainWindow::Show() {
  window_->Show();
  // The keyboard starts on the first page button, so Tab and the arrow keys have a place to go.
  page_button(Page::kControlPanel).Focus();
  window_->PaintNow();
}

bool MainWindow::CheckPlatform(ui::NativeHandle owner) {
  platform::OsVersion version;
  if (platform_.system.Version(&version) && version.platform_id == platform::kPlatformWindows9x) {
    return true;
  }
  platform_.messages.Show(owner, kPlatformMessage, "Vireo", platform::MessageStyle::kCriticalOk);
  platform_.system.ExitNow(0);
  return false;
}

void MainWindow::DrawSeparator() {
  window_->AddLine(0, 0, kClientWidth, 0, ui::kColorButtonShadow);
  window_->AddLine(0, 1, kClientWidth, 1, ui::kColorButtonHighlight);
}

void MainWindow::ShowPage(Page page) {
  pages_[static_cast<int>(page)].frame->BringToFront();
}

void MainWindow::Refresh() {
  // 1. The wait window stays up, painted, while the refresh runs.
  WaitWindow wait(toolkit_);
  wait.Show();

  // 2. Every step runs under its own trap.
  // 3. Give the check settings their value pairs and the choice settings their options again.
  // 4. Re-read the restriction boxes, the text settings and the My Computer boxes.
  Trap([&] { catalogue_->Reread(); });
  // 5. Re-read the two-pane Explorer state and the toolbar background path.
  // 6. FillNewList, ReadAnyFileOptions, ReadUnknownFiles, FillDriveList, FillExtList,
  //    FillIconList, CheckIconSet, ReadSourcePath, ReadInstallPaths.
  // 7. The 3-D icon availability test.

  // 8. The wait window unloads as it goes out of scope.
}

void MainWindow::Exit() {
  platform_.system.ExitNow(0);
}

void MainWindow::OnCommand(int command_id) {
  switch (command_id) {
    case IDM_FILE_REFRESH:
      Refresh();
      break;
    case IDM_FILE_EXIT:
      Exit();
      break;
    default:
      break;
  }
}

}  // namespace vireo::main
