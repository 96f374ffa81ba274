#include "main/explorer_page.h"

#include <cstdint>
#include <string>

#include "main/page_table.h"
#include "registry/ansi_text.h"
#include "registry/reg_access.h"
#include "resource.h"
#include "ui/trap.h"

namespace vireo::main {
namespace {

using registry::RegValue;
using registry::ValueType;

constexpr int kDriveCount = 26;

// The drive mask as stored: a number, or 4 bytes of binary data read as the little-endian
// number the shell takes them for. Anything else counts as 0: every drive shown.
std::uint32_t DriveMask(const RegValue& value) {
  if (value.IsNumber()) return static_cast<std::uint32_t>(value.number());
  if (value.IsBytes() && value.bytes().size() == 4) {
    const auto& b = value.bytes();
    return b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
  }
  return 0;
}

}  // namespace

DriveList::DriveList(PageContext& context, ui::Container& parent) : context_(context) {
  list_ = context.toolkit.CreateCheckList(
      parent, {.id = IDC_DRIVES_LIST, .rect = {kFrameRowLeft, kFrameRowTop, 285, 100}});
  for (int i = 0; i < kDriveCount; ++i) {
    list_->AddItem(std::string(1, static_cast<char>('A' + i)) + ":\\");
  }
  list_->on_item_check = ui::Trapped(&DriveList::OnItemCheck, this);
  // Every drive's tick is one bit of the same value.
  list_->SetTooltip(ValuesTip(context.platform.registry, {kNoDrives}));
  BindItems(context, *list_, parent, [](int) { return std::vector<std::string>{kNoDrives}; });
}

void DriveList::Fill(Reading reading) {
  RegValue value;
  std::uint32_t mask = 0;
  if (registry::RegRead(context_.platform.registry, kNoDrives, &value) == 0)
    mask = DriveMask(value);
  for (int i = 0; i < kDriveCount; ++i) list_->SetItemChecked(i, (mask & (1u << i)) == 0);
  if (reading == Reading::kRefresh) list_->SetSelection(0);
}

void DriveList::OnItemCheck(int) {
  std::int32_t mask = 0;
  for (int i = 0; i < kDriveCount; ++i) {
    if (!list_->ItemChecked(i)) mask |= 1 << i;
  }
  platform::Registry& reg = context_.platform.registry;
  const std::int32_t status =
      mask == 0 ? registry::RegDelete(reg, kNoDrives)
                : registry::RegWrite(reg, kNoDrives, RegValue::Number(mask), ValueType::kNumber);
  if (status != 0) Load();  // the list shows what the registry still holds
}

ExplorerView::ExplorerView(PageContext& context, ui::Container& frame13) : context_(context) {
  ui::Toolkit& tk = context.toolkit;
  check1_ =
      tk.CreateCheckBox(frame13, {.id = IDC_TWO_PANE,
                                  .rect = {kFrameRowLeft, kFrameRowTop + kCheckRowStep, 285, 17},
                                  .text = "Использовать две панели в Проводнике"});
  frame14_ = tk.CreateFrame(frame13, {.id = IDC_TOOLBAR_BACKGROUND_FRAME,
                                      .rect = {8, 152, 289, 194},
                                      .text = "Фон панели инструментов"});
  text1_ =
      tk.CreateTextBox(*frame14_, {.id = IDC_TOOLBAR_BACKGROUND_PATH, .rect = {10, 20, 190, 20}});
  command5_ = tk.CreateButton(
      *frame14_,
      {.id = IDC_TOOLBAR_BACKGROUND_BROWSE, .rect = {206, 20, 73, 20}, .text = "Обзор..."});
  ui::ControlArgs image{
      .id = IDC_TOOLBAR_BACKGROUND_PREVIEW,
      .rect = {10, 48, 161, 97},
      .border = true,  // Shape1, the preview's frame
  };
  image1_ = tk.CreatePicture(*frame14_, image);
  command6_ = tk.CreateButton(
      *frame14_,
      {.id = IDC_TOOLBAR_BACKGROUND_VIEW, .rect = {180, 48, 99, 20}, .text = "Просмотр"});

  check1_->on_click = ui::Trapped(&ExplorerView::OnCheck1, this);
  text1_->on_change = ui::Trapped(&ExplorerView::OnText1, this);
  command5_->on_click = ui::Trapped(&ExplorerView::OnBrowse, this);
  command6_->on_click = ui::Trapped(&ExplorerView::OnPreview, this);
  BindValues(context, *check1_, *check1_, frame13, {kFolderOpenCommand});
  BindValues(context, *text1_, *frame14_, *frame14_, {kToolbarBackground});
}

// The two-pane command, compared without regard to letter case (blanks count).
bool ExplorerView::StoredTwoPane() {
  RegValue value;
  if (registry::RegRead(context_.platform.registry, kFolderOpenCommand, &value) != 0) return false;
  return registry::UpperAnsi(value.AsText()) == registry::UpperAnsi(kTwoPaneCommand);
}

void ExplorerView::ReadBackground() {
  RegValue value = RegValue::Text("");
  if (registry::RegRead(context_.platform.registry, kToolbarBackground, &value) != 0) {
    value = RegValue::Text("");
  }
  text1_->SetText(value.AsText());
}

void ExplorerView::Load() {
  ui::Trap([this] { check1_->SetChecked(StoredTwoPane() ? 1 : 0); });
  ui::Trap([this] {
    ReadBackground();
    const std::string path = text1_->Text();
    if (!path.empty()) image1_->LoadFile(path);
  });
}

void ExplorerView::Refresh(Reading) {
  ui::Trap([this] {
    if (StoredTwoPane()) check1_->SetChecked(1);
  });
  ui::Trap([this] { ReadBackground(); });
}

void ExplorerView::Reload() {
  ui::Trap([this] { check1_->SetChecked(StoredTwoPane() ? 1 : 0); });
  ui::Trap([this] { ReadBackground(); });
}

void ExplorerView::OnCheck1() {
  const bool two_pane = check1_->Checked() != 0;
  if (registry::RegWrite(context_.platform.registry, kFolderOpenCommand,
                         RegValue::Text(two_pane ? kTwoPaneCommand : kOnePaneCommand),
                         ValueType::kString) != 0) {
    check1_->SetChecked(StoredTwoPane() ? 1 : 0);
  }
}

void ExplorerView::OnText1() {
  const std::string text = text1_->Text();
  platform::Registry& reg = context_.platform.registry;
  const std::int32_t status =
      text.empty()
          ? registry::RegDelete(reg, kToolbarBackground)
          : registry::RegWrite(reg, kToolbarBackground, RegValue::Text(text), ValueType::kString);
  if (status != 0) ReadBackground();
}

void ExplorerView::OnBrowse() {
  platform::OpenFileDialog& dialog = context_.platform.open_file;
  dialog.filter = "Файлы точечных рисунков|*.bmp";
  dialog.owner = context_.window.Handle();
  dialog.title = "Выбор файла";
  const std::string path = dialog.Show();
  if (path.empty()) return;
  // Putting the path into Text1 is the user's change: it is written as typing would write it.
  text1_->SetText(path);
  OnText1();
  image1_->LoadFile(path);
}

void ExplorerView::OnPreview() {
  context_.platform.shell.Open("open", "c:\\", platform::kShowNormal);
}

ExplorerPage::ExplorerPage(PageContext& context, ui::Frame& frame) : Page(context, frame) {
  AddGroup(Group::kFrame10, "Параметры Рабочего Стола", {8, 38, 305, 96});
  AddGroup(Group::kFrame12, "Настройки безопасности работы в сети", {8, 138, 305, 114});
  ui::Frame& frame13 = AddGroup(Group::kFrame13, "Настройки Explorer'а", {320, 38, 305, 354});
  ui::Frame& frame18 =
      AddFrame(IDC_DRIVES_FRAME, "Отображать диски в Explorer", {8, 256, 305, 136});
  drives_ = std::make_unique<DriveList>(context, frame18);
  view_ = std::make_unique<ExplorerView>(context, frame13);
  AddPart(*drives_, StartStep::kDriveList);
  AddPart(*view_, StartStep::kExplorerView);
}

std::unique_ptr<Page> MakeExplorerPage(PageContext& context, ui::Frame& frame) {
  return std::make_unique<ExplorerPage>(context, frame);
}

}  // namespace vireo::main
