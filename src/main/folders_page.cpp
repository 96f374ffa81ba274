#include "main/folders_page.h"

#include <string>

#include "main/page_table.h"
#include "registry/reg_access.h"
#include "registry/value_tip.h"
#include "resource.h"
#include "ui/trap.h"

namespace vireo::main {

const std::array<const char*, kSpecialFolderCount> kSpecialFolders = {
    "Administrative Tools",
    "AppData",
    "Cache",
    "Cookies",
    "Desktop",
    "Favorites",
    "Fonts",
    "History",
    "Local AppData",
    "My Pictures",
    "NetHood",
    "Personal",
    "Programs",
    "Recent",
    "SendTo",
    "Start Menu",
    "Startup",
    "Templates",
};

namespace {

using registry::RegValue;
using registry::ValueType;

// The value of txtIP(i): "a" to "e".
std::string InstallValue(int i) {
  return kInstallLocations + std::string(1, static_cast<char>('a' + i));
}

}  // namespace

SpecialFolders::SpecialFolders(PageContext& context, ui::Container& parent) : context_(context) {
  ui::Toolkit& tk = context.toolkit;
  folder_label_ = tk.CreateLabel(parent, {.rect = {10, 21, 40, 17}, .text = "Папка:"});
  cmb_folder_ =
      tk.CreateDropDown(parent, {.id = IDC_SPECIAL_FOLDER_LIST, .rect = {52, 18, 243, 21}});
  path_label_ = tk.CreateLabel(parent, {.rect = {10, 47, 40, 17}, .text = "Путь:"});
  txt_path_ = tk.CreateTextBox(parent, {.id = IDC_SPECIAL_FOLDER_PATH, .rect = {52, 44, 243, 20}});
  for (const char* name : kSpecialFolders) cmb_folder_->AddItem(name);
  cmb_folder_->on_select = ui::Trapped(&SpecialFolders::ShowPath, this);
  txt_path_->on_change = ui::Trapped(&SpecialFolders::OnPathChange, this);
  // Both names of the folder chosen now.
  auto tip = [this] {
    return ui::TrapText([this] {
      const int selected = cmb_folder_->Selection();
      if (selected < 0) return std::string();
      const std::string name = cmb_folder_->Item(selected);
      return registry::DescribeValues(context_.platform.registry,
                                      {kShellFolders + name, kUserShellFolders + name});
    });
  };
  cmb_folder_->SetTooltip(tip);
  txt_path_->SetTooltip(tip);
  // Found folder by folder; the path box names the folder chosen now.
  auto names = [this](int item) {
    const std::string name = item < 0 ? std::string() : cmb_folder_->Item(item);
    return std::vector<std::string>{kShellFolders + name, kUserShellFolders + name};
  };
  BindItems(context, *cmb_folder_, parent, names, [this](int item) {
    cmb_folder_->SetSelection(item);
    ShowPath();
  });
  context.bindings.push_back(
      {.control = txt_path_.get(),
       .caption = &parent,
       .frame = &parent,
       .paths = [this, names](int) { return names(cmb_folder_->Selection()); }});
}

void SpecialFolders::Load() {
  // Selecting the first folder shows its path, as the user's choice would.
  cmb_folder_->SetSelection(0);
  ShowPath();
}

void SpecialFolders::ShowPath() {
  const int selected = cmb_folder_->Selection();
  if (selected < 0) return;
  txt_path_->SetText(
      ReadString(context_.platform.registry, kShellFolders + cmb_folder_->Item(selected)));
}

void SpecialFolders::OnPathChange() {
  const int selected = cmb_folder_->Selection();
  if (selected < 0) return;
  const std::string name = cmb_folder_->Item(selected);
  const std::string text = txt_path_->Text();
  platform::Registry& reg = context_.platform.registry;
  const bool written = WriteString(reg, kShellFolders + name, text) == 0;
  if (!(WriteString(reg, kUserShellFolders + name, text) == 0 && written)) ShowPath();
}

SourcePath::SourcePath(PageContext& context, ui::Container& parent) : context_(context) {
  txt_win_ =
      context.toolkit.CreateTextBox(parent, {.id = IDC_SOURCE_PATH, .rect = {10, 18, 285, 20}});
  txt_win_->on_change = ui::Trapped(&SourcePath::OnChange, this);
  BindValues(context, *txt_win_, parent, parent, {kSourcePath});
}

void SourcePath::Load() {
  txt_win_->SetText(ReadString(context_.platform.registry, kSourcePath));
}

void SourcePath::OnChange() {
  if (WriteString(context_.platform.registry, kSourcePath, txt_win_->Text()) != 0) Load();
}

InstallPaths::InstallPaths(PageContext& context, ui::Container& parent) : context_(context) {
  for (int i = 0; i < kCount; ++i) {
    const int top = kFrameRowTop + i * kTextRowStep;
    lbl_ip_[i] = context.toolkit.CreateLabel(
        parent, {.rect = {10, top + 3, 18, 17}, .text = std::to_string(i + 1) + ":"});
    txt_ip_[i] = context.toolkit.CreateTextBox(
        parent, {.id = IDC_INSTALL_PATH_FIRST + i, .rect = {30, top, 265, 20}});
    txt_ip_[i]->on_change = ui::Trapped(&InstallPaths::OnChange, this, i);
    BindValues(context, *txt_ip_[i], parent, parent, {InstallValue(i)});
  }
}

void InstallPaths::Read(int i) {
  txt_ip_[i]->SetText(ReadString(context_.platform.registry, InstallValue(i)));
}

void InstallPaths::Load() {
  for (int i = 0; i < kCount; ++i) ui::Trap([this, i] { Read(i); });
}

void InstallPaths::OnChange(int i) {
  if (WriteString(context_.platform.registry, InstallValue(i), txt_ip_[i]->Text()) != 0) Read(i);
}

FoldersPage::FoldersPage(PageContext& context, ui::Frame& frame) : Page(context, frame) {
  ui::Frame& frame1 = AddGroup(Group::kFrame1, "Названия системных папок", {8, 38, 305, 160});
  AddLabel(frame1, 0,
           "Здесь можно внести изменения в названия системных  папок, которые вступят в силу при "
           "их следующем открытии.",
           {kFrameRowLeft, kFrameRowTop + 4 * kTextRowStep + 4, 285, 40});

  ui::Frame& special = AddFrame(0, "Специальные каталоги", {320, 38, 305, 108});
  special_ = std::make_unique<SpecialFolders>(context, special);
  AddLabel(special, 0,
           "Выберите из выпадающего списка интересующий Вас специальный  каталог  и  измените,   "
           "если  нужно,  его расположение.",
           {10, 68, 285, 38});

  ui::Frame& win = AddFrame(0, "Путь к дистрибутиву Windows", {320, 150, 305, 108});
  source_ = std::make_unique<SourcePath>(context, win);
  AddLabel(win, 0,
           "Здесь  можно  изменить  путь,  по  которому  Windows начинает искать свои компоненты "
           "при необходимости установки.  Эту  опцию  можно  использовать  также, если Вы храните "
           "дистрибутив Windows на винчестере.",
           {10, 40, 285, 66});

  ui::Frame& paths = AddFrame(0, "Инсталляционные пути", {8, 202, 305, 190});
  install_ = std::make_unique<InstallPaths>(context, paths);
  AddLabel(paths, 0,
           "Windows  сохраняет  инсталляционные  пути  к  своим компонентам  и  допускает "
           "использование нескольких источников.",
           {10, 134, 285, 40});

  ui::Frame& icons = AddFrame(0, "Иконки для папок", {320, 262, 305, 62});
  icons_ = std::make_unique<IconLibraryButtons>(context, icons, kFolderIcons);

  AddLabel(frame, 0,
           "Данная    вкладка    контролирует    названия   и   пути   к системным  папкам, "
           "используемыми Windows. Здесь можно  сменить  инсталляционные пути и пути  к папкам "
           "Windows (Cache, Temp, Favorites etc).",
           {328, 328, 292, 70});

  AddPart(*special_, StartStep::kSpecialFolder);
  AddPart(*source_, StartStep::kSourcePath);
  AddPart(*install_, StartStep::kInstallPaths);
  AddPart(*icons_, StartStep::kFolderIcons);
}

std::unique_ptr<Page> MakeFoldersPage(PageContext& context, ui::Frame& frame) {
  return std::make_unique<FoldersPage>(context, frame);
}

}  // namespace vireo::main
