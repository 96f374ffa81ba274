#include "main/file_icons.h"

#include "registry/file_class.h"
#include "registry/reg_access.h"
#include "registry/value_tip.h"
#include "resource.h"
#include "ui/trap.h"

namespace vireo::main {

const std::array<const char*, kExtensionCount> kExtensions = {
    ".lnk", ".pif", ".URL", ".scf", ".shs", ".shb", ".job",
    ".jse", ".vbe", ".vbs", ".js",  ".wsf", ".doc",
};

namespace {

using registry::RegValue;
using registry::ValueType;

// lstIco's rows: row 0 is the bitmap pictures, the others a three-letter code each, whose
// DefaultIcon is read from "HKCR\" + code + "file" and written below the class key given here.
struct IconKind {
  const char* code;
  const char* class_key;
};
constexpr std::array<IconKind, IconList::kCount> kIconKinds = {{
    {"", "HKCR\\Paint.Picture\\"},
    {"CPL", "HKCR\\cplfile\\"},
    {"DLL", "HKCR\\dllfile\\"},
    {"ICO", "HKCR\\icofile\\"},
    {"ICL", "HKCR\\iclfile\\"},
    {"NIL", "HKCR\\nilfile\\"},
    {"IL", "HKCR\\ilfile\\"},
    {"OCX", "HKCR\\ocxfile\\"},
    {"VBX", "HKCR\\vbxfile\\"},
    {"DRV", "HKCR\\drvfile\\"},
    {"SCR", "HKCR\\scrfile\\"},
    {"ANI", "HKCR\\anifile\\"},
    {"CUR", "HKCR\\curfile\\"},
}};
constexpr char kPictureIcon[] = "HKCR\\Paint.Picture\\DefaultIcon\\";

std::string NeverShowExtOf(const std::string& class_name) {
  return "HKLM\\" + std::string(registry::kClassesKey) + class_name + "\\" + kNeverShowExt;
}

// Where row `row` of lstIco reads its tick from.
std::string IconOf(int row) {
  return row == 0 ? kPictureIcon
                  : "HKCR\\" + std::string(kIconKinds[row].code) + "file\\DefaultIcon\\";
}

// The key of extension `row` of lstExt, whose default value names its class.
std::string ExtensionKey(int row) {
  return "HKLM\\" + std::string(registry::kClassesKey) +
         kExtensions.at(static_cast<std::size_t>(row)) + "\\";
}

}  // namespace

ExtensionList::ExtensionList(PageContext& context, ui::Container& parent) : context_(context) {
  list_ = context.toolkit.CreateCheckList(
      parent, {.id = IDC_EXTENSIONS_LIST, .rect = {kFrameRowLeft, kFrameRowTop, 285, 68}});
  list_->on_item_check = ui::Trapped(&ExtensionList::OnItemCheck, this);
  list_->SetItemTooltip(
      [this](int row) { return ui::TrapText([this, row] { return RowTip(row); }); });
  BindItems(context, *list_, parent, [](int row) {
    return std::vector<std::string>{ExtensionKey(row), kNeverShowExt};
  });
}

// The extension's class name, then the class's NeverShowExt.
std::string ExtensionList::RowTip(int row) {
  if (row < 0 || row >= kExtensionCount) return {};
  platform::Registry& reg = context_.platform.registry;
  std::vector<std::string> paths = {ExtensionKey(row)};
  const std::string class_name =
      registry::ReadClassName(reg, kExtensions.at(static_cast<std::size_t>(row))).Name();
  if (!class_name.empty()) paths.push_back(NeverShowExtOf(class_name));
  return registry::DescribeValues(reg, paths);
}

bool ExtensionList::Shown(const std::string& class_name) {
  RegValue value;
  return registry::RegRead(context_.platform.registry, NeverShowExtOf(class_name), &value) != 0;
}

void ExtensionList::Fill(Reading reading) {
  platform::Registry& reg = context_.platform.registry;
  std::vector<CheckRow> rows;
  for (const char* extension : kExtensions) {
    // The class name read here serves the description too.
    const registry::ClassNameRead read = registry::ReadClassName(reg, extension);
    const std::string class_name = read.Name();
    rows.push_back({registry::ClassDescription(reg, extension, read) + " (" + extension + ")",
                    class_name.empty() || Shown(class_name)});
  }
  ShowRows(*list_, rows, reading);
}

void ExtensionList::OnItemCheck(int row) {
  if (row < 0 || row >= kExtensionCount) return;
  platform::Registry& reg = context_.platform.registry;
  const std::string class_name = registry::ReadClassName(reg, kExtensions[row]).Name();
  if (class_name.empty()) return;  // nothing to hide: the tick stays as the user set it
  const std::string path = NeverShowExtOf(class_name);
  const std::int32_t status =
      list_->ItemChecked(row) ? registry::RegDelete(reg, path) : WriteString(reg, path, "");
  if (status != 0) list_->SetItemChecked(row, Shown(class_name));
}

IconList::IconList(PageContext& context, ui::Container& parent) : context_(context) {
  list_ = context.toolkit.CreateCheckList(
      parent, {.id = IDC_ICON_FILES_LIST, .rect = {kFrameRowLeft, kFrameRowTop, 285, 68}});
  list_->on_item_check = ui::Trapped(&IconList::OnItemCheck, this);
  // The icon, then the backup of the icon it had before.
  list_->SetItemTooltip([this](int row) {
    return ui::TrapText([this, row] {
      if (row < 0 || row >= kCount) return std::string();
      return registry::DescribeValues(context_.platform.registry,
                                      {IconOf(row), IconOf(row) + kIconBackup});
    });
  });
  BindItems(context, *list_, parent, [](int row) {
    return std::vector<std::string>{IconOf(row), IconOf(row) + kIconBackup};
  });
}

void IconList::Fill(Reading reading) {
  std::vector<CheckRow> rows;
  rows.push_back({"Отображать содержимое *.BMP в иконках",
                  ReadString(context_.platform.registry, IconOf(0)) == kOwnIcon});
  for (int row = 1; row < kCount; ++row) AddIconItem(kIconKinds[row].code, row, &rows);
  ShowRows(*list_, rows, reading);
}

void IconList::AddIconItem(const std::string& code, int row, std::vector<CheckRow>* rows) {
  rows->push_back({"Отображать *." + code + " как иконки",
                   ReadString(context_.platform.registry, IconOf(row)) == kOwnIcon});
}

bool IconList::SetShowAsIcon(bool ticked, const std::string& class_key) {
  platform::Registry& reg = context_.platform.registry;
  const std::string icon = class_key + "DefaultIcon\\";
  const std::string backup = icon + kIconBackup;
  if (ticked) {
    const std::string current = ReadString(reg, icon);
    if (current == kOwnIcon) return true;  // the backup it already has stays
    // The icon is replaced only once its backup is stored: a failed backup keeps the icon.
    if (WriteString(reg, backup, current) != 0) return false;
    return WriteString(reg, icon, kOwnIcon) == 0;
  }
  const std::string saved = ReadString(reg, backup);
  if (saved.empty()) return WriteString(reg, icon, "") == 0;  // an empty backup stays
  // The backup goes only once the icon it holds is back in place.
  if (WriteString(reg, icon, saved) != 0) return false;
  return registry::RegDelete(reg, backup) == 0;
}

void IconList::OnItemCheck(int row) {
  if (row < 0 || row >= kCount) return;
  if (!SetShowAsIcon(list_->ItemChecked(row), kIconKinds[row].class_key)) {
    list_->SetItemChecked(row, ReadString(context_.platform.registry, IconOf(row)) == kOwnIcon);
  }
}

}  // namespace vireo::main
