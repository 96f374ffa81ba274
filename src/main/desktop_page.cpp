#include "main/desktop_page.h"

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

constexpr int kSmallest = 16;
constexpr int kLargest = 64;
constexpr int kDefaultSize = 32;

}  // namespace

std::int64_t LeadingNumber(const std::string& text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  std::int64_t n = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    if (n < 1'000'000'000'000) n = n * 10 + (text[i] - '0');
  }
  return negative ? -n : n;
}

std::string NumberText(std::int64_t n) {
  return n < 0 ? std::to_string(n) : " " + std::to_string(n);
}

IconSize::IconSize(PageContext& context, ui::Container& parent) : context_(context) {
  label2_ = context.toolkit.CreateLabel(
      parent, {.id = IDC_ICON_SIZE_CAPTION, .rect = {8, 24, 97, 17}, .text = "Размер иконок:"});
  label3_ =
      context.toolkit.CreateLabel(parent, {.id = IDC_ICON_SIZE_VALUE, .rect = {104, 24, 105, 17}});
  vscroll1_ = context.toolkit.CreateScrollBar(
      parent, {.id = IDC_ICON_SIZE_SPIN, .rect = {208, 24, 17, 17}});
  vscroll1_->SetRange(-kLargest, -kSmallest);
  vscroll1_->SetValue(-kSmallest);
  command1_ = context.toolkit.CreateButton(
      parent, {.id = IDC_ICON_SIZE_DEFAULT, .rect = {232, 24, 57, 17}, .text = "Default"});
  command2_ = context.toolkit.CreateButton(parent, {.id = IDC_ICONS_REMOVE_ALL,
                                                    .rect = {8, 48, 281, 17},
                                                    .text = "Удалить ВСЕ пользовательские иконки"});
  command3_ = context.toolkit.CreateButton(
      parent, {.id = IDC_ICONS_REMOVE_UNUSED,
               .rect = {8, 64, 281, 17},
               .text = "Удалить неиспользуемые ключи иконок оболочки"});

  vscroll1_->on_change = ui::Trapped(&IconSize::OnSpin, this);
  BindValues(context, *vscroll1_, *label2_, parent, {kShellIconSize});
  command1_->on_click = ui::Trapped(&IconSize::OnDefault, this);
  command2_->on_click = ui::Trapped(&IconSize::OnRemoveAll, this);
  command3_->on_click = ui::Trapped(&IconSize::OnRemoveUnused, this);
}

void IconSize::Load() {
  RegValue value;
  if (registry::RegRead(context_.platform.registry, kShellIconSize, &value) != 0) {
    label3_->SetText("(Undefined)");
    vscroll1_->SetValue(-kDefaultSize);
    return;
  }
  const std::int64_t n = LeadingNumber(value.AsText());
  label3_->SetText(NumberText(n));
  // A size outside 16 to 64 leaves the bar where it was.
  if (n >= kSmallest && n <= kLargest) vscroll1_->SetValue(static_cast<int>(-n));
}

void IconSize::StoreSize(int size) {
  const std::int32_t status =
      registry::RegWrite(context_.platform.registry, kShellIconSize,
                         RegValue::Text(std::to_string(size)), ValueType::kString);
  if (status != 0) {
    Load();  // the display shows what the registry still holds
    return;
  }
  label3_->SetText(NumberText(size));
}

void IconSize::OnSpin() {
  const int value = vscroll1_->Value();
  StoreSize(value < 0 ? -value : value);
}

void IconSize::OnDefault() {
  if (vscroll1_->Value() == -kDefaultSize) return;
  if (vscroll1_->SetValue(-kDefaultSize)) StoreSize(kDefaultSize);
}

void IconSize::OnRemoveAll() {
  platform::Registry& reg = context_.platform.registry;
  platform::HKey key = 0;
  if (reg.OpenKey(platform::kLocalMachine, kShellIconsKey, platform::kKeyQueryValue, &key) != 0) {
    return;
  }
  // Every value found is deleted, so position 0 always holds the next one. A value that cannot
  // be deleted would be found there again: it ends the clean-up. Values are deleted through the
  // open key: a path to the default value ("" after the backslash) would name the key itself.
  std::string name;
  while (reg.EnumValue(key, 0, &name, nullptr, nullptr) == platform::kSuccess) {
    if (reg.DeleteValue(key, name) != platform::kSuccess) break;
  }
  reg.CloseKey(key);
}

void IconSize::OnRemoveUnused() {
  platform::Registry& reg = context_.platform.registry;
  platform::HKey key = 0;
  if (reg.OpenKey(platform::kLocalMachine, kShellIconsKey, platform::kKeyQueryValue, &key) != 0) {
    return;
  }
  // An override that points at shell32.dll in the Windows directory itself is the shell's own
  // icon again: it is removed. A value that cannot be deleted is passed over.
  const std::string unused =
      registry::LowerAnsi(context_.platform.system.WindowsDirectory() + "\\shell32.dll,");
  std::string name;
  for (std::uint32_t position = 0;
       reg.EnumValue(key, position, &name, nullptr, nullptr) == platform::kSuccess;) {
    const std::string path = kShellIcons + name;
    RegValue data;
    registry::RegRead(reg, path, &data);
    if (registry::LowerAnsi(data.AsText()).rfind(unused, 0) == 0 &&
        reg.DeleteValue(key, name) == platform::kSuccess) {
      continue;  // the next value has moved into this position
    }
    ++position;
  }
  reg.CloseKey(key);
}

DesktopPage::DesktopPage(PageContext& context, ui::Frame& frame) : Page(context, frame) {
  AddGroup(Group::kFrame2, "Отображаемые элементы в Active Desktop", {8, 38, 305, 96});
  AddGroup(Group::kFrame3, "Настройки панели инструментов Active Desktop", {8, 138, 305, 60});
  AddGroup(Group::kFrame7, "Параметры Корзины", {8, 202, 305, 49});
  AddGroup(Group::kFrame5, "Свойства \"Мой компьютер\"", {320, 38, 305, 100});
  AddGroup(Group::kFrame8, "Всплывающие подсказки", {320, 142, 305, 220});
  ui::Frame& frame6 = AddFrame(IDC_ICONS_FRAME, "Иконки", {8, 255, 305, 90});
  icon_size_ = std::make_unique<IconSize>(context, frame6);
  AddPart(*icon_size_, StartStep::kIconSize);
}

std::unique_ptr<Page> MakeDesktopPage(PageContext& context, ui::Frame& frame) {
  return std::make_unique<DesktopPage>(context, frame);
}

}  // namespace vireo::main
