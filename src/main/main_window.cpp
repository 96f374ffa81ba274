#include "main/main_window.h"

#include <algorithm>

#include "main/search_window.h"
#include "main/splash.h"
#include "resource.h"
#include "service/journal_window.h"
#include "ui/trap.h"

namespace vireo::main {
namespace {

// The left bar: the page buttons, one under the other, overlapping by a pixel, in frCmd.
constexpr int kButtonsTop = 8;
constexpr int kButtonStep = 72;  // as long as they fit
constexpr int kButtonBarHeight = 369;
// The shell's id blocks (resource.h) hold every page of the table.
static_assert(IDC_PAGE_BUTTON_FIRST + kPageCount <= IDC_PAGE_FIRST &&
                  IDC_PAGE_FIRST + kPageCount <= IDC_PAGE_TITLE_FIRST &&
                  IDC_PAGE_TITLE_FIRST + kPageCount <= IDC_GROUP_FIRST,
              "more pages than the shell's control ids have room for");

// Positions of the popup menus in the menu bar.
constexpr int kMenuPrograms = 2;
constexpr int kMenuApplets = 3;

// How long a setting jumped to keeps its caption marked.
constexpr int kMarkMs = 2000;
constexpr char kMarkBefore[] = "» ";
constexpr char kMarkAfter[] = " «";

constexpr int kClientWidth = 750;
constexpr int kClientHeight = 409;

}  // namespace

MainWindow::MainWindow(platform::Platform& platform, ui::Toolkit& toolkit,
                       service::Journal* journal)
    : platform_(platform), toolkit_(toolkit), journal_(journal) {
  CreateShell();
  CreatePages();
}

MainWindow::~MainWindow() = default;

void MainWindow::CreateShell() {
  ui::WindowArgs args;
  args.kind = ui::WindowKind::kMain;
  args.title = "Vireo";
  args.client_width = kClientWidth;
  args.client_height = kClientHeight;
  args.icon_id = IDI_VIREO;
  args.menu_id = IDR_MAIN_MENU;
  args.accelerators_id = IDR_MAIN_ACCEL;
  window_ = toolkit_.CreateTopWindow(args);
  window_->on_command = ui::Trapped(&MainWindow::OnCommand, this);
  window_->on_close = ui::Trapped(&ui::Toolkit::Quit, &toolkit_, 0);

  ui::ControlArgs bar{.rect = {8, 6, 93, 395}, .border = true};
  picture1_ = toolkit_.CreatePicture(*window_, bar);

  ui::ControlArgs header{
      .id = IDC_BAR_HEADER, .rect = {0, 0, 89, 17}, .text = "GUI Shell", .font = {.bold = true}};
  cmd0_ = toolkit_.CreateButton(*picture1_, header);

  ui::ControlArgs holder{.rect = {0, 16, 81, kButtonBarHeight}};
  fr_cmd_ = toolkit_.CreateFrame(*picture1_, holder);

  const int step = std::min(kButtonStep, (kButtonBarHeight - kButtonsTop) / kPageCount);
  for (int i = 0; i < kPageCount; ++i) {
    const PageEntry& entry = kPages[i];
    PageShell& shell = shells_[i];

    ui::ControlArgs button{.id = IDC_PAGE_BUTTON_FIRST + i,
                           .rect = {8, kButtonsTop + i * step, 73, step + 1},
                           .text = entry.caption,
                           .icon_id = entry.icon_id};
    shell.button = toolkit_.CreateButton(*fr_cmd_, button);
    shell.button->on_click = ui::Trapped(&MainWindow::ShowPage, this, entry.id);

    ui::ControlArgs frame{.id = IDC_PAGE_FIRST + i, .rect = {109, 2, 633, 400}};
    // The pages behind the first one get their controls' windows when first shown.
    frame.defer_contents = i != 0;
    shell.frame = toolkit_.CreateFrame(*window_, frame);

    ui::ControlArgs title{.id = IDC_PAGE_TITLE_FIRST + i,
                          .rect = {8, 10, 617, 20},
                          .text = entry.title,
                          .header = true,
                          .font = {.bold = true}};
    shell.title = toolkit_.CreateLabel(*shell.frame, title);
  }
  // The stacking order, back to front: the second page at the back, the later ones before it in
  // turn, and the first page in front.
  for (int i = 1; i < kPageCount; ++i) shells_[i].frame->BringToFront();
  shells_[0].frame->BringToFront();
}

void MainWindow::CreatePages() {
  context_ = std::make_unique<PageContext>(PageContext{platform_, toolkit_, *window_, {}});
  std::array<Page*, kPageCount> pages{};
  for (int i = 0; i < kPageCount; ++i) {
    const std::size_t made = context_->bindings.size();
    pages_[i] = kPages[i].make(*context_, *shells_[i].frame);
    pages[i] = pages_[i].get();
    for (std::size_t b = made; b < context_->bindings.size(); ++b) context_->bindings[b].page = i;
  }
  catalogue_ = std::make_unique<Catalogue>(platform_, toolkit_, *window_, pages);
  launch_menus_ = std::make_unique<service::LaunchMenus>(platform_, window_->MenuAt(kMenuPrograms),
                                                         window_->MenuAt(kMenuApplets));
  service_menu_ = std::make_unique<service::ServiceMenu>(platform_, toolkit_, *window_);
  service_menu_->on_journal = [this] {
    if (journal_ == nullptr) return;
    service::RunJournalWindow(platform_, toolkit_, *window_, *journal_, [this] { RereadAll(); });
  };

  // The start-up sequence from its fifth step on, one part a step, in the order of StartStep;
  // the refresh asks each part again.
  std::vector<PlacedPart> placed = {{StartStep::kCatalogue, catalogue_.get()},
                                    {StartStep::kLaunchMenus, launch_menus_.get()}};
  for (const std::unique_ptr<Page>& page : pages_) {
    placed.insert(placed.end(), page->parts().begin(), page->parts().end());
  }
  std::stable_sort(placed.begin(), placed.end(),
                   [](const PlacedPart& a, const PlacedPart& b) { return a.step < b.step; });
  for (const PlacedPart& p : placed) parts_.push_back(p.part);
}

bool MainWindow::Load() {
  // 1. The splash window stays up, painted, while the rest runs without an event loop.
  Splash splash(toolkit_, platform_.regions);
  splash.Show();

  // 2. From here on every step runs under its own trap.
  // 3. The platform check: only the Windows 95/98/Me family is supported.
  if (!CheckPlatform(splash.window().Handle())) return false;

  // 4. The etched separator under the menu bar.
  ui::Trap([&] { DrawSeparator(); });

  // 5. to 9. The catalogue, the Explorer view, the menus and fillers, the 3-D icon test and the
  //    first special folder, each its own step.
  for (PagePart* part : parts_) ui::Trap([part] { part->Load(); });

  // 10. The splash window unloads as it goes out of scope.
  return true;
}

void MainWindow::Show() {
  window_->Show();
  // The keyboard starts on the first page button, so Tab and the arrow keys have a place to go.
  shells_[0].button->Focus();
  window_->PaintNow();
  // Under Wine a window costs half a millisecond, the Explorer page alone over a hundred: made
  // now, while nobody waits, the first switch to a page costs no more than the later ones.
  ahead_ = toolkit_.CreateIdleWork(*window_);
  ahead_->on_slice = [this] {
    bool more = false;
    ui::Trap([&] { more = MakeAheadSlice(); });
    return more;
  };
  ahead_->Start();
}

bool MainWindow::MakeAheadSlice() {
  // One child of a page frame (a frame of the page with all it holds) a slice, page after page;
  // the first page has its windows already. Then the parts read ahead.
  if (ahead_page_ < kPageCount) {
    if (ahead_page_ == 0 || shells_[ahead_page_].frame->MakeContentsAhead()) ++ahead_page_;
    return true;
  }
  for (PagePart* part : parts_) ui::Trap([part] { part->ReadAhead(); });
  return false;
}

bool MainWindow::CheckPlatform(ui::NativeHandle owner) {
  platform::OsVersion version;
  if (platform_.system.Version(&version) && version.platform_id == platform::kPlatformWindows9x) {
    return true;
  }
  platform_.messages.Show(owner, kPlatformMessage, platform::kMessageTitle,
                          platform::MessageStyle::kCriticalOk);
  platform_.system.ExitNow(0);
  return false;
}

void MainWindow::DrawSeparator() {
  window_->AddLine(0, 0, kClientWidth, 0, ui::kColorButtonShadow);
  window_->AddLine(0, 1, kClientWidth, 1, ui::kColorButtonHighlight);
}

void MainWindow::ShowPage(PageId p) {
  page_frame(p).BringToFront();
  // What the page shows is read again as the refresh reads it, so that changes made outside the
  // program show.
  ui::Trap([&] { catalogue_->RereadPage(p); });
  ui::Trap([&] { page(p).Reread(); });
}

void MainWindow::Refresh() {
  // 1. The wait window stays up, painted, while the refresh runs.
  WaitWindow wait(toolkit_);
  wait.Show();

  // 2. to 7. Every part that the refresh re-reads, each its own step: the catalogue's pairs,
  //    options, states and texts; the Explorer view; the fillers; the 3-D icon test. The launch
  //    menus, the applet list, the icon size and the special folder are not read again.
  for (PagePart* part : parts_) ui::Trap([part] { part->Refresh(Reading::kRefresh); });

  // 8. The wait window unloads as it goes out of scope.
}

void MainWindow::RereadAll() {
  for (PagePart* part : parts_) ui::Trap([part] { part->Reload(); });
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
    case IDM_FILE_FIND:
      Find();
      break;
    case IDM_FILE_FIND_NEXT:
      FindNext();
      break;
    default:
      // Each remaining command id belongs to one menu, and runs one call there.
      if (!launch_menus_->OnCommand(command_id)) service_menu_->OnCommand(command_id);
      break;
  }
}

std::vector<Binding> MainWindow::Bindings() {
  std::vector<Binding> bindings = context_->bindings;
  std::vector<Binding> catalogue = catalogue_->Bindings();
  bindings.insert(bindings.end(), catalogue.begin(), catalogue.end());
  return bindings;
}

// The index is made each time it is needed, from what the pages show then: a few hundred lines,
// no registry read, and nothing at start-up.
void MainWindow::Find() {
  const SettingIndex index(Bindings());
  const int chosen = RunSearchWindow(toolkit_, *window_, index, &search_text_);
  if (chosen >= 0) JumpTo(index, chosen);
}

void MainWindow::FindNext() {
  const SettingIndex index(Bindings());
  const std::vector<int> found = index.Match(search_text_);
  if (search_text_.empty() || found.empty()) {
    Find();
    return;
  }
  const auto next = std::upper_bound(found.begin(), found.end(), found_);
  JumpTo(index, next == found.end() ? found.front() : *next);
}

void MainWindow::JumpTo(const SettingIndex& index, int i) {
  const Finding& finding = index.at(i);
  const Binding& binding = index.binding(finding);
  found_ = i;
  ShowPage(static_cast<PageId>(finding.page));
  if (finding.item >= 0) {
    if (binding.select) {
      binding.select(finding.item);
    } else {
      binding.list->SetSelection(finding.item);
    }
  }
  binding.control->Focus();
  Unmark();
  if (binding.caption == nullptr) return;
  if (!mark_timer_) {
    mark_timer_ = toolkit_.CreateTimer(*window_);
    mark_timer_->on_tick = ui::Trapped(&MainWindow::Unmark, this);
  }
  marked_ = binding.caption;
  marked_text_ = marked_->Text();
  marked_->SetText(kMarkBefore + marked_text_ + kMarkAfter);
  mark_timer_->Start(kMarkMs);
}

void MainWindow::Unmark() {
  if (mark_timer_) mark_timer_->Stop();
  if (marked_ != nullptr) marked_->SetText(marked_text_);
  marked_ = nullptr;
}

}  // namespace vireo::main
